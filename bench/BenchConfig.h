#pragma once
// A configuration directory holding the shipped system library, in a temporary HOME, for the
// benchmarks of the parameter library.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/GbkText.h"
#include "registry/Registry.h"
#include "dao/SqlScript.h"
#include "support/TestEnv.h"

namespace ckw::bench {

class ShippedConfiguration {
public:
    ShippedConfiguration() {
        std::ifstream in(CKW_SYSTEM_LIBRARY_SQL);
        std::stringstream sql;
        sql << in.rdbuf();
        m_cfg = m_home.root() / "cfg";
        std::filesystem::create_directories(m_cfg);
        ckw::dao::CreateDatabaseFromSql(sql.str(), SystemLibrary().string());
        ckw::registry::Current().SetString(ckw::registry::Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG",
                                           ckw::text::Utf8ToGbk(m_cfg.string()));
    }
    std::filesystem::path SystemLibrary() const { return m_cfg / ckw::text::U8(u8"绘图参数.mdb"); }
    std::filesystem::path UserLibrary() const { return m_cfg / ckw::text::U8(u8"用户绘图参数.mdb"); }

private:
    ckw::test::ScopedXdgHome m_home;
    std::filesystem::path m_cfg;
};

}  // namespace ckw::bench
