#pragma once
// The candidates of the old-drawing browser: the drawings of a folder whose drawing-information
// record names the wanted drawing, kind and floor, read through the host engine.
#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace ckw::drawfiles {

// Floor arguments (and floor numbers) at or beyond this, in absolute value, mean "every floor".
inline constexpr int kAnyFloor = 999;

struct OldDrawing {
    std::string shownName;  // GBK, the file's name without folder, as it is
    std::string pathKey;    // GBK, upper-cased full path (what callers were handed)
    std::string realPath;   // GBK, the file's real name with its folder (what is opened)
    int floor = 0;
    int scale = 0;
    std::time_t written = 0;
};

struct OldDrawingQuery {
    std::string folder;       // GBK
    std::string drawingName;  // GBK
    int kind = 0;
    int floor = kAnyFloor;
};

// done of total files looked into so far.
using ScanProgress = std::function<void(size_t done, size_t total)>;

// The accepted drawings in search order. The drawing open in the engine is never among them,
// whatever the letter case of its path; the engine's selected drawing is selected again at the
// end. Needs m_pCfg.
std::vector<OldDrawing> FindOldDrawings(const OldDrawingQuery& query, const ScanProgress& progress = {});

// "2026-3-9 09:05": year, month and day, then the time as a clock shows it, in local time.
std::string WrittenText(std::time_t written);

}  // namespace ckw::drawfiles
