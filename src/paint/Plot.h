#pragma once
// Plots a drawing to PDF at paper size and drawing scale: one millimetre of page is `scale`
// drawing units, pens are as wide as the line widths say (w/1000 mm), colour 7 prints black.
#include <array>
#include <string>

#include "DisplayModel.h"

namespace ckw::paint {

struct PlotRequest {
    double scale = 100;      // drawing units per millimetre of paper
    bool frameOnly = false;  // the sheet frame's paper, else everything drawn with a margin
    double marginMm = 10;    // around the whole drawing
};

// The sheet frame's paper edge: the largest closed axis-parallel rectangle drawn (in blocks too
// only at the top level). False when the drawing has none.
bool FindSheetFrame(const ckw::engine::DisplayModel& model, std::array<double, 4>& box);

// Page size in millimetres of what the request plots (false when there is nothing to plot).
bool PlotPageSize(const ckw::engine::DisplayModel& model, const PlotRequest& request, double& widthMm, double& heightMm,
                  std::string& error);

// Writes the PDF (UTF-8 path). False, with error, when there is nothing to plot or no frame.
bool PlotPdf(const ckw::engine::DisplayModel& model, const std::string& utf8Path, const PlotRequest& request,
             std::string& error);

}  // namespace ckw::paint
