// kwutil sheet -o OUT: a new drawing with a sheet frame, its title and countersign blocks and the
// floor elevation table, placed by the drawing commands through the input script as a person
// would place them; writes OUT.T and OUT.svg.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Command.h"
#include "Configuration.h"
#include <ckw/DrawingPara.h>
#include "FloorList.h"
#include <ckw/ReferenceEngine.h>
#include <ckw/SheetCommands.h>
#include <ckw/Util.h>
#include "Sketch.h"
#include "sheet/FrameSettings.h"

namespace {

namespace fs = std::filesystem;
using ckw::geom::FrameSettings;

struct SheetOptions {
    std::string output;
    FrameSettings frame;
    bool portrait = false, noBlocks = false;
    std::string title;
    int scale = 100;
    double atX = 0, atY = 0;
    std::string floors, floorsFile, inputScript;
};

std::string Coordinates(double x, double y) {
    std::ostringstream out;
    out.precision(10);
    out << x << " " << y;
    return out.str();
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

// Lower-left corner (world) of the floor table: in the frame's upper-right corner, 5 mm inside
// the inner border.
void FloorTablePlace(const SheetOptions& o, int floorCount, double& x, double& y) {
    float length = 0, width = 0, h = 0, w = 0;
    o.frame.PaperSize(length, width);
    m_exDrawingPara.GetTextInfo("钢筋标注", h, w);
    const bool portrait = o.frame.orientation == 1;
    const double s = o.scale, paperX = portrait ? width : length, paperY = portrait ? length : width;
    const double tableHeight = (floorCount + 2) * 2.0 * h + 6.0 * h;
    x = o.atX + (paperX - 10 - 5 - 40) * s;
    y = o.atY + (paperY - (portrait ? 25 : 10) - 5 - tableHeight) * s;
}

int DrawSheet(SheetOptions& o);

int RunSheet(SheetOptions& o) {
    int status = DrawSheet(o);
    // Closed here, before the program's static objects go.
    m_exDrawingPara.Close();
    return status;
}

int DrawSheet(SheetOptions& o) {
    fs::path cfg = kwutil::EnsureConfiguration();
    kwutil::InstallTitleBlocks(cfg, false);
    m_exDrawingPara.Init();
    m_exDrawingPara.SetDrawingScale(o.scale);

    kwutil::FloorList floors;
    std::string error, floorText = o.floors;
    if (!o.floorsFile.empty() && !ReadFile(o.floorsFile, floorText)) {
        std::cerr << "kwutil sheet: cannot read " << o.floorsFile << "\n";
        return 1;
    }
    const bool withFloors = !floorText.empty();
    if (withFloors && !kwutil::ParseFloors(floorText, floors, error)) {
        std::cerr << "kwutil sheet: " << error << "\n";
        return 1;
    }

    FrameSettings& frame = o.frame;
    frame.orientation = o.portrait ? 1 : 0;
    frame.withBlocks = o.noBlocks ? 0 : 1;
    if (!o.title.empty()) {
        std::string gbk = kwutil::Gbk(o.title);
        frame.titleFile = ckw::geom::TitleBlockName(gbk);
        frame.titlePath = ckw::geom::TitleBlockPath(gbk);
    }
    const bool changed = frame.sheet != 1 || frame.orientation != 0 || frame.lengthening != 0 || frame.widening != 0 ||
                         frame.withBlocks != 1 || !o.title.empty();
    // The frame settings dialog answers with the options, as a person would fill it in.
    ckw::geom::SetFrameSettingsEditor([&frame](FrameSettings& settings) {
        std::string path = frame.titlePath.empty() ? settings.titlePath : frame.titlePath;
        settings = frame;
        settings.titlePath = path;
        return true;
    });

    ckw::engine::ReferenceEngine engine;
    HostEngine* previous = m_pCfg;
    m_pCfg = &engine;
    std::string script;
    if (!o.inputScript.empty()) {
        if (!ReadFile(o.inputScript, script)) {
            std::cerr << "kwutil sheet: cannot read " << o.inputScript << "\n";
            m_pCfg = previous;
            return 1;
        }
    } else {
        if (changed) script += "tab\n";
        script += "point " + Coordinates(o.atX, o.atY) + "\n";
        if (withFloors) {
            double x = 0, y = 0;
            FloorTablePlace(o, static_cast<int>(floors.elevations.size()), x, y);
            script += "point " + Coordinates(x, y) + "\n";
        }
    }
    if (!engine.LoadInputScript(script, error)) {
        std::cerr << "kwutil sheet: input script: " << error << "\n";
        m_pCfg = previous;
        return 1;
    }

    DragDrawFrame();
    if (withFloors) {
        CUtil().kwDrawFloorTable(static_cast<float>(o.scale), static_cast<int>(floors.elevations.size()),
                                 floors.elevations.data(), floors.heights.data());
    }
    ckw::geom::SetFrameSettingsEditor(nullptr);
    m_pCfg = previous;

    return kwutil::SaveDrawingAndPicture("sheet", engine, o.output);
}

const kwutil::Command reg("sheet", "Draw a sheet frame with title blocks and a floor table into a new drawing",
                          [](CLI::App& cmd) -> kwutil::Runner {
    auto o = std::make_shared<SheetOptions>();
    cmd.add_option("-o,--output", o->output, "OUT: writes OUT.T and OUT.svg")->required();
    cmd.add_option("--sheet", o->frame.sheet, "sheet number 0-4 (default 1)");
    cmd.add_flag("--portrait", o->portrait, "portrait (binding side at the top)");
    cmd.add_option("--scale", o->scale, "drawing scale (default 100)")->check(CLI::PositiveNumber);
    cmd.add_option("--lengthen", o->frame.lengthening, "millimetres added to the sheet's length");
    cmd.add_option("--widen", o->frame.widening, "millimetres added to the sheet's width");
    cmd.add_option("--title", o->title, "title-block drawing (a name alone is found in the configuration directory)");
    cmd.add_flag("--no-blocks", o->noBlocks, "frame without the title and countersign blocks");
    cmd.add_option("--at-x", o->atX, "x of the frame's lower-left corner (default 0)");
    cmd.add_option("--at-y", o->atY, "y of the frame's lower-left corner (default 0)");
    auto* floors = cmd.add_option("--floors", o->floors, "floors ELEV_M:HEIGHT_MM,... (floor 1 first)");
    cmd.add_option("--floors-file", o->floorsFile, "file of floors, ELEV_M:HEIGHT_MM per line")->excludes(floors);
    cmd.add_option("--input", o->inputScript, "input script answering the commands instead (docs/t-format.md)");
    return [o] { return RunSheet(*o); };
});

}  // namespace
