// kwutil export DRAWING.T -o OUT.dxf: a drawing as DXF for other CAD programs.
#include <iostream>

#include "Command.h"
#include "DxfWriter.h"
#include "Progress.h"
#include <ckw/ReferenceEngine.h>

namespace {

const kwutil::Command reg(
    "export", "Write a .T drawing as a DXF file (R2000, GBK texts)", [](CLI::App& cmd) -> kwutil::Runner {
        auto input = std::make_shared<std::string>();
        auto output = std::make_shared<std::string>();
        cmd.add_option("drawing", *input, "the .T drawing")->required();
        cmd.add_option("-o,--output", *output, "the DXF file to write")->required();
        return [input, output] {
            ckw::engine::Drawing drawing;
            std::string error;
            if (!ckw::engine::ReadDrawingFile(*input, drawing, error, kwutil::TerminalProgress("reading"))) {
                std::cerr << "kwutil export: " << error << "\n";
                return 1;
            }
            ckw::dxf::ExportCounts counts;
            if (!ckw::dxf::WriteDxf(drawing, *output, error, &counts)) {
                std::cerr << "kwutil export: " << error << "\n";
                return 1;
            }
            for (const auto& [kind, n] : counts.skipped)
                std::cerr << "kwutil export: " << n << " " << kind << " entities have no DXF form and were left out\n";
            return 0;
        };
    });

}  // namespace
