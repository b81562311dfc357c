// exCopyOtherFloor and the floor insertion it shares with the import of DWG drawings.
#include "drawfiles/FloorCommand.h"

#include <cstring>

#include <ckw/DrawingFiles.h>
#include <ckw/HostEngine.h>
#include "drawfiles/CopyFloorDialog.h"
#include "platform/Ui.h"

namespace ckw::drawfiles {

namespace {

// Paths here may be as long as the system allows (the original platform's limit was 260).
constexpr int kPathCapacity = 4096;

// Lets the user pick the insertion point; Esc keeps the point there was.
void PickPoint(Placement& placement) {
    ckw::ui::ShowOnPromptLine("请点取插入点, [ESC]退出");
    float record[kHostPickRecordSize] = {};
    int status = 1;
    m_pCfg->HostPickPoint(record, status);
    if (status != 0) return;
    placement.x = record[3];
    placement.y = record[4];
}

}  // namespace

InsertionReport RunFloorInsertion(const std::string& pathGbk, InsertMode mode) {
    if (!m_pCfg) return {};
    std::vector<SourceLayer> layers = ReadSourceLayers(pathGbk);
    if (layers.empty()) {
        ckw::ui::ShowError("没有发现图层！！");
        return {};
    }
    Placement placement;
    for (;;) {
        CopyFloorDialog dialog(pathGbk, layers, placement);
        const int result = dialog.DoModal();
        if (result == ckw::dlg::IDOK) break;
        if (result != CopyFloorDialog::kPickRequested) return {};
        PickPoint(placement);
    }
    const InsertionReport report = InsertDrawing(pathGbk, mode, layers, placement);
    if (!report.opened) ckw::ui::MessageBox("打不开图形文件" + pathGbk);
    return report;
}

}  // namespace ckw::drawfiles

void exCopyOtherFloor() {
    if (!m_pCfg) return;
    char path[ckw::drawfiles::kPathCapacity] = "0";
    const char pattern[] = "*.T";
    int length = 0;
    m_pCfg->HostFileDialog(pattern, static_cast<int>(sizeof pattern), path, ckw::drawfiles::kPathCapacity, length);
    if (length <= 0 || length >= ckw::drawfiles::kPathCapacity) return;
    ckw::drawfiles::RunFloorInsertion(std::string(path, static_cast<size_t>(length)),
                                      ckw::drawfiles::InsertMode::Floor);
}
