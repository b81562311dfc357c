#include "XDataEngine.h"

#include <algorithm>

namespace ckw::xdata {

namespace {

constexpr int kCapacity = static_cast<int>(kMaxStreamWords);

// Keeps what an engine reported within the buffer it was given.
void Fit(Words& words, int count) { words.resize(static_cast<std::size_t>(std::clamp(count, 0, kCapacity))); }

}  // namespace

std::optional<Words> ReadEntityStream(HostEngine& engine) {
    Words words(kMaxStreamWords);
    int count = 0;
    engine.HostGetXData(count, words.data(), kCapacity);
    if (count < 0) return std::nullopt;
    Fit(words, count);
    return words;
}

Words ReadNewEntityStream(HostEngine& engine) {
    Words words(kMaxStreamWords);
    int count = 0;
    engine.HostGetNewEntityXData(count, words.data(), kCapacity);
    Fit(words, count);
    return words;
}

std::optional<Words> ReadHostDrawingRecord(HostEngine& engine) {
    int length = 0;
    engine.HostGetDrawingDataSize(kRecordUnit, kRecordNumber, length, kRecordReserved);
    SeekDrawingRecordStart(engine);
    if (length <= 0) return Words{};
    Words words(static_cast<std::size_t>(length));
    if (!engine.HostReadDrawingData(kRecordUnit, kRecordNumber, words.data(), length, kRecordReserved))
        return std::nullopt;
    return words;
}

}  // namespace ckw::xdata
