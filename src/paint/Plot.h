#pragma once
// Plots drawings to PDF: an area of the drawing (its sheet frame, everything drawn, or a window)
// on a page of its own size or on a standard paper, at a drawing scale or fitted, with the pens of
// a pen table; layers switched off are left out, as on the canvas. One millimetre of paper is
// `scale` drawing units.
#include <QImage>
#include <QSet>
#include <array>
#include <string>
#include <vector>

#include "DisplayModel.h"
#include "PenTable.h"
#include "base/Status.h"

namespace ckw::paint {

enum class PlotArea { Extents, Frame, Window };
// Own: the area's own size at the scale (the frame's paper; everything drawn with a margin).
enum class Paper { Own, A0, A1, A2, A3, A4 };

struct PlotRequest {
    PlotArea area = PlotArea::Extents;
    std::array<double, 4> window{};  // Window: two corners in drawing units
    Paper paper = Paper::Own;
    bool landscape = true;  // a standard paper with its long side across
    double scale = 100;     // drawing units per millimetre of paper
    bool fit = false;       // on a standard paper: the scale that fills it
    bool centred = true;    // on a standard paper: else from its lower left corner
    double marginMm = 10;   // around everything drawn, and inside a standard paper's edge
    QSet<int> hiddenLayers;
    PenTable pens = PenTable::ByColour();
};

// Where the area lands: the page, the scale and the area's lower left corner on the page (mm).
struct PlotLayout {
    double pageWidthMm = 0, pageHeightMm = 0;
    std::array<double, 4> area{};  // drawing units
    double scale = 100;
    double leftMm = 0, bottomMm = 0;
};

// The sheet frame's paper edge: the largest closed axis-parallel rectangle drawn (in blocks too
// only at the top level) on a layer that is not hidden. False when the drawing has none.
bool FindSheetFrame(const ckw::engine::DisplayModel& model, std::array<double, 4>& box,
                    const QSet<int>& hiddenLayers = {});

// The layers the drawing's layer table switches off.
QSet<int> LayersOff(const ckw::engine::Drawing& drawing);

// Paper names "A0".."A4" (any case) and "own"; false for others.
bool PaperByName(const std::string& name, Paper& paper);

// The page of the request; refused when there is nothing to plot, no frame, or no usable scale.
Result<PlotLayout> LayOut(const ckw::engine::DisplayModel& model, const PlotRequest& request);

// The page as it will print, its longer side `pixels` long; refused as LayOut refuses.
Result<QImage> PlotPreview(const ckw::engine::DisplayModel& model, const PlotRequest& request, int pixels);

struct PlotPage {
    const ckw::engine::DisplayModel* model = nullptr;
    PlotRequest request;
};

// Writes the PDF (UTF-8 path), one page each in the order given. Refused when a page cannot be
// plotted (nothing is written then) or the file cannot be written.
Status PlotPdf(const std::vector<PlotPage>& pages, const std::string& utf8Path);
Status PlotPdf(const ckw::engine::DisplayModel& model, const std::string& utf8Path, const PlotRequest& request);

}  // namespace ckw::paint
