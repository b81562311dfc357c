// kwutil import FILE.dwg|FILE.dxf|FILE.T --into DRAWING.T [--converter PROGRAM]: brings a drawing
// into a drawing (started when it does not exist) as Read_Dwg does with every layer at scale 1:
// DWG and DXF files through the converter "TdwgConv" of the configuration directory, every layer
// named "$_...". Saves the drawing. Exit status 1 when the conversion fails.
#include <iostream>
#include <memory>

#include "Command.h"
#include "Configuration.h"
#include "Messages.h"
#include "WorkDrawing.h"
#include "drawfiles/DwgImport.h"

namespace {

struct Options {
    std::string file, into, converter;
};

int Import(const Options& options) {
    kwutil::EnsureConfiguration();
    kwutil::WorkDrawing work(options.into, true);
    const std::string converter =
        options.converter.empty() ? ckw::drawfiles::ConverterPath() : kwutil::Gbk(options.converter);
    const auto source = ckw::drawfiles::PrepareImport(kwutil::Gbk(options.file), converter);
    if (!source.ok) {
        kwutil::Say() << kwutil::Utf8(source.message) << "\n";
        return 1;
    }
    const std::string output = ckw::drawfiles::ConvertedDrawingPath(kwutil::Gbk(options.file));
    if (source.drawing != kwutil::Gbk(options.file) && source.drawing != output)
        std::cout << "kept " << kwutil::Utf8(output) << "; converted into " << kwutil::Utf8(source.drawing) << "\n";
    auto layers = ckw::drawfiles::ReadSourceLayers(source.drawing);
    if (layers.empty()) {
        kwutil::Say() << kwutil::Utf8(source.drawing) << " has no layers (or does not open)\n";
        return 1;
    }
    const auto report = ckw::drawfiles::InsertDrawing(source.drawing, ckw::drawfiles::InsertMode::Import, layers, {});
    if (!report.opened) {
        kwutil::Say() << "cannot open " << kwutil::Utf8(source.drawing) << "; nothing was changed\n";
        return 1;
    }
    work.Save();
    std::cout << "copied " << report.copied << " entities on " << layers.size() << " layers, " << report.renumbered
              << " layers renumbered, into " << options.into << "\n";
    return 0;
}

const kwutil::Command reg(
    "import", "Import a DWG, DXF or .T drawing into a drawing, its layers named \"$_...\"",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto options = std::make_shared<Options>();
        cmd.add_option("file", options->file, "the DWG, DXF or .T drawing to import")->required();
        cmd.add_option("--into", options->into, "the .T drawing to import into (started when missing)")->required();
        cmd.add_option("--converter", options->converter,
                       "the converter program (default: TdwgConv of the configuration directory)");
        return [options] { return Import(*options); };
    });

}  // namespace
