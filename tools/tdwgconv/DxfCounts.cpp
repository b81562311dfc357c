#include "DxfCounts.h"

#include <dxflib/dl_dxf.h>

#include <cstdlib>

namespace tdwg {
namespace {

// The groups dxflib sizes an array by, in the entities that have them.
bool IsCountGroup(const std::string& kind, int group) {
    if (kind == "SPLINE") return group == 72 || group == 73 || group == 74;
    if (kind == "LWPOLYLINE") return group == 90;
    if (kind == "LEADER") return group == 76;
    return false;
}

// A number as dxflib converts it: strtol, then narrowed to int.
int AsDxflibInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

std::string ImpossibleCount(std::FILE* file, std::uintmax_t fileBytes) {
    const std::uintmax_t most = fileBytes / 4;
    std::string code, value, kind;
    while (DL_Dxf::getStrippedLine(code, DL_DXF_MAXLINE, file) &&
           DL_Dxf::getStrippedLine(value, DL_DXF_MAXLINE, file, false)) {
        const int group = AsDxflibInt(code);
        // dxflib takes the kind of what follows from a group 9 as from a group 0.
        if (group == 0 || group == 9) {
            kind = value;
        } else if (IsCountGroup(kind, group)) {
            const int count = AsDxflibInt(value);
            if (count > 0 && static_cast<std::uintmax_t>(count) > most)
                return "damaged file: group " + std::to_string(group) + " of a " + kind + " counts " +
                       std::to_string(count) + " items, more than a file of " + std::to_string(fileBytes) +
                       " bytes holds";
        }
    }
    return {};
}

}  // namespace tdwg
