#include "tables/TableDrawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include "base/GbkText.h"

namespace ckw::tables {

namespace {

// Room kept between a text and its cell's sides, millimetres of paper.
constexpr double kSidePad = 1.0;
constexpr double kTopPad = 0.5;
// A heavy border without a width of its layer to double.
constexpr int kHeavyWidthCode = 500;

// Host text alignment codes: left / bottom, centre, right / top.
constexpr int kAlignLow = 101, kAlignMiddle = 102, kAlignHigh = 103;

struct Pen {
    int layer = 0;
    int lineType = 1;
    int widthCode = 250;
    int colour = 7;

    void Use(int widthCode) const {
        const int mode = 1;
        m_pCfg->HostSetPen(layer, lineType, widthCode, colour, mode);
    }
};

Pen LayerPen(const std::string& kind, const char* fallback) {
    Pen pen;
    char name[100] = {};
    float width = 0;
    if (m_exDrawingPara.GetLayerInfo(kind.empty() ? fallback : kind.c_str(), name, sizeof name, pen.layer, pen.colour,
                                     pen.lineType, width))
        pen.widthCode = static_cast<int>(std::lround(width * 1000));
    return pen;
}

// Width of a text in double-byte characters' widths: a single-byte character is half of one.
double TextUnits(const std::string& gbk) {
    double units = 0;
    for (size_t i = 0; i < gbk.size();) {
        const size_t length = ckw::text::CharLength(gbk, i);
        units += length > 1 ? 1 : 0.5;
        i += length;
    }
    return units;
}

class TableSketch {
public:
    TableSketch(const UserTable& table, float x, float y, float scale)
        : m_table(table), m_x(x), m_y(y), m_scale(scale), m_anchors(static_cast<size_t>(table.Rows()) * table.Cols()) {
        m_xs.push_back(0);
        for (int c = 0; c < table.Cols(); ++c) m_xs.push_back(m_xs.back() + table.ColWidth(c));
        m_ys.push_back(0);
        for (int r = 0; r < table.Rows(); ++r) m_ys.push_back(m_ys.back() + table.RowHeight(r));
        for (int r = 0; r < table.Rows(); ++r)
            for (int c = 0; c < table.Cols(); ++c) {
                const TableCell& cell = table.Cell(r, c);
                if (cell.Covered()) continue;
                for (int i = r; i < r + cell.rowSpan; ++i)
                    for (int j = c; j < c + cell.colSpan; ++j) m_anchors[Index(i, j)] = &cell;
            }
    }

    void Lines(const Pen& pen) {
        const int heavyCode = pen.widthCode > 0 ? 2 * pen.widthCode : kHeavyWidthCode;
        int current = -1;
        auto draw = [&](int state, double x1, double y1, double x2, double y2) {
            const int code = state == 2 ? heavyCode : pen.widthCode;
            if (code != current) pen.Use(current = code);
            m_pCfg->HostDrawLine(X(x1), Y(y1), X(x2), Y(y2));
        };
        const int rows = m_table.Rows(), cols = m_table.Cols();
        // Horizontal lines: between row i - 1 and row i, joined along runs of the same pen.
        for (int i = 0; i <= rows; ++i)
            Runs(
                cols, [&](int j) { return Edge(At(i - 1, j), kBottom, At(i, j), kTop); },
                [&](int state, int from, int to) { draw(state, m_xs[from], m_ys[i], m_xs[to], m_ys[i]); });
        for (int j = 0; j <= cols; ++j)
            Runs(
                rows, [&](int i) { return Edge(At(i, j - 1), kRight, At(i, j), kLeft); },
                [&](int state, int from, int to) { draw(state, m_xs[j], m_ys[from], m_xs[j], m_ys[to]); });
    }

    void Texts(const Pen& pen) {
        pen.Use(pen.widthCode);
        for (int r = 0; r < m_table.Rows(); ++r)
            for (int c = 0; c < m_table.Cols(); ++c) {
                const TableCell& cell = m_table.Cell(r, c);
                if (cell.Covered() || cell.text.empty()) continue;
                Text(cell, m_xs[c], m_ys[r], m_xs[c + cell.colSpan], m_ys[r + cell.rowSpan]);
            }
    }

private:
    size_t Index(int row, int col) const { return static_cast<size_t>(row) * m_table.Cols() + col; }
    const TableCell* At(int row, int col) const {
        return m_table.Contains(row, col) ? m_anchors[Index(row, col)] : nullptr;
    }
    float X(double mm) const { return static_cast<float>(m_x + mm * m_scale); }
    float Y(double mm) const { return static_cast<float>(m_y - mm * m_scale); }

    // 0 no line, 1 a line, 2 a heavy line between two cells (nullptr: outside the table). Inside
    // a merged cell there is none; otherwise either cell's side asks for it.
    static int Edge(const TableCell* a, int sideOfA, const TableCell* b, int sideOfB) {
        if (a == b) return 0;
        const bool shown = (a && (a->borders & sideOfA)) || (b && (b->borders & sideOfB));
        const bool heavy =
            (a && (a->borders & a->heavyBorders & sideOfA)) || (b && (b->borders & b->heavyBorders & sideOfB));
        return shown ? (heavy ? 2 : 1) : 0;
    }

    template <typename State, typename Emit>
    static void Runs(int count, State state, Emit emit) {
        for (int k = 0; k < count;) {
            const int s = state(k);
            int end = k + 1;
            while (end < count && state(end) == s) ++end;
            if (s != 0) emit(s, k, end);
            k = end;
        }
    }

    void Text(const TableCell& cell, double left, double top, double right, double bottom) {
        const double cellWidth = right - left, cellHeight = bottom - top;
        double height = cell.textHeightTenths / 10.0;
        const double roomHigh = cellHeight - 2 * kTopPad, roomWide = cellWidth - 2 * kSidePad;
        if (height > roomHigh) height = std::max(roomHigh, 0.6 * cellHeight);
        double width = height * cell.widthFactorPercent / 100.0;
        const double units = TextUnits(cell.text);
        if (units * width > roomWide && roomWide > 0) width = roomWide / units;

        const int column = (cell.alignment - 1) % 3, line = (cell.alignment - 1) / 3;
        const double x = column == 0 ? left + kSidePad : column == 1 ? (left + right) / 2 : right - kSidePad;
        const double y = line == 0 ? top + kTopPad : line == 1 ? (top + bottom) / 2 : bottom - kTopPad;
        const int hAlign = column == 0 ? kAlignLow : column == 1 ? kAlignMiddle : kAlignHigh;
        const int vAlign = line == 0 ? kAlignHigh : line == 1 ? kAlignMiddle : kAlignLow;
        const int length = static_cast<int>(cell.text.size());
        const float charWidth = static_cast<float>(width * m_scale), charHeight = static_cast<float>(height * m_scale);
        const float angle = 0;
        m_pCfg->HostDrawText(cell.text.c_str(), length, X(x), Y(y), charWidth, charHeight, hAlign, vAlign, angle);
    }

    const UserTable& m_table;
    double m_x, m_y, m_scale;
    std::vector<double> m_xs, m_ys;           // column and row edges from the top-left corner
    std::vector<const TableCell*> m_anchors;  // the cell each position shows
};

}  // namespace

void DrawUserTable(const UserTable& table, float x, float y, float scale) {
    if (!m_pCfg || table.Rows() == 0) return;
    m_pCfg->HostBeginDrawing();
    TableSketch sketch(table, x, y, scale);
    sketch.Lines(LayerPen(table.lineLayer, kDefaultLineLayer));
    sketch.Texts(LayerPen(table.textLayer, kDefaultTextLayer));
}

}  // namespace ckw::tables
