#pragma once
// A fresh reference engine per test, with helpers that draw through the contract.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include <ckw/ReferenceEngine.h>
#include "support/TestEnv.h"

namespace ckw::test {

class EngineTest : public ::testing::Test {
protected:
    engine::ReferenceEngine eng;
    TempDir dir;

    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }

    void Pen(int layer, int lineType = 1, int width = 0, int colour = 7) {
        eng.HostSetPen(layer, lineType, width, colour, 1);
    }
    void Line(float x1, float y1, float x2, float y2) { eng.HostDrawLine(x1, y1, x2, y2); }
    void Text(const std::string& text, float x, float y, float h = 3.5f, float w = 3.0f) {
        int length = static_cast<int>(text.size());
        eng.HostDrawText(text.c_str(), length, x, y, w, h, 101, 101, 0);
    }
    std::array<int, 2> CurrentId() {
        int id0 = 0, id1 = 0;
        eng.HostGetEntityId(0, id0, id1);
        return {id0, id1};
    }
    bool Find(int kind, std::array<int, 2> id) {
        int found = 0;
        eng.HostFindEntity(0, kind, id[0], id[1], found);
        return found == 1;
    }
    // The current entity's record.
    struct Record {
        int kind = 0;
        std::array<int, kHostAttributeCount> attributes{};
        std::vector<float> values;
        std::string text;
    };
    Record Read() {
        Record r;
        std::vector<float> values(kHostRecordCapacity);
        std::vector<char> text(kHostRecordCapacity);
        int count = 0, length = 0;
        eng.HostReadEntity(r.kind, r.attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity);
        r.values.assign(values.begin(), values.begin() + count);
        r.text.assign(text.data(), static_cast<size_t>(length));
        return r;
    }
    std::vector<int> XData() {
        std::vector<int> words(kHostXDataWords);
        int count = 0;
        eng.HostGetXData(count, words.data(), kHostXDataWords);
        words.resize(static_cast<size_t>(std::max(0, count)));
        return words;
    }
    void Script(const std::string& utf8) {
        std::string error;
        ASSERT_TRUE(eng.LoadInputScript(utf8, error)) << error;
    }
    int Open(int unit, const std::string& path, bool readOnly = false) {
        int length = static_cast<int>(path.size());
        return readOnly ? eng.HostOpenDrawingFile(unit, path.c_str(), 260, length)
                        : eng.HostOpenDrawing(unit, path.c_str(), 260, length);
    }
    void Save(const std::string& path) {
        std::string error;
        ASSERT_TRUE(eng.Save(0, path, error)) << error;
    }
};

}  // namespace ckw::test
