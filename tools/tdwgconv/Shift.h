#pragma once
// `--shift auto|X,Y`: what the option asks for, and the shift a conversion uses.
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "Model.h"

namespace tdwg {

// A loss of precision worth a warning, in millimetres.
inline constexpr double kNoticedLossMm = 0.05;

// What a position in millimetres loses in the drawing's 4-byte numbers (none counted for one they
// cannot hold at all: such an entity is left out).
inline double FloatLossMm(double exactMm) {
    const float kept = static_cast<float>(exactMm);
    return std::isfinite(kept) ? std::abs(exactMm - kept) : 0;
}

// "auto" or "X,Y" (numbers in source units); nothing for anything else.
std::optional<ShiftRequest> ParseShift(std::string_view text);

// Settles the drawing's shift (source units) as Given: the one asked for; for auto a round one
// (whole metres to kilometres, by the drawing's size) that brings the middle of model space near
// the origin, or none when the 4-byte numbers already hold model space's positions to
// kNoticedLossMm or the shift would not hold them better; otherwise the one the source's own
// record keeps.
void SettleShift(Drawing& d);

// The blocks (by name key) whose contents lie where the drawing does, such as a dimension's, drawn
// in the drawing's coordinates and inserted at the origin: they take the shift in place of their
// insertions, which keep their places. Only blocks that model space alone inserts, unscaled and
// unturned, and whose contents the shift brings nearer to their base points.
std::set<std::string> BlocksTakingTheShift(const Drawing& d);

}  // namespace tdwg
