#include "DxfCounts.h"

#include <cstdlib>

namespace tdwg {
namespace {

// The groups dxflib sizes an array by, in the entities that have them.
bool IsCountGroup(const std::string& kind, unsigned group) {
    switch (group) {
    case 72:
    case 73:
    case 74:
        return kind == "SPLINE";
    case 90:
        return kind == "LWPOLYLINE";
    case 76:
        return kind == "LEADER";
    default:
        return false;
    }
}

// A number as dxflib converts it: strtol, then narrowed to int.
int AsDxflibInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

std::string ImpossibleCount(const std::string& kind, unsigned group, const std::string& value,
                            std::uintmax_t fileBytes) {
    if (!IsCountGroup(kind, group)) return {};
    const int count = AsDxflibInt(value);
    if (count <= 0 || static_cast<std::uintmax_t>(count) <= fileBytes / 4) return {};
    return "damaged file: group " + std::to_string(group) + " of a " + kind + " counts " + std::to_string(count) +
           " items, more than a file of " + std::to_string(fileBytes) + " bytes holds";
}

}  // namespace tdwg
