#pragma once
// A small host engine for extended-data tests, logging every call as the recording engine does:
// one entity (kind, id0, id1) with its word stream, the pending update and new-entity streams,
// and the drawing-level record. It keeps the contract's limits (streams of at most 8192 words;
// record reads and writes past the end are refused) and can be told to fail.
#include <algorithm>
#include <optional>
#include <vector>

#include "support/RecordingEngine.h"

namespace ckw::test {

class WordStoreEngine : public RecordingEngine {
public:
    using Stream = std::vector<int>;

    int kind = 5, id0 = 100, id1 = 200;
    Stream entity, pendingUpdate, pendingNew;
    std::optional<Stream> record;
    bool failUpdate = false, refuseRecordReads = false;

    void HostFindEntity(const int& unit, const int& k, const int& a, const int& b, int& found) override {
        RecordingEngine::HostFindEntity(unit, k, a, b, found);
        found = (k == 0 || k == kind) && a == id0 && b == id1;
    }
    void HostReadEntity(int& k, int* attributes, float* values, int& valueCount, char* text, int& textLength,
                        const int& capacity) override {
        RecordingEngine::HostReadEntity(k, attributes, values, valueCount, text, textLength, capacity);
        k = kind;
    }
    void HostUpdateEntity(const int& k, const int* attributes, const float* values, const int& valueCount,
                          const char* text, const int& textLength, const int& capacity, const int& flag,
                          const int& writeMode, int& iFail) override {
        RecordingEngine::HostUpdateEntity(k, attributes, values, valueCount, text, textLength, capacity, flag,
                                          writeMode, iFail);
        iFail = failUpdate ? 1 : 0;
        if (!failUpdate && !pendingUpdate.empty()) entity = pendingUpdate;
    }
    void HostGetXData(int& count, int* words, const int& capacity) override {
        RecordingEngine::HostGetXData(count, words, capacity);
        Give(entity, count, words, capacity);
    }
    int HostSetXData(const int& count, const int* words) override {
        RecordingEngine::HostSetXData(count, words);
        return Take(pendingUpdate, count, words);
    }
    int HostSetNewEntityXData(const int& count, const int* words) override {
        RecordingEngine::HostSetNewEntityXData(count, words);
        return Take(pendingNew, count, words);
    }
    void HostGetNewEntityXData(int& count, int* words, const int& capacity) override {
        RecordingEngine::HostGetNewEntityXData(count, words, capacity);
        Give(pendingNew, count, words, capacity);
    }

    int HostCreateDrawingData(const int& u, const int& r, const int& length, const int& z) override {
        RecordingEngine::HostCreateDrawingData(u, r, length, z);
        record = Stream(static_cast<size_t>(length), 0);
        return 1;
    }
    int HostResizeDrawingData(const int& u, const int& r, const int& length, const int& z) override {
        RecordingEngine::HostResizeDrawingData(u, r, length, z);
        record.emplace(record.value_or(Stream{})).resize(static_cast<size_t>(length), 0);
        return 1;
    }
    void HostGetDrawingDataSize(const int& u, const int& r, int& length, const int& z) override {
        RecordingEngine::HostGetDrawingDataSize(u, r, length, z);
        length = record ? static_cast<int>(record->size()) : 0;
    }
    int HostSeekDrawingData(const int& u, const int& r, const int& position, const int& z) override {
        RecordingEngine::HostSeekDrawingData(u, r, position, z);
        m_position = position;
        return 1;
    }
    int HostReadDrawingData(const int& u, const int& r, int* words, const int& count, const int& z) override {
        RecordingEngine::HostReadDrawingData(u, r, words, count, z);
        if (refuseRecordReads || !InRecord(count)) return 0;
        std::copy_n(record->begin() + (m_position - 1), count, words);
        m_position += count;
        return 1;
    }
    int HostWriteDrawingData(const int& u, const int& r, const int* words, const int& count, const int& z) override {
        RecordingEngine::HostWriteDrawingData(u, r, words, count, z);
        if (!InRecord(count)) return 0;
        std::copy_n(words, count, record->begin() + (m_position - 1));
        m_position += count;
        return 1;
    }

private:
    // A stream that does not fit is not handed out: count is minus its length.
    static void Give(const Stream& stream, int& count, int* words, int capacity) {
        count = static_cast<int>(stream.size());
        if (count > capacity) count = -count;
        else std::copy(stream.begin(), stream.end(), words);
    }
    static int Take(Stream& into, int count, const int* words) {
        if (count < 0 || count > kHostXDataWords) return 0;
        into.assign(words, words + count);
        return 1;
    }
    bool InRecord(int count) const {
        return record && count >= 0 && m_position >= 1 && size_t(m_position - 1 + count) <= record->size();
    }
    int m_position = 1;
};

}  // namespace ckw::test
