#pragma once
// Bringing a DWG, DXF or .T drawing into the current drawing. DWG and DXF files are converted
// first by the converter "TdwgConv" of the configuration directory, started as
// "TdwgConv PATH 1"; it writes "<NAME upper-cased>.T" beside the file (plan.dwg -> PLAN.T) and
// exits with 0, or with another status and a message on stderr.
#include <optional>
#include <string>

#include "drawfiles/FloorInsertion.h"

namespace ckw::drawfiles {

// The open-file filter of the import: DWG first, then the suite's drawings and DXF.
inline constexpr char kImportFilter[] =
    "AutoCAD图形文件 (*.dwg)|*.dwg|KELO图形文件 (*.T)|*.T|DXF图形文件 (*.dxf)|*.dxf|";

struct ImportSource {
    bool ok = false;
    std::string drawing;  // GBK: the .T drawing to insert (the chosen file itself for a .T)
    std::string message;  // GBK: why there is none, for the user
    std::string leftOut;  // GBK: the lines of the converter's report that say what it left out and why
};

// The lines of a converter report (UTF-8) that say something was left out or changed: the kinds
// with entities skipped (and why), characters GBK cannot hold, dropped extended data. Empty when
// everything was converted.
std::string LeftOutLines(const std::string& reportUtf8);

// The converter of the configuration directory (GBK); empty when none is configured.
std::string ConverterPath();

// The drawing that shows the chosen file: a .T file (any letter case) as it is; anything else
// converted with the converter. A drawing already there under the converter's output name is
// replaced only when the person agrees; otherwise (and headless) it stays and the conversion is
// renamed to the first free "<NAME>-<n>.T" beside it. A conversion that fails (cannot start,
// non-zero exit, no output file) gives no drawing and the converter's message.
ImportSource PrepareImport(const std::string& chosenGbk, const std::string& converterGbk);

// A drawing that shows the chosen file, for a preview: a .T file itself; a DWG or DXF file
// converted from a copy in workDir (nothing is written beside the user's file). Safe to call off
// the interface thread: no dialog, no message, no host engine.
std::optional<std::string> PreviewDrawing(const std::string& chosenGbk, const std::string& converterGbk,
                                          const std::string& workDirGbk);

// The drawing the converter writes for a chosen file (GBK): its folder, its name without the
// suffix upper-cased, ".T".
std::string ConvertedDrawingPath(const std::string& chosenGbk);

}  // namespace ckw::drawfiles
