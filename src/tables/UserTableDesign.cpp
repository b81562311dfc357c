// CUtil::UserTableDesign: the table designer, then the table placed with the cursor.
#include <cstdio>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "platform/Ui.h"
#include "dialog/DialogTemplate.h"
#include "sheet/PaperSpace.h"
#include "tables/TableDesignDialog.h"
#include "tables/TableDrawing.h"

namespace {

constexpr const char* kTableFile = "%s/TableData1.TDB";
constexpr const char* kWorkingCopy = "%s/$tmpTdb.TDB";

std::string InConfigDir(const char* pattern, const char* dir) {
    char path[600];
    std::snprintf(path, sizeof path, pattern, dir);
    return path;
}

}  // namespace

int CUtil::UserTableDesign() {
    char dir[260] = {};
    // Without a configuration the table files would be looked for at the file-system root; the
    // lookup has said what is missing.
    if (!GetKeloCfgPath(dir) || !dir[0]) return 0;
    ckw::tables::TableDesignDialog dialog(InConfigDir(kTableFile, dir), InConfigDir(kWorkingCopy, dir));
    if (dialog.DoModal() != ckw::dlg::IDOK || !m_pCfg) return 0;
    const ckw::tables::UserTable& table = dialog.Table();

    ckw::geom::PaperSpaceGuard paperSpace;
    const float scale = paperSpace.PaperSpace() ? 1.0f : static_cast<float>(m_exDrawingPara.GetDrawingScale());
    ckw::ui::ShowOnPromptLine("请选择表格的插入点");
    float x = 0, y = 0, angle = 0;
    float width = static_cast<float>(table.Width() * scale), height = static_cast<float>(table.Height() * scale);
    int xAnchor = 0, yAnchor = 3, key = 1;
    for (;;) {
        kwDragBox(x, y, width, height, angle, xAnchor, yAnchor, key);
        if (key == 0) break;
        if (key == 1) return 0;
    }
    ckw::tables::DrawUserTable(table, x, y, scale);
    return 1;
}
