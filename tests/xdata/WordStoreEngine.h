#pragma once
// A small host engine for extended-data tests: entities with their word streams, the pending
// update and new-entity streams, and the drawing-level record, with every call logged as the
// recording engine logs it. It keeps the contract's limits (8192-word streams, reads and writes
// that would pass the record's end are refused), so that tests see what a real engine sees.
#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "support/RecordingEngine.h"

namespace ckw::test {

class WordStoreEngine : public RecordingEngine {
public:
    using Stream = std::vector<int>;

    // Adds an entity and makes it current.
    void AddEntity(int kind, int id0, int id1, Stream stream = {}) {
        m_current = Key{kind, id0, id1};
        m_entities[*m_current] = std::move(stream);
    }
    Stream& EntityStream(int kind, int id0, int id1) { return m_entities.at(Key{kind, id0, id1}); }
    void MakeCurrent(int kind, int id0, int id1) { m_current = Key{kind, id0, id1}; }
    void FailNextUpdate() { m_failUpdate = true; }
    void RefuseRecordReads() { m_refuseReads = true; }
    const Stream& PendingUpdate() const { return m_pendingUpdate; }
    const Stream& PendingNew() const { return m_pendingNew; }
    void SetPendingNew(Stream s) { m_pendingNew = std::move(s); }
    const std::optional<Stream>& Record() const { return m_record; }
    void SetRecord(Stream s) { m_record = std::move(s); }
    // Lets the current entity hold a stream longer than the engine hands out.
    void SetCurrentStreamUnchecked(Stream s) { m_entities[*m_current] = std::move(s); }

    void HostFindEntity(const int& unit, const int& kind, const int& id0, const int& id1, int& found) override {
        RecordingEngine::HostFindEntity(unit, kind, id0, id1, found);
        found = 0;
        for (const auto& [key, stream] : m_entities) {
            if ((kind == 0 || std::get<0>(key) == kind) && std::get<1>(key) == id0 && std::get<2>(key) == id1) {
                m_current = key;
                found = 1;
                return;
            }
        }
    }
    void HostReadEntity(int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength,
                        const int& capacity) override {
        RecordingEngine::HostReadEntity(kind, attributes, values, valueCount, text, textLength, capacity);
        kind = m_current ? std::get<0>(*m_current) : -1;
        valueCount = 0;
        textLength = 0;
    }
    void HostUpdateEntity(const int& kind, const int* attributes, const float* values, const int& valueCount,
                          const char* text, const int& textLength, const int& capacity, const int& flag,
                          const int& writeMode, int& iFail) override {
        RecordingEngine::HostUpdateEntity(kind, attributes, values, valueCount, text, textLength, capacity, flag,
                                          writeMode, iFail);
        iFail = m_failUpdate || !m_current ? 1 : 0;
        m_failUpdate = false;
        if (iFail == 0 && !m_pendingUpdate.empty()) m_entities[*m_current] = m_pendingUpdate;
    }
    void HostGetXData(int& count, int* words, const int& capacity) override {
        RecordingEngine::HostGetXData(count, words, capacity);
        Give(m_current ? m_entities[*m_current] : Stream{}, count, words, capacity);
    }
    int HostSetXData(const int& count, const int* words) override {
        RecordingEngine::HostSetXData(count, words);
        return Take(m_pendingUpdate, count, words);
    }
    int HostSetNewEntityXData(const int& count, const int* words) override {
        RecordingEngine::HostSetNewEntityXData(count, words);
        return Take(m_pendingNew, count, words);
    }
    void HostGetNewEntityXData(int& count, int* words, const int& capacity) override {
        RecordingEngine::HostGetNewEntityXData(count, words, capacity);
        Give(m_pendingNew, count, words, capacity);
    }

    int HostCreateDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override {
        RecordingEngine::HostCreateDrawingData(unit, record, length, reserved);
        m_record = Stream(static_cast<size_t>(length), 0);
        return 1;
    }
    int HostResizeDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override {
        RecordingEngine::HostResizeDrawingData(unit, record, length, reserved);
        if (!m_record) m_record.emplace();
        m_record->resize(static_cast<size_t>(length), 0);
        return 1;
    }
    void HostGetDrawingDataSize(const int& unit, const int& record, int& length, const int& reserved) override {
        RecordingEngine::HostGetDrawingDataSize(unit, record, length, reserved);
        length = m_record ? static_cast<int>(m_record->size()) : 0;
    }
    int HostSeekDrawingData(const int& unit, const int& record, const int& position, const int& reserved) override {
        RecordingEngine::HostSeekDrawingData(unit, record, position, reserved);
        m_position = position;
        return 1;
    }
    int HostReadDrawingData(const int& unit, const int& record, int* words, const int& count,
                            const int& reserved) override {
        RecordingEngine::HostReadDrawingData(unit, record, words, count, reserved);
        if (m_refuseReads || !InRecord(count)) return 0;
        std::copy_n(m_record->begin() + (m_position - 1), count, words);
        m_position += count;
        return 1;
    }
    int HostWriteDrawingData(const int& unit, const int& record, const int* words, const int& count,
                             const int& reserved) override {
        RecordingEngine::HostWriteDrawingData(unit, record, words, count, reserved);
        if (!InRecord(count)) return 0;
        std::copy_n(words, count, m_record->begin() + (m_position - 1));
        m_position += count;
        return 1;
    }

private:
    using Key = std::tuple<int, int, int>;

    static void Give(const Stream& stream, int& count, int* words, int capacity) {
        count = static_cast<int>(stream.size());
        if (count > capacity) {
            count = -count;
            return;
        }
        std::copy(stream.begin(), stream.end(), words);
    }
    static int Take(Stream& into, int count, const int* words) {
        if (count < 0 || count > kHostXDataWords) return 0;
        into.assign(words, words + count);
        return 1;
    }
    bool InRecord(int count) const {
        return m_record && count >= 0 && m_position >= 1 &&
               static_cast<size_t>(m_position - 1 + count) <= m_record->size();
    }

    std::map<Key, Stream> m_entities;
    std::optional<Key> m_current;
    Stream m_pendingUpdate, m_pendingNew;
    std::optional<Stream> m_record;
    int m_position = 1;
    bool m_failUpdate = false;
    bool m_refuseReads = false;
};

}  // namespace ckw::test
