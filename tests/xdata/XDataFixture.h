#pragma once
// Extended-data tests: the reference engine behind a recording engine installed as m_pCfg, one
// line drawn as the entity under test, message boxes recorded, and item and block lists that
// release themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <string>
#include <vector>

#include <ckw/XDataUtil.h>
#include "platform/RecordingUi.h"
#include "support/TestEnv.h"
#include <ckw/ReferenceEngine.h>
#include "support/RecordingEngine.h"

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

// Every call logged and passed to the reference engine, which can be told to report a failed
// update or to refuse reading the drawing-level record.
class XDataEngine : public RecordingEngine {
public:
    XDataEngine() : RecordingEngine(&ref) {}
    engine::ReferenceEngine ref;
    bool failUpdate = false, refuseRecordReads = false;

    void HostUpdateEntity(const int& k, const int* attributes, const float* values, const int& valueCount,
                          const char* text, const int& textLength, const int& capacity, const int& flag,
                          const int& writeMode, int& iFail) override {
        RecordingEngine::HostUpdateEntity(k, attributes, values, valueCount, text, textLength, capacity, flag,
                                          writeMode, iFail);
        if (failUpdate) iFail = 1;
    }
    int HostReadDrawingData(const int& u, const int& r, int* words, const int& count, const int& z) override {
        const int done = RecordingEngine::HostReadDrawingData(u, r, words, count, z);
        return refuseRecordReads ? 0 : done;
    }
};

class XDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = std::exchange(m_pCfg, &engine);
        id = Line(0);
        kind = engine.ref.Current().Entities()[*engine.ref.Current().Find(id[0])].kind;
    }
    void TearDown() override { m_pCfg = m_saved; }

    // Draws a line, which becomes the current entity; returns its identifier pair.
    std::array<int, 2> Line(float y) {
        engine.ref.HostDrawLine(0, y, 100, y);
        std::array<int, 2> drawn{};
        engine.ref.HostGetEntityId(0, drawn[0], drawn[1]);
        engine.Clear();
        return drawn;
    }
    // Rewrites the current entity unchanged, as the caller's own entity writes do: it takes the
    // pending update stream along when one is set.
    void CallerUpdate() {
        int k = 0, count = 0, length = 0, iFail = 0;
        std::array<int, kHostAttributeCount> attributes{};
        std::vector<float> values(kHostRecordCapacity);
        std::vector<char> text(kHostRecordCapacity);
        engine.ref.HostReadEntity(k, attributes.data(), values.data(), count, text.data(), length, kHostRecordCapacity);
        engine.ref.HostUpdateEntity(k, attributes.data(), values.data(), count, text.data(), length,
                                    kHostRecordCapacity, 0, 12, iFail);
    }
    // The stored stream of an entity (default: the one under test).
    Words& Stream(std::array<int, 2> of = {}) {
        engine::Drawing& d = engine.ref.Current();
        return d.At(*d.Find(of[0] ? of[0] : id[0])).xdata;
    }
    Words PendingNew() {
        Words words(kHostXDataWords);
        int count = 0;
        engine.ref.HostGetNewEntityXData(count, words.data(), kHostXDataWords);
        words.resize(static_cast<size_t>(std::max(count, 0)));
        return words;
    }
    void SetPendingNew(const Words& words) {
        engine.ref.HostSetNewEntityXData(static_cast<int>(words.size()), words.data());
    }
    Words& Record() { return engine.ref.Current().Data(); }
    // The words New_XData makes of `name` and `items` (names packed); nothing is left pending.
    Words PackedBlock(const char* name, Items& items) {
        CXDataUtil().New_XData(name, items.list);
        Words words = PendingNew();
        engine.ref.HostSetNewEntityXData(0, nullptr);
        return words;
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

    XDataEngine engine;
    ckw::ui::RecordingUi ui;
    CXDataUtil util;
    std::array<int, 2> id{};  // the line under test, of kind `kind`
    int kind = 0;
    HostEngine* m_saved = nullptr;
};

}  // namespace ckw::test
