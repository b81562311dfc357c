// kwutil table: user table files (.TDB).
//   kwutil table FILE.TDB -o OUT [--scale S]        draws the table into a new drawing: OUT.T, OUT.svg
//   kwutil table --new ROWSxCOLS -o FILE.TDB         writes an empty table
//   kwutil table --design FILE.TDB [--script S]      the table designer on FILE (a window where a
//                                                    display is available, else the script's user)
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Configuration.h"
#include "DialogSession.h"
#include "Messages.h"
#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>
#include "NumberOptions.h"
#include "Sketch.h"
#include "dialog/DialogTemplate.h"
#include "base/GbkText.h"
#include "platform/FileLock.h"
#include "tables/TableDesignDialog.h"
#include "tables/TableDrawing.h"
#include "tables/TdbFile.h"

namespace {

namespace fs = std::filesystem;
using namespace ckw::tables;

struct Options {
    std::string file;
    std::string output;
    std::string newSize;
    double width = 20;
    double height = 8;
    int scale = 100;
    bool design = false;
    std::string script;
};

int Draw(const Options& o) {
    UserTable table;
    if (ckw::Status loaded = LoadTdbFile(kwutil::Gbk(o.file), table); !loaded.ok()) {
        kwutil::Say() << kwutil::Utf8(loaded.why()) << "\n";
        return 1;
    }
    kwutil::EnsureConfiguration();
    m_exDrawingPara.Init();
    ckw::engine::ReferenceEngine engine;
    HostEngine* previous = m_pCfg;
    m_pCfg = &engine;
    const float scale = static_cast<float>(o.scale);
    DrawUserTable(table, 0, static_cast<float>(table.Height() * scale), scale);
    m_pCfg = previous;
    const int status = kwutil::SaveDrawingAndPicture(engine, o.output);
    m_exDrawingPara.Close();
    return status;
}

int WriteNew(const Options& o) {
    int rows = 0, cols = 0;
    char x = 0, rest = 0;
    if (std::sscanf(o.newSize.c_str(), "%d%c%d%c", &rows, &x, &cols, &rest) != 3 || (x != 'x' && x != 'X') ||
        rows < 1 || cols < 1 || rows > kMaxTableRows || cols > kMaxTableCols) {
        kwutil::Say() << "--new takes ROWSxCOLS, at most " << kMaxTableRows << "x" << kMaxTableCols << "\n";
        return 1;
    }
    if (!(o.width > 0 && o.width <= kMaxCellSize && o.height > 0 && o.height <= kMaxCellSize)) {
        kwutil::Say() << "widths and heights are millimetres above 0 and up to " << kMaxCellSize << "\n";
        return 1;
    }
    if (ckw::Status saved = SaveTdbFile(kwutil::Gbk(o.output), UserTable(rows, cols, o.width, o.height)); !saved.ok()) {
        kwutil::Say() << kwutil::Utf8(saved.why()) << "\n";
        return 1;
    }
    std::cout << "wrote " << o.output << "\n";
    return 0;
}

// Exit status 0 when the table was saved with OK, 3 on Cancel, 1 on a script error, when another
// program holds the table or its working copy, or when the working copy could not be removed.
int Design(const Options& o) {
    kwutil::EnsureConfiguration();
    const fs::path file = fs::absolute(o.file);
    const fs::path workingCopy = file.parent_path() / "$tmpTdb.TDB";
    // The table and the folder's one working copy are held until the designer ends.
    ckw::fs::FileLock tableLock = ckw::fs::FileLock::Take(file);
    ckw::fs::FileLock workingLock = tableLock.held() ? ckw::fs::FileLock::Take(workingCopy) : ckw::fs::FileLock();
    if (!tableLock.held() || !workingLock.held()) {
        kwutil::Say() << (tableLock.held() ? workingLock : tableLock).why() << "; nothing was changed\n";
        return 1;
    }
    m_exDrawingPara.Init();
    TableDesignDialog dialog(kwutil::Gbk(file.string()), kwutil::Gbk(workingCopy.string()));
    const int result = kwutil::RunDialogSession(o.script, [&dialog] { return dialog.DoModal(); });
    int status = result == kwutil::kScriptFailed ? 1 : result == ckw::dlg::IDOK ? 0 : 3;
    if (status == 0) std::cout << "saved " << kwutil::Utf8(dialog.TablePath()) << "\n";
    if (!dialog.WorkingCopyLeft().empty()) {
        kwutil::Say() << kwutil::Utf8(dialog.WorkingCopyLeft()) << "\n";
        status = 1;
    }
    m_exDrawingPara.Close();
    return status;
}

int Run(const Options& o) {
    if (o.design) {
        if (o.file.empty()) throw CLI::ValidationError("table --design needs the .TDB file");
        return Design(o);
    }
    if (o.output.empty()) throw CLI::ValidationError("table needs -o");
    if (!o.newSize.empty()) return WriteNew(o);
    if (o.file.empty()) throw CLI::ValidationError("table needs a .TDB file to draw, or --new ROWSxCOLS");
    return Draw(o);
}

const kwutil::Command reg(
    "table", "Draw a user table file (.TDB), write an empty one, or design one", [](CLI::App& cmd) -> kwutil::Runner {
        auto o = std::make_shared<Options>();
        cmd.add_option("file", o->file, "the .TDB file to draw or design");
        cmd.add_option("-o,--output", o->output,
                       "OUT: draws into OUT.T and OUT.svg; with --new the .TDB file to write");
        cmd.add_option("--new", o->newSize, "ROWSxCOLS: write an empty table of this size to -o");
        cmd.add_option("--width", o->width, "column width of a new table, mm of paper (default 20)");
        cmd.add_option("--height", o->height, "row height of a new table, mm of paper (default 8)");
        cmd.add_option("--scale", o->scale, "drawing scale (default 100)")->check(kwutil::PositiveNumber());
        cmd.add_flag("--design", o->design, "open the table designer on the file (OK saves it)");
        cmd.add_option("--script", o->script, "with --design: play this dialog script instead of showing a window");
        return [o] { return Run(*o); };
    });

}  // namespace
