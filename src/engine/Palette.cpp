// The 256-entry colour index palette: 1-9 the named colours, 10-249 twenty-four hues in five
// shades with a full and a pale variant each, 250-255 a grey ramp, 0 black.
#include <array>
#include <cmath>
#include <cstdint>

#include <ckw/ReferenceEngine.h>

namespace ckw::engine {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb FromHue(double hue, double saturation, double value) {
    double c = value * saturation;
    double h = hue / 60.0;
    double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h) % 6) {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    double m = value - c;
    auto byte = [](double v) { return static_cast<int>(std::lround(v * 255)); };
    return {byte(r + m), byte(g + m), byte(b + m)};
}

std::array<Rgb, 256> MakePalette() {
    std::array<Rgb, 256> p{};
    p[0] = {0, 0, 0};
    p[1] = {255, 0, 0};
    p[2] = {255, 255, 0};
    p[3] = {0, 255, 0};
    p[4] = {0, 255, 255};
    p[5] = {0, 0, 255};
    p[6] = {255, 0, 255};
    p[7] = {255, 255, 255};
    p[8] = {128, 128, 128};
    p[9] = {192, 192, 192};
    constexpr double kShades[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    for (int index = 10; index < 250; ++index) {
        int hue = (index - 10) / 10, step = index % 10;
        p[index] = FromHue(hue * 15.0, step % 2 == 0 ? 1.0 : 0.5, kShades[step / 2]);
    }
    constexpr int kGreys[6] = {51, 91, 132, 173, 214, 255};
    for (int i = 0; i < 6; ++i) p[250 + i] = {kGreys[i], kGreys[i], kGreys[i]};
    return p;
}

const std::array<Rgb, 256>& Palette() {
    static const std::array<Rgb, 256> palette = MakePalette();
    return palette;
}

}  // namespace

int ColourToRgb(int index) {
    if (index < 0 || index > 255) return 0xFFFFFF;
    const Rgb& c = Palette()[static_cast<size_t>(index)];
    return c.r | (c.g << 8) | (c.b << 16);
}

int RgbToColour(int rgb) {
    int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    int best = 7;
    long bestDistance = -1;
    for (int index = 1; index < 256; ++index) {
        const Rgb& c = Palette()[static_cast<size_t>(index)];
        long d = long(c.r - r) * (c.r - r) + long(c.g - g) * (c.g - g) + long(c.b - b) * (c.b - b);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = index;
        }
    }
    return best;
}

}  // namespace ckw::engine
