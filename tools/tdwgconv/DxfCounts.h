#pragma once
// dxflib sets aside and clears the whole array a count group asks for (a SPLINE's knots, control
// and fit points, an LWPOLYLINE's or a LEADER's vertices) before it reads one item, so one damaged
// count in a small file costs gigabytes and minutes. Every item takes at least one group of two
// lines, four bytes, so a count above a quarter of the file's size cannot be right.
#include <cstdint>
#include <string>

namespace tdwg {

// The groups that may size an array (ImpossibleCount says "" for the others).
inline bool MaySizeAnArray(unsigned group) { return (group >= 72 && group <= 74) || group == 76 || group == 90; }

// One group as dxflib is about to act on it, `kind` being the value of the last group 0 or 9
// (dxflib takes the kind of what follows from either). Returns the message for a count a file of
// `fileBytes` cannot hold, or "".
std::string ImpossibleCount(const std::string& kind, unsigned group, const std::string& value,
                            std::uintmax_t fileBytes);

}  // namespace tdwg
