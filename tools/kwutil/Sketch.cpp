#include "Sketch.h"

#include <charconv>
#include <fstream>
#include <iostream>

#include "ReferenceEngine.h"

namespace kwutil {

bool ParseNumbers(std::string_view text, std::vector<double>& values) {
    values.clear();
    size_t start = 0;
    for (;;) {
        size_t end = text.find(',', start);
        std::string_view part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        double value = 0;
        auto [stop, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || error != std::errc() || stop != part.data() + part.size()) return false;
        values.push_back(value);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

int RenderCurrentDrawing(const std::string& command, const std::string& svgPath,
                         const ckw::engine::SvgOptions& options) {
    std::ofstream out(svgPath, std::ios::binary);
    ckw::engine::WriteSvg(ckw::engine::DefaultEngine().Current(), out, options);
    out.close();
    if (!out) {
        std::cerr << "kwutil " << command << ": cannot write " << svgPath << "\n";
        return 1;
    }
    return 0;
}

}  // namespace kwutil
