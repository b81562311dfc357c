#pragma once
// What the drawing commands share (section, breakline, sheet, table): writing what they drew as a
// drawing and an SVG picture.
#include <string>

#include <ckw/ReferenceEngine.h>

namespace kwutil {

// Writes the current drawing of the engine as SVG; prints why and returns 1 when it cannot.
int RenderCurrentDrawing(const std::string& svgPath, const ckw::engine::SvgOptions& options = {});

// Saves the engine's current drawing as OUT.T and OUT.svg (a .T or .svg extension given with OUT
// is dropped) and says so; prints why and returns 1 when it cannot.
int SaveDrawingAndPicture(ckw::engine::ReferenceEngine& engine, const std::string& output);

}  // namespace kwutil
