// kwutil copyfloor SOURCE.T --into DRAWING.T [--layers N,...] [--scale S] [--at X,Y]: copies the
// layers of another floor's drawing into a drawing (started when it does not exist), as "拷贝他层"
// does after OK, and saves it.
#include <algorithm>
#include <iostream>
#include <memory>

#include "Command.h"
#include "Configuration.h"
#include "Messages.h"
#include "NumberOptions.h"
#include "WorkDrawing.h"
#include "drawfiles/FloorInsertion.h"

namespace {

struct Options {
    std::string source, into, at = "0,0";
    std::vector<int> layers;
    float scale = 1.0f;
};

int CopyFloor(const Options& options) {
    if (!(options.scale != 0)) throw CLI::ValidationError("--scale must not be 0");
    const auto [x, y] = kwutil::ParsePair(options.at, "--at");
    kwutil::WorkDrawing work(options.into, true);
    const std::string source = kwutil::Gbk(options.source);
    std::vector<ckw::drawfiles::SourceLayer> layers = ckw::drawfiles::ReadSourceLayers(source);
    if (layers.empty()) {
        kwutil::Say() << options.source << " has no layers (or does not open)\n";
        return 1;
    }
    if (!options.layers.empty())
        for (auto& layer : layers)
            layer.copy = std::count(options.layers.begin(), options.layers.end(), layer.number) > 0;
    const auto report =
        ckw::drawfiles::InsertDrawing(source, ckw::drawfiles::InsertMode::Floor, layers, {options.scale, x, y});
    if (!report.opened) {
        kwutil::Say() << "cannot open " << options.source << "; nothing was changed\n";
        return 1;
    }
    work.Save();
    std::cout << "copied " << report.copied << " entities from " << options.source << " into " << options.into << "\n";
    return 0;
}

const kwutil::Command reg(
    "copyfloor", "Copy layers of another floor's .T drawing into a drawing", [](CLI::App& cmd) -> kwutil::Runner {
        auto options = std::make_shared<Options>();
        cmd.add_option("source", options->source, "the .T drawing to copy from")->required();
        cmd.add_option("--into", options->into, "the .T drawing to copy into (started when missing)")->required();
        cmd.add_option("--layers", options->layers, "the layer numbers to copy (default: all)")->delimiter(',');
        cmd.add_option("--scale", options->scale, "insertion scale, negative to turn the floor over (default 1)")
            ->check(kwutil::NonZeroNumber());
        cmd.add_option("--at", options->at, "insertion point X,Y (default 0,0)");
        return [options] {
            kwutil::EnsureConfiguration();
            return CopyFloor(*options);
        };
    });

}  // namespace
