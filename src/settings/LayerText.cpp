#include "settings/LayerText.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/Shell.h"
#include "drawpara/LayerTable.h"
#include "drawpara/LibraryStep.h"

namespace ckw::settings {

namespace {
constexpr size_t kShortestLine = 10;  // characters, the line break included
constexpr size_t kWordsPerLine = 6;

std::string FormatLine(const CkwLayerDef_& row) {
    // Sized for the longest values: a value longer than its width pushes the rest to the right.
    std::string kind = row.GetComponentKind(), name = row.GetLayerName(), number = row.GetLayerNumber(),
                colour = row.GetColor(), lineType = row.GetLineType();
    std::vector<char> buffer(kind.size() + name.size() + number.size() + colour.size() + lineType.size() + 256);
    const std::string width = ckw::text::FormatFixed(row.GetLineWidth(), 2);
    int n = std::snprintf(buffer.data(), buffer.size(), "%-30s %-30s %-10s %-20s %-20s %-10s\n", kind.c_str(),
                          name.c_str(), number.c_str(), colour.c_str(), lineType.c_str(), width.c_str());
    return n > 0 ? std::string(buffer.data(), std::min(static_cast<size_t>(n), buffer.size() - 1)) : std::string();
}
}  // namespace

void WriteLayerText(std::ostream& out, const std::vector<CkwLayerDef_>& rows) {
    for (const CkwLayerDef_& row : rows) out << FormatLine(row);
}

std::vector<CkwLayerDef_> ReadLayerText(std::istream& in) {
    std::vector<CkwLayerDef_> rows;
    std::string line;
    while (std::getline(in, line)) {
        bool hadBreak = !in.eof();
        if (line.size() + (hadBreak ? 1 : 0) < kShortestLine) continue;
        // No text line: its words would end at the NUL, and a field could come out empty.
        if (line.find('\0') != std::string::npos) continue;
        std::istringstream words(line);
        std::vector<std::string> word;
        for (std::string w; word.size() < kWordsPerLine && words >> w;) word.push_back(w);
        if (word.size() < kWordsPerLine) continue;
        CkwLayerDef_ row;
        row.SetComponentKind(word[0].c_str());
        row.SetLayerName(word[1].c_str());
        row.SetLayerNumber(word[2].c_str());
        row.SetColor(word[3].c_str());
        row.SetLineType(word[4].c_str());
        row.SetLineWidth(static_cast<float>(ckw::text::ParseNumber(word[5])));
        rows.push_back(std::move(row));
    }
    return rows;
}

bool ExportLayerText(const CString& libraryPathGbk, const CString& textPathGbk) {
    std::vector<CkwLayerDef_> rows;
    if (!ckw::drawpara::ReadLayerTable(libraryPathGbk, rows)) return false;
    // Written next to the file and renamed over it, so that a failed write leaves the old one.
    std::filesystem::path target = ckw::text::GbkToUtf8(textPathGbk.str());
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        WriteLayerText(out, rows);
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, target, ec);
    if (ec) return false;
    ckw::shell::OpenInTextEditor(textPathGbk.str());
    return true;
}

bool ImportLayerText(const CString& textPathGbk, const CString& libraryPathGbk) {
    std::ifstream in(ckw::text::GbkToUtf8(textPathGbk.str()), std::ios::binary);
    if (!in) return false;
    std::vector<CkwLayerDef_> rows = ReadLayerText(in);
    // A file without a single layer line would empty the table: nothing is imported from it.
    if (rows.empty()) return false;
    return ckw::drawpara::RunLibraryStep(libraryPathGbk, ckw::drawpara::StepMode::Write,
                                         [&](ckw::dao::Database& db) { ckw::drawpara::RewriteLayerTable(db, rows); });
}

}  // namespace ckw::settings
