#include "Sketch.h"

#include "LibraryLayers.h"
#include "Messages.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include <ckw/ReferenceEngine.h>
#include "platform/FileLock.h"

namespace kwutil {

int RenderCurrentDrawing(const std::string& svgPath, const ckw::engine::SvgOptions& options) {
    std::ofstream out(svgPath, std::ios::binary);
    ckw::engine::WriteSvg(ckw::engine::DefaultEngine().Current(), out, options);
    out.close();
    if (!out) {
        kwutil::Say() << "cannot write " << svgPath << "\n";
        return 1;
    }
    return 0;
}

int SaveDrawingAndPicture(ckw::engine::ReferenceEngine& engine, const std::string& output) {
    std::filesystem::path base(output);
    if (base.extension() == ".T" || base.extension() == ".svg") base.replace_extension();
    std::filesystem::path drawingFile = base, svgFile = base;
    drawingFile += ".T";
    svgFile += ".svg";
    // A drawing written over an existing one waits for another program's change of it to end.
    const ckw::fs::FileLock lock = ckw::fs::FileLock::Take(drawingFile);
    if (!lock.held()) {
        kwutil::Say() << lock.why() << "; nothing was written\n";
        return 1;
    }
    // The layers the library drew on by number carry the parameter library's names, as in the window.
    NameLibraryLayers(engine.Current());
    std::string error;
    if (!engine.Save(0, drawingFile, error)) {
        kwutil::Say() << error << "\n";
        return 1;
    }
    std::ofstream svg(svgFile, std::ios::binary);
    ckw::engine::WriteSvg(engine.Current(), svg);
    svg.close();
    if (!svg) {
        kwutil::Say() << "cannot write " << svgFile.string() << "\n";
        return 1;
    }
    std::cout << "wrote " << drawingFile.string() << " and " << svgFile.string() << "\n";
    return 0;
}

}  // namespace kwutil
