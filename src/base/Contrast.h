#pragma once
// Relative luminance and the contrast ratio of two colours as readability guidelines define them:
// what the settings grid and the SVG on paper both use to keep every text readable.
#include <algorithm>
#include <cmath>

namespace ckw::colour {

// Channels from 0 to 1.
inline double RelativeLuminance(double red, double green, double blue) {
    const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
}

// From 1 (the same) to 21 (black on white).
inline double ContrastRatio(double luminanceA, double luminanceB) {
    return (std::max(luminanceA, luminanceB) + 0.05) / (std::min(luminanceA, luminanceB) + 0.05);
}

}  // namespace ckw::colour
