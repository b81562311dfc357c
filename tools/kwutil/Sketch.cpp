#include "Sketch.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>

#include <ckw/ReferenceEngine.h>

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

int SaveDrawingAndPicture(const std::string& command, ckw::engine::ReferenceEngine& engine, const std::string& output) {
    std::filesystem::path base(output);
    if (base.extension() == ".T" || base.extension() == ".svg") base.replace_extension();
    std::filesystem::path drawingFile = base, svgFile = base;
    drawingFile += ".T";
    svgFile += ".svg";
    std::string error;
    if (!engine.Save(0, drawingFile, error)) {
        std::cerr << "kwutil " << command << ": " << error << "\n";
        return 1;
    }
    std::ofstream svg(svgFile, std::ios::binary);
    ckw::engine::WriteSvg(engine.Current(), svg);
    svg.close();
    if (!svg) {
        std::cerr << "kwutil " << command << ": cannot write " << svgFile.string() << "\n";
        return 1;
    }
    std::cout << "wrote " << drawingFile.string() << " and " << svgFile.string() << "\n";
    return 0;
}

}  // namespace kwutil
