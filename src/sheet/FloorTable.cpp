// The floor elevation table: floor number, structural floor elevation and storey height of every
// storey, the roof on top, under a two-line title, placed with the cursor.
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "sheet/PaperSpace.h"

namespace {

constexpr int kCentred = 102;

struct TableText {
    float width, height;
    void Draw(const char* text, float x, float y) const {
        const int length = static_cast<int>(std::char_traits<char>::length(text));
        const float angle = 0;
        m_pCfg->HostDrawText(text, length, x, y, width, height, kCentred, kCentred, angle);
    }
    void DrawNumber(int decimals, double value, float x, float y) const {
        Draw(ckw::text::FormatFixed(value, decimals).c_str(), x, y);
    }
};

void SetTablePen(int widthCode) {
    const int layer = 9999, lineType = 1, colour = 15, mode = 1;
    m_pCfg->HostSetPen(layer, lineType, widthCode, colour, mode);
}

}  // namespace

void CUtil::kwDrawFloorTable(float scale, int floorCount, float* elevations, float* heights) {
    // Without a storey there is no roof elevation to give.
    if (!m_pCfg || floorCount < 1 || !elevations || !heights) return;
    ckw::geom::PaperSpaceGuard paperSpace;
    const float s = paperSpace.PaperSpace() ? 1.0f : scale;
    m_pCfg->HostBeginDrawing();
    float h = 0, w = 0;
    m_exDrawingPara.GetTextInfo("钢筋标注", h, w);
    h *= s;
    w *= s;

    const int n = floorCount;
    const float tableWidth = 40 * s, rowHeight = 2 * h, tableHeight = (n + 2) * rowHeight, titleBand = 6 * h;
    ckw::ui::ShowOnPromptLine("请选择楼层表的插入点");

    float x = 0, y = 0, angle = 0, boxWidth = tableWidth, boxHeight = tableHeight + titleBand;
    int xAnchor = 3, yAnchor = 1, key = 1;
    for (;;) {
        kwDragBox(x, y, boxWidth, boxHeight, angle, xAnchor, yAnchor, key);
        if (key == 0) break;
        if (key == 1) return;
    }
    kw_MyUsercs(KeloPoint2d(x, y), 1.0f);

    SetTablePen(4);
    const TableText title{1.5f * w, 1.5f * h};
    title.Draw("结构层楼面标高", 20 * s, titleBand - 2.25f * h);
    title.Draw("结  构  层  高", 20 * s, titleBand - 4.5f * h);
    m_pCfg->HostDrawLine(8 * s, 0, 32 * s, 0);

    SetTablePen(1);
    const TableText cell{w, h};
    const float numberX = 5 * s, elevationX = 10 * s + 7.5f * s, heightX = 25 * s + 7.5f * s;
    const float y0 = titleBand;
    for (int row = 0; row <= n + 1; ++row) {
        const float bottom = y0 + row * rowHeight, middle = bottom + rowHeight / 2;
        m_pCfg->HostDrawLine(0, bottom, tableWidth, bottom);
        if (row == 0) {
            cell.Draw("层 号", numberX, middle);
            cell.Draw("标高(m)", elevationX, middle);
            cell.Draw("层高(m)", heightX, middle);
        } else if (row <= n) {
            cell.DrawNumber(0, row, numberX, middle);
            cell.DrawNumber(3, elevations[row - 1], elevationX, middle);
            cell.DrawNumber(3, heights[row - 1] / 1000.0, heightX, middle);
        } else {
            cell.Draw("屋面", numberX, middle);
            cell.DrawNumber(3, heights[n - 1] / 1000.0 + elevations[n - 1], elevationX, middle);
        }
    }
    // The outer frame closes the table: top line and both sides.
    const float top = y0 + tableHeight;
    m_pCfg->HostDrawLine(0, top, tableWidth, top);
    for (float column : {0.0f, 10 * s, 25 * s, tableWidth}) m_pCfg->HostDrawLine(column, y0, column, top);
    m_pCfg->HostResetUserCoords();
}
