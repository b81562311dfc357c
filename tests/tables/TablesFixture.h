#pragma once
// The sheet fixture on the shipped parameter library, for its "文字" and "表格" layers.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/SheetFixture.h"

namespace ckw::test {

class TablesFixture : public SheetFixture {
protected:
    std::string SystemLibrarySql() override {
        std::ifstream sql(CKW_SYSTEM_LIBRARY_SQL, std::ios::binary);
        std::ostringstream text;
        text << sql.rdbuf();
        return text.str();
    }
    std::vector<engine::Entity> TextsDrawn() {
        auto texts = Drawn(engine::kChineseText);
        for (auto& e : Drawn(engine::kWesternText)) texts.push_back(e);
        return texts;
    }
};

}  // namespace ckw::test
