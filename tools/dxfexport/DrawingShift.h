#pragma once
// How far TdwgConv moved a drawing's model space towards the origin (survey drawings hold their
// millimetres only there), kept in the drawing-level record as the block "CKW_SHIFT" of two
// strings, x and y in millimetres: the model's own entities lie that far from where the source
// had them, block contents do not move. A record without the block is a drawing in its place.
#include <cstdint>
#include <span>
#include <vector>

namespace ckw::dxf {

inline constexpr char kShiftApp[] = "CKW_SHIFT";

struct Shift {
    double x = 0, y = 0;  // millimetres
    bool IsZero() const { return x == 0 && y == 0; }
};

// The recorded shift; zero when the record has none or a damaged one.
Shift RecordedShift(std::span<const int32_t> record);
// The record with the shift in it (replacing one it had), or without one when the shift is zero;
// the other blocks keep their words and order.
std::vector<int32_t> WithShift(std::span<const int32_t> record, Shift shift);

}  // namespace ckw::dxf
