#pragma once
// What the drawing commands share (section, breakline, sheet, table): reading numbers from the
// command line and writing what they drew as a drawing and an SVG picture.
#include <string>
#include <string_view>
#include <vector>

#include <ckw/ReferenceEngine.h>

namespace kwutil {

// Comma-separated decimal numbers ("200,8,200" or "-3.5,7"); false when a part is not a number.
bool ParseNumbers(std::string_view text, std::vector<double>& values);

// Writes the current drawing of the engine as SVG; prints why and returns 1 when it cannot.
int RenderCurrentDrawing(const std::string& command, const std::string& svgPath,
                         const ckw::engine::SvgOptions& options = {});

// Saves the engine's current drawing as OUT.T and OUT.svg (a .T or .svg extension given with OUT
// is dropped) and says so; prints why and returns 1 when it cannot.
int SaveDrawingAndPicture(const std::string& command, ckw::engine::ReferenceEngine& engine, const std::string& output);

}  // namespace kwutil
