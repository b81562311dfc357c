#pragma once
// How extended data meets the host engine: reading the streams it keeps, and the entity record
// buffers an entity is read into and written back from.
#include <array>
#include <span>
#include <vector>

#include <ckw/HostEngine.h>
#include "base/XDataWords.h"
#include "platform/HostRecord.h"

namespace ckw::xdata {

// The engine's drawing-level record calls: the current drawing, record 0, reserved 0,
// positions from 1.
inline constexpr int kRecordUnit = 0;
inline constexpr int kRecordNumber = 0;
inline constexpr int kRecordReserved = 0;
inline constexpr int kRecordFirstPosition = 1;
inline void SeekDrawingRecordStart(HostEngine& engine) {
    engine.HostSeekDrawingData(kRecordUnit, kRecordNumber, kRecordFirstPosition, kRecordReserved);
}

// The current entity's stream. Nothing when the engine holds more than it hands out (a stream
// no writer may merge into without losing it).
std::optional<Words> ReadEntityStream(HostEngine& engine);
// The pending new-entity stream (empty when none is set).
Words ReadNewEntityStream(HostEngine& engine);
// The drawing-level record from position 1 (empty when absent). Nothing when the engine
// refuses the read.
std::optional<Words> ReadHostDrawingRecord(HostEngine& engine);

// Replaces the whole stream of the entity (kind, id) of the current drawing by the blocks and
// rewrites it. 0 when there are no blocks, the entity is not found, or a block is too large
// (with the size message); blocks past what the engine accepts are left out.
int SetEntityBlocks(int kind, const int* id, std::span<const NamedItems> blocks, int writeMode);

// The record buffers of an entity, read from the engine and handed back unchanged.
using host::EntityRecord;

}  // namespace ckw::xdata
