// kwutil plot DRAWING.T... -o OUT.pdf [--area frame|extents|X0,Y0,X1,Y1] [--paper own|A0..A4]
// [--portrait] [--scale N|fit] [--corner] [--pens mono|colour|FILE]: drawings on PDF pages, one
// page each in the order given, as the window plots them. Built when Qt is available.
#ifdef CKW_WITH_PLOT
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "Command.h"
#include "Messages.h"
#include "NumberOptions.h"
#include <ckw/DrawingRecords.h>
#include "Plot.h"
#include <ckw/ReferenceEngine.h>

namespace {

struct PlotOptions {
    std::vector<std::string> inputs;
    std::string output, area = "extents", paper = "own", scale, pens = "colour";
    bool frame = false, portrait = false, corner = false;
};

// QPdfWriter lays out texts with the font database, which needs an application object.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    static int argc = 3;
    static char name[] = "kwutil", platform[] = "-platform", offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    static QGuiApplication app(argc, argv);
}

// The options as a request for every drawing (the scale left to each drawing when not given).
bool Request(const PlotOptions& o, ckw::paint::PlotRequest& request, std::string& error) {
    using ckw::paint::PlotArea;
    if (o.frame || o.area == "frame") {
        request.area = PlotArea::Frame;
    } else if (o.area != "extents") {
        const auto corners = kwutil::ReadNumbers(o.area);
        if (!corners || corners->size() != 4) {
            error = "--area is frame, extents or X0,Y0,X1,Y1, not \"" + o.area + "\"";
            return false;
        }
        request.area = PlotArea::Window;
        request.window = {(*corners)[0], (*corners)[1], (*corners)[2], (*corners)[3]};
    }
    if (!ckw::paint::PaperByName(o.paper, request.paper)) {
        error = "--paper is own or A0..A4, not \"" + o.paper + "\"";
        return false;
    }
    request.landscape = !o.portrait;
    request.centred = !o.corner;
    request.fit = o.scale == "fit";
    if (request.fit && request.paper == ckw::paint::Paper::Own) {
        error = "--scale fit needs a paper (--paper A0..A4)";
        return false;
    }
    if (!request.fit && !o.scale.empty())
        if (const auto scale = kwutil::ReadNumber(o.scale)) request.scale = *scale;  // checked as an option
    if (o.pens == "mono")
        request.pens = ckw::paint::PenTable::Monochrome();
    else if (o.pens != "colour") {
        auto table = ckw::paint::PenTable::Read(o.pens);
        if (!table) {
            error = table.why();
            return false;
        }
        request.pens = *std::move(table);
    }
    return true;
}

int Plot(const PlotOptions& o) {
    ckw::paint::PlotRequest common;
    std::string error;
    if (!Request(o, common, error)) {
        kwutil::Say() << error << "\n";
        return 1;
    }
    auto& engine = ckw::engine::DefaultEngine();
    std::vector<std::unique_ptr<ckw::engine::DisplayModel>> models;
    std::vector<ckw::paint::PlotPage> pages;
    for (const std::string& input : o.inputs) {
        const int unit = models.empty() ? engine.CurrentUnit() : engine.NewDrawing(0);
        if (!engine.Open(unit, input, error, false)) {
            kwutil::Say() << error << "\n";
            return 1;
        }
        ckw::paint::PlotPage page{nullptr, common};
        if (o.scale.empty()) {
            // The frame the drawing records says at which scale it was drawn; else 1:100.
            int sheet = -1, orientation = 0, length = 0, width = 0;
            float scale = 0;
            char title[260] = {};
            kwRead_DrawingFrame(sheet, orientation, scale, length, width, title, sizeof title);
            page.request.scale = sheet >= 0 && scale > 0 ? scale : 100;
        }
        // What the drawing shows: layers its table switches off stay off the paper.
        page.request.hiddenLayers = ckw::paint::LayersOff(engine.Current());
        models.push_back(std::make_unique<ckw::engine::DisplayModel>(engine.Current()));
        page.model = models.back().get();
        pages.push_back(std::move(page));
    }
    EnsureGuiApplication();
    if (ckw::Status plotted = ckw::paint::PlotPdf(pages, o.output); !plotted.ok()) {
        kwutil::Say() << plotted.why() << "\n";
        return 1;
    }
    return 0;
}

const kwutil::Command reg(
    "plot", "Plot .T drawings to PDF, one page each, at paper size or on a standard paper",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto o = std::make_shared<PlotOptions>();
        cmd.add_option("drawings", o->inputs, "the .T drawings, one page each in this order")->required();
        cmd.add_option("-o,--output", o->output, "the PDF file to write")->required();
        cmd.add_option("--area", o->area,
                       "frame (the sheet frame's paper, the largest rectangle drawn), extents (everything drawn, "
                       "the default) or a window X0,Y0,X1,Y1 in drawing units");
        cmd.add_flag("--frame", o->frame, "the same as --area frame");
        cmd.add_option("--paper", o->paper, "own (the area's own size, the default) or A0, A1, A2, A3, A4");
        cmd.add_flag("--portrait", o->portrait, "a standard paper upright (else its long side across)");
        cmd.add_option("--scale", o->scale,
                       "drawing units per millimetre, or fit to fill the paper (default: the recorded frame's "
                       "scale, else 100)")
            ->check(CLI::Validator(
                [](std::string& text) { return text == "fit" ? std::string() : kwutil::PositiveNumber()(text); },
                "N|fit"));
        cmd.add_flag("--corner", o->corner, "on a standard paper, from its lower left corner (else centred)");
        cmd.add_option("--pens", o->pens,
                       "colour (the drawing's colours, the default), mono (all black) or a pen-table file "
                       "(lines COLOURS WIDTH_MM|- black|grey|colour)");
        return [o] { return Plot(*o); };
    });

}  // namespace
#endif
