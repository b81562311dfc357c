// kwutil sheet -o OUT: a new drawing with a sheet frame, its title and countersign blocks and the
// floor elevation table, placed by the drawing commands through the input script as a person
// would place them; writes OUT.T and OUT.svg. The shipped title block gets the scale, the date and,
// when given, the drawing title and number.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Command.h"
#include "Configuration.h"
#include "Messages.h"
#include <ckw/DrawingPara.h>
#include "FloorList.h"
#include <ckw/ReferenceEngine.h>
#include <ckw/SheetCommands.h>
#include <ckw/Util.h>
#include "NumberOptions.h"
#include "Sketch.h"
#include "engine/Shapes.h"
#include "sheet/FrameSettings.h"

namespace {

namespace fs = std::filesystem;
using ckw::geom::FrameSettings;

// Millimetres a sheet may be lengthened or widened by (a hundred metres of paper).
constexpr double kMaxSheetChange = 100000;

struct SheetOptions {
    std::string output;
    FrameSettings frame;
    bool portrait = false, noBlocks = false, uprightTitle = false;
    std::string title;
    std::string drawingTitle, drawingNumber, date;
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

// Where the shipped title block (BTL.T, 180 x 56 in its own units) takes the values the sheet
// command knows: the middle of each field's empty cell, and the text height there.
struct TitleField {
    double x, y, height;
};
constexpr TitleField kDrawingTitleField{60, 32, 4};
constexpr TitleField kNumberField{150, 28, 2.5};
constexpr TitleField kScaleField{150, 20, 2.5};
constexpr TitleField kDateField{150, 4, 2.5};

// Writes text (UTF-8) into a field of the title block the insertion places. The block was loaded
// at the drawing's scale and is inserted at full size.
void FillTitleField(const ckw::engine::Entity& insertion, double scale, const TitleField& field,
                    const std::string& text) {
    if (text.empty()) return;
    const ckw::engine::Transform t = ckw::engine::InsertTransform(insertion);
    double x = 0, y = 0;
    t.Apply(field.x * scale, field.y * scale, x, y);
    const std::string gbk = kwutil::Gbk(text);
    const float h = static_cast<float>(field.height * scale * t.Scale()), w = h * 0.8f;
    const float angle = static_cast<float>(t.Rotation());
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    m_pCfg->HostDrawText(gbk.c_str(), static_cast<int>(gbk.size()), fx, fy, w, h, 102, 102, angle);
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// Fills the title block's fields: drawing title and number when given, the scale and the date.
void FillTitleBlock(const ckw::engine::Drawing& drawing, const SheetOptions& o) {
    // The title block is the first block the frame inserts.
    for (const ckw::engine::Entity& inserted : drawing.Entities()) {
        if (inserted.kind != ckw::engine::kBlockInsert || inserted.deleted) continue;
        const ckw::engine::Entity e = inserted;  // the texts drawn below move the drawing's entities
        FillTitleField(e, o.scale, kDrawingTitleField, o.drawingTitle);
        FillTitleField(e, o.scale, kNumberField, o.drawingNumber);
        FillTitleField(e, o.scale, kScaleField, "1:" + std::to_string(o.scale));
        FillTitleField(e, o.scale, kDateField, o.date.empty() ? Today() : o.date);
        return;
    }
}

// A portrait sheet with its title block upright: the blocks stand as on a landscape sheet, the
// title block in the inner lower-right corner, the countersign block above the inner upper-left one.
void PlaceUprightBlocks(const SheetOptions& o) {
    float length = 0, width = 0;
    o.frame.PaperSize(length, width);
    const float s = static_cast<float>(o.scale), margin = 10 * s, binding = 25 * s;
    const float x0 = static_cast<float>(o.atX), y0 = static_cast<float>(o.atY);
    const float right = x0 + width * s - margin, top = y0 + length * s - binding;
    const std::string title = o.frame.titlePath.empty() ? ckw::geom::TitleBlockPath("BTL.T") : o.frame.titlePath;
    CUtil util;
    util.ZDRWBTL(CString(title.c_str()), 998, KeloPoint2d(right, y0 + margin), 1, -1, 0, s);
    util.ZDRWBTL(CString(ckw::geom::TitleBlockPath("HQL.T").c_str()), 997, KeloPoint2d(x0 + margin, top), 1, 1, 0, s);
}

// The block insertions in the drawing: the title and countersign blocks of a sheet.
int PlacedBlocks(const ckw::engine::Drawing& drawing) {
    int count = 0;
    for (const ckw::engine::Entity& e : drawing.Entities())
        if (e.kind == ckw::engine::kBlockInsert && !e.deleted) ++count;
    return count;
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
    // Without the parameter library (the library has said why) the sheet would be drawn with
    // none of the user's layers and sizes.
    if (m_exDrawingPara.GetLayerCount() == 0) {
        kwutil::Say() << "the drawing parameters could not be read; " << o.output << ".T is not written\n";
        return 1;
    }
    m_exDrawingPara.SetDrawingScale(o.scale);

    kwutil::FloorList floors;
    std::string error, floorText = o.floors;
    if (!o.floorsFile.empty() && !ReadFile(o.floorsFile, floorText)) {
        kwutil::Say() << "cannot read " << o.floorsFile << "\n";
        return 1;
    }
    const bool withFloors = !floorText.empty();
    if (withFloors && !kwutil::ParseFloors(floorText, floors, error)) {
        kwutil::Say() << error << "\n";
        return 1;
    }

    FrameSettings& frame = o.frame;
    frame.orientation = o.portrait ? 1 : 0;
    // Upright title blocks on a portrait sheet are placed here, after a frame drawn without them.
    const bool upright = o.uprightTitle && o.portrait && !o.noBlocks;
    frame.withBlocks = o.noBlocks || upright ? 0 : 1;
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
            kwutil::Say() << "cannot read " << o.inputScript << "\n";
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
        kwutil::Say() << "input script: " << error << "\n";
        m_pCfg = previous;
        return 1;
    }

    DragDrawFrame();
    if (withFloors) {
        CUtil().kwDrawFloorTable(static_cast<float>(o.scale), static_cast<int>(floors.elevations.size()),
                                 floors.elevations.data(), floors.heights.data());
    }
    ckw::geom::SetFrameSettingsEditor(nullptr);
    if (upright) PlaceUprightBlocks(o);
    // The fields sit where the shipped title block has them; another block's are its own.
    if (!o.noBlocks && o.title.empty()) FillTitleBlock(engine.Current(), o);
    m_pCfg = previous;
    // A block file that could not be found or read (the library has said which) leaves a sheet
    // without its blocks: that is not the sheet asked for, and an older drawing of that name stays.
    if (!o.noBlocks && o.inputScript.empty() && PlacedBlocks(engine.Current()) < 2) {
        kwutil::Say() << "the title and countersign blocks could not be placed; " << o.output << ".T is not written\n";
        return 1;
    }

    return kwutil::SaveDrawingAndPicture(engine, o.output);
}

const kwutil::Command reg(
    "sheet", "Draw a sheet frame with title blocks and a floor table into a new drawing",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto o = std::make_shared<SheetOptions>();
        cmd.add_option("-o,--output", o->output, "OUT: writes OUT.T and OUT.svg")->required();
        cmd.add_option("--sheet", o->frame.sheet, "sheet number 0-4 (default 1)")->check(kwutil::Number(0, 4));
        cmd.add_flag("--portrait", o->portrait, "portrait (binding side at the top)");
        cmd.add_option("--scale", o->scale, "drawing scale (default 100)")->check(kwutil::PositiveNumber());
        cmd.add_option("--lengthen", o->frame.lengthening, "millimetres added to the sheet's length")
            ->check(kwutil::Number(-kMaxSheetChange, kMaxSheetChange));
        cmd.add_option("--widen", o->frame.widening, "millimetres added to the sheet's width")
            ->check(kwutil::Number(-kMaxSheetChange, kMaxSheetChange));
        cmd.add_option("--title", o->title,
                       "title-block drawing (a name alone is found in the configuration directory)");
        cmd.add_flag("--no-blocks", o->noBlocks, "frame without the title and countersign blocks");
        cmd.add_flag("--upright-title", o->uprightTitle,
                     "portrait: title block upright in the lower-right corner (default: turned, at the lower left)");
        cmd.add_option("--title-text", o->drawingTitle, "drawing title written into the title block");
        cmd.add_option("--number", o->drawingNumber, "drawing number written into the title block");
        cmd.add_option("--date", o->date, "date written into the title block (default today, YYYY-MM-DD)");
        cmd.add_option("--at-x", o->atX, "x of the frame's lower-left corner (default 0)")->check(kwutil::Number());
        cmd.add_option("--at-y", o->atY, "y of the frame's lower-left corner (default 0)")->check(kwutil::Number());
        auto* floors = cmd.add_option("--floors", o->floors, "floors ELEV_M:HEIGHT_MM,... (floor 1 first)");
        cmd.add_option("--floors-file", o->floorsFile, "file of floors, ELEV_M:HEIGHT_MM per line")->excludes(floors);
        cmd.add_option("--input", o->inputScript, "input script answering the commands instead (docs/t-format.md)");
        return [o] { return RunSheet(*o); };
    });

}  // namespace
