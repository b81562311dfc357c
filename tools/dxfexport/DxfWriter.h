#pragma once
// Writes an engine drawing as DXF (R2000, code page 936 so that GBK texts stay as they are):
// layers with colours and line types, line-type definitions, blocks and insertions, every
// entity kind, entity extended data as XDATA under its application names, and the drawing-level
// record as the XRECORD "CKW_DRAWING_DATA" of the named objects. Our own code, used by both
// TdwgConv and kwutil export.
#include <filesystem>
#include <map>
#include <string>

#include <ckw/EngineDrawing.h>

namespace ckw::dxf {

// The name under which the named objects hold the drawing-level record.
inline constexpr const char* kDrawingRecordName = "CKW_DRAWING_DATA";

struct ExportCounts {
    std::map<std::string, long> written;  // DXF kind -> count (model space)
    std::map<std::string, long> skipped;  // engine kind name -> count
};

// Written to a temporary file beside `file` and renamed over it: no file on failure.
[[nodiscard]] bool WriteDxf(const engine::Drawing& drawing, const std::filesystem::path& file, std::string& error,
                            ExportCounts* counts = nullptr);
std::string DxfText(const engine::Drawing& drawing, ExportCounts* counts = nullptr);

// A name as DXF symbol tables take it (layers, blocks, applications): the characters they refuse
// (<>/\":;?*|=` and control characters) become '_'; `fallback` when nothing is left. GBK.
std::string SymbolName(const std::string& gbk, const std::string& fallback);

}  // namespace ckw::dxf
