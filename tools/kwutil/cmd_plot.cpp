// kwutil plot DRAWING.T -o OUT.pdf [--frame] [--scale S]: the drawing, or its sheet frame's paper,
// on a PDF page at paper size and drawing scale. Built when Qt is available.
#ifdef CKW_WITH_PLOT
#include <QGuiApplication>
#include <iostream>

#include "Command.h"
#include "NumberOptions.h"
#include <ckw/DrawingRecords.h>
#include "Plot.h"
#include <ckw/ReferenceEngine.h>

namespace {

struct PlotOptions {
    std::string input, output;
    bool frame = false;
    double scale = 0;
};

// QPdfWriter lays out texts with the font database, which needs an application object.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    static int argc = 3;
    static char name[] = "kwutil", platform[] = "-platform", offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    static QGuiApplication app(argc, argv);
}

int Plot(const PlotOptions& o) {
    auto& engine = ckw::engine::DefaultEngine();
    std::string error;
    if (!engine.Open(0, o.input, error, false)) {
        std::cerr << "kwutil plot: " << error << "\n";
        return 1;
    }
    ckw::paint::PlotRequest request;
    request.frameOnly = o.frame;
    request.scale = o.scale;
    if (!(request.scale > 0)) {
        // The frame the drawing records says at which scale it was drawn; else 1:100.
        int sheet = -1, orientation = 0, length = 0, width = 0;
        float scale = 0;
        char title[260] = {};
        kwRead_DrawingFrame(sheet, orientation, scale, length, width, title, sizeof title);
        request.scale = sheet >= 0 && scale > 0 ? scale : 100;
    }
    EnsureGuiApplication();
    ckw::engine::DisplayModel model(engine.Current());
    if (!ckw::paint::PlotPdf(model, o.output, request, error)) {
        std::cerr << "kwutil plot: " << error << "\n";
        return 1;
    }
    return 0;
}

const kwutil::Command reg(
    "plot", "Plot a .T drawing, or its sheet frame, to PDF at paper size", [](CLI::App& cmd) -> kwutil::Runner {
        auto o = std::make_shared<PlotOptions>();
        cmd.add_option("drawing", o->input, "the .T drawing")->required();
        cmd.add_option("-o,--output", o->output, "the PDF file to write")->required();
        cmd.add_flag("--frame", o->frame, "only the sheet frame's paper (the largest rectangle drawn)");
        cmd.add_option("--scale", o->scale,
                       "drawing units per millimetre (default: the recorded frame's scale, else 100)")
            ->check(kwutil::PositiveNumber());
        return [o] { return Plot(*o); };
    });

}  // namespace
#endif
