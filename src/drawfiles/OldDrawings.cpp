#include "drawfiles/OldDrawings.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <ckw/DrawingRecords.h>
#include <ckw/HostEngine.h>
#include "drawfiles/DrawingSearch.h"
#include "drawfiles/SideUnit.h"
#include "base/GbkText.h"

namespace ckw::drawfiles {

namespace {

using ckw::text::NameKey;

constexpr int kFileNameCapacity = 256;
constexpr int kPathCapacity = 260;
constexpr size_t kDrawingNameCapacity = 256;

std::string CurrentDrawingFile() {
    int unit = 0, length = 0;
    char name[kFileNameCapacity + 1] = {};
    m_pCfg->HostGetCurrentDrawing(unit);
    m_pCfg->HostGetDrawingFileName(unit, name, kFileNameCapacity, length);
    if (length < 0 || length > kFileNameCapacity) length = 0;
    return std::string(name, static_cast<size_t>(length));
}

// The drawing the user works on, named in any letter case or by another path to the same file.
bool IsCurrentDrawing(const FoundDrawing& file, const std::string& currentFile) {
    if (currentFile.empty()) return false;
    if (NameKey(file.path) == NameKey(currentFile)) return true;
    std::error_code ec;
    return std::filesystem::equivalent(ckw::text::GbkToUtf8(file.path), ckw::text::GbkToUtf8(currentFile), ec);
}

struct DrawingInfo {
    int kind = 0;
    std::string name;
    int floor = kAnyFloor;  // what a drawing without the record reads as: never accepted
    int scale = 0;
};

// Opens the file read-only on unit and reads its drawing-information record; false when the
// file does not open.
bool ReadInfo(const std::string& pathGbk, int unit, DrawingInfo& info) {
    const int length = static_cast<int>(pathGbk.size());
    const int capacity = std::max(kPathCapacity, length + 1);
    if (!m_pCfg->HostOpenDrawingFile(unit, pathGbk.c_str(), capacity, length)) return false;
    m_pCfg->HostSelectDrawing(unit);
    char name[kDrawingNameCapacity] = {};
    kwRead_DrawingInfo(info.kind, name, sizeof name, info.floor, info.scale);
    info.name = name;
    return true;
}

bool Accepts(const OldDrawingQuery& query, const std::string& nameKey, const DrawingInfo& info) {
    if (NameKey(info.name) != nameKey || std::abs(info.floor) >= kAnyFloor || info.kind != query.kind) return false;
    return std::abs(query.floor) >= kAnyFloor || info.floor == query.floor;
}

}  // namespace

std::vector<OldDrawing> FindOldDrawings(const OldDrawingQuery& query, const ScanProgress& progress) {
    std::vector<OldDrawing> accepted;
    const std::vector<FoundDrawing> files = FindDrawingFiles(query.folder);
    if (files.empty() || !m_pCfg) return accepted;
    int current = 0;
    m_pCfg->HostGetCurrentDrawing(current);
    const std::string currentFile = CurrentDrawingFile();
    const std::string nameKey = NameKey(query.drawingName);
    const int unit = FreeSideUnit();
    for (size_t i = 0; i < files.size(); ++i) {
        if (progress) progress(i, files.size());
        const FoundDrawing& file = files[i];
        if (IsCurrentDrawing(file, currentFile)) continue;
        DrawingInfo info;
        if (!ReadInfo(file.path, unit, info)) continue;
        if (Accepts(query, nameKey, info)) {
            // Shown as it is: plan3.T and PLAN3.T are two files that upper-casing would show alike.
            accepted.push_back({file.name, NameKey(file.path), file.path, info.floor, info.scale, file.written});
            m_pCfg->HostSaveDrawingState(unit);
        }
        m_pCfg->HostCloseDrawingFile(unit);
    }
    if (progress) progress(files.size(), files.size());
    m_pCfg->HostSelectDrawing(current);
    return accepted;
}

std::string WrittenText(std::time_t written) {
    std::tm local{};
    localtime_r(&written, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min);
    return text;
}

}  // namespace ckw::drawfiles
