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

// An item list owned by the test.
struct Items {
    XDataItemList list;
    Items() = default;
    Items(const Items&) = delete;
    ~Items() { CXDataUtil::Remove_Array(list); }
    Items& Int(int v) { return Add(kXDataInteger).resval.nInt = v, *this; }
    Items& Real(float v) { return Add(kXDataReal).resval.fReal = v, *this; }
    Items& Str(const std::string& v) {
        char* copy = new char[v.size() + 1];
        std::copy(v.begin(), v.end(), copy);
        copy[v.size()] = '\0';
        return Add(kXDataString).resval.pString = copy, *this;
    }
    Items& Code(short code) { return Add(code), *this; }
    XData_Resbuf_& Add(short type) {
        auto* r = new XData_Resbuf_;
        r->restype = type;
        list.Add(r);
        return *r;
    }
    int Size() const { return list.GetSize(); }
    int IntAt(int i) const { return list[i]->resval.nInt; }
    float RealAt(int i) const { return list[i]->resval.fReal; }
    std::string StrAt(int i) const { return list[i]->resval.pString; }
};

struct Blocks {
    XDataBlockList list;
    Blocks() = default;
    Blocks(const Blocks&) = delete;
    ~Blocks() { CXDataUtil::XRemove_Array(list); }
    // A block whose items are moved out of `items` (which is left empty).
    Blocks& Add(const std::string& name, Items& items) {
        auto* b = new XData_ResbufA_;
        b->appName = new char[name.size() + 1];
        std::copy(name.begin(), name.end(), b->appName);
        b->appName[name.size()] = '\0';
        b->items.Copy(items.list);
        items.list.RemoveAll();
        list.Add(b);
        return *this;
    }
    int Size() const { return list.GetSize(); }
    std::string NameAt(int i) const { return list[i]->appName; }
    const XDataItemList& ItemsAt(int i) const { return list[i]->items; }
};

class XDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = m_pCfg;
        m_pCfg = &engine;
    }
    void TearDown() override { m_pCfg = m_saved; }
    // The words a block of `name` (packed name words) with `items` takes, as the engine got them
    // from New_XData.
    std::vector<int> PackedBlock(const char* name, Items& items) {
        CXDataUtil().New_XData(name, items.list);
        std::vector<int> words = engine.PendingNew();
        engine.SetPendingNew({});
        return words;
    }
    static std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
        std::vector<int> all;
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
    HostEngine* m_saved = nullptr;
};

// Words of the fixed layout, written out here rather than computed by the code under test.
inline constexpr int kStart = 10000, kBrace = '{', kName = 10010, kEnd = 10099, kClose = '}';

}  // namespace ckw::test
