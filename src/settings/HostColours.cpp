#include "settings/HostColours.h"

#include <array>
#include <cstddef>

#include <ckw/HostEngine.h>

namespace ckw::settings {

namespace {
// COLORREF (0x00BBGGRR) of index colours 1..9.
constexpr std::array<long, 10> kStandard = {0xFFFFFF, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                            0xFF0000, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};

long Distance(long a, long b) {
    long d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        long x = ((a >> shift) & 0xFF) - ((b >> shift) & 0xFF);
        d += x * x;
    }
    return d;
}
}  // namespace

long ColourIndexToRgb(int colourIndex) {
    if (m_pCfg) {
        int rgb = 0;
        m_pCfg->HostColorIndexToRgb(colourIndex, rgb);
        return rgb & 0xFFFFFF;
    }
    return colourIndex >= 1 && colourIndex <= 9 ? kStandard[static_cast<std::size_t>(colourIndex)] : 0xFFFFFF;
}

int RgbToColourIndex(long rgb) {
    if (m_pCfg) {
        int colour = 0;
        m_pCfg->HostRgbToColorIndex(static_cast<int>(rgb & 0xFFFFFF), colour);
        return colour;
    }
    int best = 7;
    for (int i = 1; i <= 9; ++i)
        if (Distance(kStandard[static_cast<std::size_t>(i)], rgb) <
            Distance(kStandard[static_cast<std::size_t>(best)], rgb))
            best = i;
    return best;
}

}  // namespace ckw::settings
