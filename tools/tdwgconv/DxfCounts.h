#pragma once
// dxflib sets aside and clears the whole array a count group asks for (a SPLINE's knots, control
// and fit points, an LWPOLYLINE's or a LEADER's vertices) before it reads one item, so one damaged
// count in a small file costs gigabytes and minutes. Every item takes at least one group of two
// lines, four bytes, so a count above a quarter of the file's size cannot be right.
#include <cstdint>
#include <cstdio>
#include <string>

namespace tdwg {

// Reads the file from where it stands with dxflib's own line reader, so the groups seen are the
// ones dxflib will act on. Returns the message for a file with a count it cannot hold, or "".
std::string ImpossibleCount(std::FILE* file, std::uintmax_t fileBytes);

}  // namespace tdwg
