// kwOpen_OldDrawing: the browser of earlier drawings, handing back the picked path or opening it
// in place of the working drawing.
#include <algorithm>
#include <optional>

#include <ckw/DrawingFiles.h>
#include <ckw/HostEngine.h>
#include "drawfiles/OldDrawingDialog.h"
#include "drawfiles/OldDrawings.h"
#include "drawfiles/SideUnit.h"
#include "base/GbkText.h"
#include "platform/Ui.h"

namespace {

using ckw::drawfiles::OldDrawing;

// The size of the path buffers the suite's programs pass.
constexpr size_t kCallerPathCapacity = 260;
constexpr int kOpenCapacity = 260;

struct Choice {
    bool ok = false;
    std::optional<OldDrawing> picked;
};

Choice Browse(const char* folder, const char* drawingName, int kind, int floor) {
    if (!m_pCfg) return {};
    ckw::drawfiles::OldDrawingQuery query{folder ? folder : "", drawingName ? drawingName : "", kind, floor};
    const std::vector<OldDrawing> candidates = ckw::drawfiles::FindOldDrawings(query);
    if (candidates.empty()) return {};
    ckw::drawfiles::OldDrawingDialog dialog(query.folder, candidates);
    Choice choice;
    choice.ok = dialog.DoModal() == ckw::dlg::IDOK;
    if (choice.ok && dialog.Picked()) choice.picked = candidates[*dialog.Picked()];
    return choice;
}

int OpenOn(int unit, const std::string& pathGbk, bool readOnly) {
    const int length = static_cast<int>(pathGbk.size());
    const int capacity = std::max(kOpenCapacity, length + 1);
    return readOnly ? m_pCfg->HostOpenDrawingFile(unit, pathGbk.c_str(), capacity, length)
                    : m_pCfg->HostOpenDrawing(unit, pathGbk.c_str(), capacity, length);
}

// Whether the file opens, tried on a free side unit so that nothing of the user's is touched.
bool Opens(const std::string& pathGbk) {
    int current = 0;
    m_pCfg->HostGetCurrentDrawing(current);
    const int unit = ckw::drawfiles::FreeSideUnit();
    const bool opened = OpenOn(unit, pathGbk, true) != 0;
    if (opened) m_pCfg->HostCloseDrawingFile(unit);
    m_pCfg->HostSelectDrawing(current);
    return opened;
}

}  // namespace

int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale, char* path,
                      size_t pathCapacity) {
    Choice choice = Browse(folder, drawingName, kind, floor);
    if (!choice.ok) return 0;
    if (!choice.picked) return 1;
    // The real name: an upper-cased path would name no file where names keep their letter case.
    const std::string& handed = choice.picked->realPath;
    if (!path || handed.size() >= pathCapacity) {
        ckw::ui::ShowError("文件路径太长，无法返回！");
        return 0;
    }
    ckw::text::CopyToBuffer(handed, path, pathCapacity);
    floor = choice.picked->floor;
    scale = choice.picked->scale;
    return 1;
}

int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale, char* path) {
    return kwOpen_OldDrawing(folder, drawingName, kind, floor, scale, path, kCallerPathCapacity);
}

int kwOpen_OldDrawing(const char* folder, const char* drawingName, int& kind, int& floor, int& scale) {
    Choice choice = Browse(folder, drawingName, kind, floor);
    if (!choice.ok) return 0;
    if (!choice.picked) return 1;
    const std::string& file = choice.picked->realPath;
    // The working drawing is given up only for a file that opens.
    if (!Opens(file)) return 0;
    int unit = 0;
    m_pCfg->HostGetCurrentDrawing(unit);
    m_pCfg->HostCloseDrawing(unit);
    if (!OpenOn(unit, file, false)) return 0;
    floor = choice.picked->floor;
    scale = choice.picked->scale;
    m_pCfg->HostShowDrawing();
    return 1;
}
