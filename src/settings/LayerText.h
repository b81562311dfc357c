#pragma once
// The component-layer table exchanged with a text file the user edits: one line per table row,
// six blank-separated words (component type, layer name, layer number, colour, line type, line
// width), in GBK, written with the widths "%-30s %-30s %-10s %-20s %-20s %-10.2f".
#include <istream>
#include <ostream>
#include <vector>

#include <ckw/CString.h>
#include <ckw/ParaRecords.h>

namespace ckw::settings {

void WriteLayerText(std::ostream& out, const std::vector<CkwLayerDef_>& rows);

// Lines of any length are read whole. Lines shorter than 10 characters (line break included),
// lines with fewer than six words and lines holding a NUL byte are skipped; the rest of the file
// is still read. The line width is read as a C number (garbage gives 0).
std::vector<CkwLayerDef_> ReadLayerText(std::istream& in);

// Writes the library's table to the text file and shows it in the user's editor (without
// waiting). false (with the step's message): nothing written.
bool ExportLayerText(const CString& libraryPathGbk, const CString& textPathGbk);

// Rewrites the library's table from the text file (one transaction). false: the file could not
// be read, holds no layer line, or the table was not changed.
bool ImportLayerText(const CString& textPathGbk, const CString& libraryPathGbk);

}  // namespace ckw::settings
