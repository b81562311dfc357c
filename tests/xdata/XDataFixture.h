#pragma once
// Extended-data tests: a word-store engine installed as m_pCfg, message boxes recorded, and
// item and block lists that release themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "XDataUtil.h"
#include "framework/RecordingUi.h"
#include "support/TestEnv.h"
#include "xdata/WordStoreEngine.h"

namespace ckw::test {

using Words = std::vector<int>;
// Fixed words of the stored layout, written out rather than taken from the code under test.
inline constexpr int kStart = 10000, kBrace = '{', kName = 10010, kEnd = 10099, kClose = '}';

inline char* HeapCopy(const std::string& s) {
    char* copy = new char[s.size() + 1];
    std::copy(s.c_str(), s.c_str() + s.size() + 1, copy);
    return copy;
}

// An item list owned by the test.
struct Items {
    XDataItemList list;
    Items() = default;
    Items(const Items&) = delete;
    ~Items() { CXDataUtil::Remove_Array(list); }
    Items& Int(int v) { return Add(kXDataInteger).resval.nInt = v, *this; }
    Items& Real(float v) { return Add(kXDataReal).resval.fReal = v, *this; }
    Items& Str(const std::string& v) { return Add(kXDataString).resval.pString = HeapCopy(v), *this; }
    Items& Code(short code) { return Add(code), *this; }
    XData_Resbuf_& Add(short type) {
        auto* r = new XData_Resbuf_;
        r->restype = type;
        list.Add(r);
        return *r;
    }
    int Size() const { return list.GetSize(); }
    int IntAt(int i) const { return list[i]->resval.nInt; }
    std::string StrAt(int i) const { return list[i]->resval.pString; }
};

struct Blocks {
    XDataBlockList list;
    Blocks() = default;
    Blocks(const Blocks&) = delete;
    ~Blocks() { CXDataUtil::XRemove_Array(list); }
    // A block taking over the records of `items`.
    Blocks& Add(const std::string& name, Items& items) {
        auto* b = new XData_ResbufA_;
        b->appName = HeapCopy(name);
        b->items.Copy(items.list);
        items.list.RemoveAll();
        list.Add(b);
        return *this;
    }
    int Size() const { return list.GetSize(); }
    std::string NameAt(int i) const { return list[i]->appName; }
    const XData_Resbuf_& ItemAt(int block, int i) const { return *list[block]->items[i]; }
};

class XDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = m_pCfg;
        m_pCfg = &engine;
    }
    void TearDown() override { m_pCfg = m_saved; }
    // The words New_XData makes of `name` and `items` (names packed).
    Words PackedBlock(const char* name, Items& items) {
        CXDataUtil().New_XData(name, items.list);
        return std::exchange(engine.pendingNew, {});
    }
    static Words Join(std::initializer_list<Words> parts) {
        Words all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }
    bool Shown(const std::string& text) const {
        auto texts = ui.texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    WordStoreEngine engine;
    ckw::ui::RecordingUi ui;
    CXDataUtil util;
    int id[2] = {100, 200};  // the engine's entity, of kind 5
    HostEngine* m_saved = nullptr;
};

}  // namespace ckw::test
