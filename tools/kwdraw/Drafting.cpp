#include "Drafting.h"

#include <QEventLoop>
#include <QFont>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <optional>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>

#include "DisplayModel.h"
#include "DrawingInfo.h"
#include "DrawingView.h"
#include "GbkQt.h"
#include "PointPrompt.h"

namespace kwdraw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kLeft = 101, kCentre = 102, kBottom = 101;
constexpr int kBreakLookMilliseconds = 50;

double Deg(double radians) { return radians * 180 / kPi; }
float F(double v) { return static_cast<float>(v); }

// Lines, polylines, circles and arcs of one's own go on layer 0 in white, solid and thin, whatever
// pen the commands before left set.
void OwnPen() { m_pCfg->HostSetPen(0, 1, 0, 7, 1); }

// The pen of a component kind of the parameter library ("尺寸标注", "文字"); one's own pen where
// the library has no such kind.
void LibraryPen(const char* kind, int widthFactor = 1) {
    char name[64] = {};
    int layer = 0, colour = 0, lineType = 1;
    float width = 0;
    if (!m_exDrawingPara.GetLayerInfo(kind, name, sizeof name, layer, colour, lineType, width)) return OwnPen();
    m_pCfg->HostSetPen(layer, lineType, static_cast<int>(std::lround(width * 1000 * widthFactor)), colour, 1);
}

void Circle(double cx, double cy, double r) { m_pCfg->HostDrawArc(F(cx), F(cy), F(r), 0, 360); }

}  // namespace

// --- Geometry ------------------------------------------------------------------------------------

bool ArcThrough(double x1, double y1, double x2, double y2, double x3, double y3, double& cx, double& cy, double& r,
                double& start, double& end) {
    const double d = 2 * (x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2));
    const double scale = std::max({std::abs(x1 - x3), std::abs(y1 - y3), std::abs(x2 - x1), std::abs(y2 - y1)});
    if (!(std::abs(d) > 1e-12 * scale * scale)) return false;
    const double s1 = x1 * x1 + y1 * y1, s2 = x2 * x2 + y2 * y2, s3 = x3 * x3 + y3 * y3;
    cx = (s1 * (y2 - y3) + s2 * (y3 - y1) + s3 * (y1 - y2)) / d;
    cy = (s1 * (x3 - x2) + s2 * (x1 - x3) + s3 * (x2 - x1)) / d;
    r = std::hypot(x1 - cx, y1 - cy);
    const double a1 = Deg(std::atan2(y1 - cy, x1 - cx)), a3 = Deg(std::atan2(y3 - cy, x3 - cx));
    // Anticlockwise from the first point when the three turn left, else from the third.
    const bool left = (x2 - x1) * (y3 - y1) - (y2 - y1) * (x3 - x1) > 0;
    start = left ? a1 : a3;
    end = left ? a3 : a1;
    return true;
}

double ArcHeightThrough(double x1, double y1, double x2, double y2, double x3, double y3) {
    double cx, cy, r, start, end;
    const double c = std::hypot(x3 - x1, y3 - y1);
    if (c == 0 || !ArcThrough(x1, y1, x2, y2, x3, y3, cx, cy, r, start, end)) return 0;
    // The arc's middle lies on the chord's perpendicular through the centre, on the side of the
    // point it passes through.
    const double nx = (y3 - y1) / c, ny = -(x3 - x1) / c;  // to the right of the chord
    const double mx = (x1 + x3) / 2, my = (y1 + y3) / 2;
    const double side = (x2 - mx) * nx + (y2 - my) * ny >= 0 ? 1 : -1;
    return (cx - mx) * nx + (cy - my) * ny + side * r;
}

DimensionStyle DimensionStyle::FromLibrary() {
    DimensionStyle style;
    auto read = [](const char* item, double& value) {
        float v = 0;
        if (m_exDrawingPara.GetDimInfo(item, v) && std::isfinite(v) && v > 0) value = v;
    };
    read("尺寸线超出", style.extensionBeyond);
    read("起点偏移", style.originGap);
    read("箭头大小", style.tick);
    read("文字高度", style.textHeight);
    read("文字宽度系数", style.textWidthFactor);
    read("文字偏移", style.textGap);
    return style;
}

DimensionShape LayOutDimension(double x1, double y1, double x2, double y2, double x3, double y3, bool aligned,
                               const DimensionStyle& style, double scale) {
    DimensionShape shape;
    double ux = 1, uy = 0;
    if (aligned) {
        const double length = std::hypot(x2 - x1, y2 - y1);
        if (!(length > 0)) return shape;
        ux = (x2 - x1) / length;
        uy = (y2 - y1) / length;
    } else {
        // Horizontal when the line's point lies above or below the points, vertical when beside
        // them, else along the larger extent.
        const bool betweenX = x3 >= std::min(x1, x2) && x3 <= std::max(x1, x2);
        const bool betweenY = y3 >= std::min(y1, y2) && y3 <= std::max(y1, y2);
        const bool horizontal = betweenX != betweenY ? betweenX : std::abs(x2 - x1) >= std::abs(y2 - y1);
        if (!horizontal) ux = 0, uy = 1;
    }
    const double nx = -uy, ny = ux;
    const double measured = std::abs((x2 - x1) * ux + (y2 - y1) * uy);
    if (!(measured > 0)) return shape;
    // The feet of the measured points on the dimension line through p3.
    const double f1 = (x3 - x1) * nx + (y3 - y1) * ny, f2 = (x3 - x2) * nx + (y3 - y2) * ny;
    const double q1x = x1 + nx * f1, q1y = y1 + ny * f1, q2x = x2 + nx * f2, q2y = y2 + ny * f2;
    auto extension = [&](double px, double py, double qx, double qy, double along) {
        const double sign = along >= 0 ? 1 : -1, gap = std::min(style.originGap * scale, std::abs(along));
        const double beyond = style.extensionBeyond * scale;
        shape.lines.push_back(
            {px + sign * nx * gap, py + sign * ny * gap, qx + sign * nx * beyond, qy + sign * ny * beyond});
    };
    extension(x1, y1, q1x, q1y, f1);
    extension(x2, y2, q2x, q2y, f2);
    shape.lines.push_back({q1x, q1y, q2x, q2y});
    // Ticks: short strokes at 45 degrees to the dimension line.
    const double tx = (ux - uy) / std::sqrt(2.0), ty = (ux + uy) / std::sqrt(2.0), half = style.tick * scale / 2;
    for (auto [qx, qy] : {std::pair{q1x, q1y}, std::pair{q2x, q2y}})
        shape.ticks.push_back({qx - tx * half, qy - ty * half, qx + tx * half, qy + ty * half});
    // The text reads from the left or from below, above the line.
    double angle = Deg(std::atan2(uy, ux));
    double rx = ux, ry = uy;
    if (angle > 90 || angle <= -90) angle += angle > 0 ? -180 : 180, rx = -ux, ry = -uy;
    const double gap = style.textGap * scale;
    shape.textX = (q1x + q2x) / 2 - ry * gap;
    shape.textY = (q1y + q2y) / 2 + rx * gap;
    shape.textAngle = angle;
    shape.text = ckw::engine::FormatNumber(std::round(measured));
    return shape;
}

// --- Commands ------------------------------------------------------------------------------------

void LineCommand() {
    float x = 0, y = 0;
    if (!AskPoint("请点取直线起点", x, y)) return;
    OwnPen();
    for (float nx = 0, ny = 0; AskPoint("请点取直线下一点（回车结束）", nx, ny, LineFrom(x, y)); x = nx, y = ny)
        m_pCfg->HostDrawLine(x, y, nx, ny);
}

void PolylineCommand() {
    std::vector<float> xs, ys, heights;
    float x = 0, y = 0;
    if (!AskPoint("请点取多段线起点", x, y)) return;
    xs.push_back(x), ys.push_back(y), heights.push_back(0);
    bool arcs = false;
    for (;;) {
        const float px = xs.back(), py = ys.back();
        float nx = 0, ny = 0;
        Asked asked = AskPointOrTab(
            arcs ? "请点取圆弧通过的点（TAB 改为直线，回车结束）" : "请点取下一点（TAB 改为圆弧，回车结束）", nx, ny,
            LineFrom(px, py));
        if (asked == Asked::Tab) {
            arcs = !arcs;
            continue;
        }
        if (asked != Asked::Point) break;
        if (arcs) {
            // The arc through the point just given, to its end point.
            float ex = 0, ey = 0;
            auto band = [&](float cx, float cy) {
                double ox, oy, r, a0, a1;
                if (ArcThrough(px, py, nx, ny, cx, cy, ox, oy, r, a0, a1))
                    m_pCfg->HostDrawArc(F(ox), F(oy), F(r), F(a0), F(a1));
                else
                    m_pCfg->HostDrawLine(px, py, cx, cy);
            };
            if (!AskPoint("请点取圆弧终点", ex, ey, band)) break;
            heights.back() = F(ArcHeightThrough(px, py, nx, ny, ex, ey));
            nx = ex, ny = ey;
        }
        xs.push_back(nx), ys.push_back(ny), heights.push_back(0);
    }
    // Ending on its start (snapped to it, or typed) closes it.
    const bool closed = xs.size() > 3 && xs.back() == xs.front() && ys.back() == ys.front();
    if (closed) xs.pop_back(), ys.pop_back(), heights.pop_back();
    if (xs.size() < 2) return;
    OwnPen();
    const int count = static_cast<int>(xs.size());
    const std::vector<float> zeros(xs.size(), 0.0f);
    m_pCfg->HostDrawWidePolyline(count, xs.data(), ys.data(), heights.data(), zeros.data(), zeros.data(), zeros.data(),
                                 closed ? 1 : 0);
}

void CircleCommand() {
    float cx = 0, cy = 0, x = 0, y = 0;
    if (!AskPoint("请点取圆心", cx, cy)) return;
    auto band = [cx, cy](float px, float py) { Circle(cx, cy, std::hypot(px - cx, py - cy)); };
    if (!AskPoint("请点取圆上一点（或输入 @半径,0）", x, y, band)) return;
    const double r = std::hypot(x - cx, y - cy);
    OwnPen();
    if (r > 0) Circle(cx, cy, r);
}

void ArcCommand() {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0;
    if (!AskPoint("请点取圆弧起点", x1, y1) || !AskPoint("请点取圆弧通过的点", x2, y2, LineFrom(x1, y1))) return;
    auto band = [&](float x, float y) {
        double cx, cy, r, a0, a1;
        if (ArcThrough(x1, y1, x2, y2, x, y, cx, cy, r, a0, a1)) m_pCfg->HostDrawArc(F(cx), F(cy), F(r), F(a0), F(a1));
    };
    if (!AskPoint("请点取圆弧终点", x3, y3, band)) return;
    double cx, cy, r, a0, a1;
    OwnPen();
    if (ArcThrough(x1, y1, x2, y2, x3, y3, cx, cy, r, a0, a1)) m_pCfg->HostDrawArc(F(cx), F(cy), F(r), F(a0), F(a1));
}

namespace {

// An editor on the canvas at the text's place, its letters at the text's size: [Enter] gives the
// text, [Esc] nothing. Typing Chinese goes through the input method as in any line editor.
std::optional<QString> TypeInPlace(DrawingView& view, double x, double y, double height) {
    QLineEdit editor(&view);
    editor.setObjectName(QStringLiteral("textInPlace"));
    QFont font = editor.font();
    // Clamped before the conversion: a view zoomed far in makes the size any number.
    font.setPixelSize(static_cast<int>(std::clamp(height * view.Scale(), 8.0, 200.0)));
    editor.setFont(font);
    editor.setFrame(false);
    editor.setMinimumWidth(200);
    editor.adjustSize();
    const QPointF at = view.ToDevice(QPointF(x, y));
    editor.move(at.toPoint() - QPoint(0, editor.height()));
    editor.show();
    editor.setFocus();
    QEventLoop loop;
    std::optional<QString> typed;
    QObject::connect(&editor, &QLineEdit::returnPressed, &loop, [&] {
        typed = editor.text();
        loop.quit();
    });
    QObject::connect(&editor, &QLineEdit::editingFinished, &loop, [&] {
        if (!typed) loop.quit();  // focus went elsewhere: given up
    });
    // [Esc] while the command waits for no point asks it to stop: the window hears the key.
    QTimer breaks;
    QObject::connect(&breaks, &QTimer::timeout, &loop, [&] {
        if (m_pCfg->HostUserBreak()) loop.quit();
    });
    breaks.start(kBreakLookMilliseconds);
    loop.exec();
    view.setFocus();
    return typed && !typed->trimmed().isEmpty() ? typed : std::nullopt;
}

}  // namespace

void TextCommand(DrawingView& view) {
    float x = 0, y = 0;
    if (!AskPoint("请点取文字位置", x, y)) return;
    float height = 3.5f, width = 2.45f;
    m_exDrawingPara.GetTextInfo("说明文字", height, width);
    height *= DrawingScale();
    width *= DrawingScale();
    m_pCfg->HostPrompt("请输入文字（回车结束）", static_cast<int>(sizeof "请输入文字（回车结束）" - 1));
    // The editor stands where the text will: the window's canvas shows world points.
    const auto typed = TypeInPlace(view, x, y, height);
    m_pCfg->HostClearPrompt();
    if (!typed) return;
    const std::string gbk = ToGbk(*typed);
    LibraryPen("文字");
    m_pCfg->HostDrawText(gbk.c_str(), static_cast<int>(gbk.size()), x, y, width, height, kLeft, kBottom, 0);
}

void DimensionCommand(bool aligned) {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0;
    if (!AskPoint("请点取第一条尺寸界线原点", x1, y1) ||
        !AskPoint("请点取第二条尺寸界线原点", x2, y2, LineFrom(x1, y1)))
        return;
    const DimensionStyle style = DimensionStyle::FromLibrary();
    const double scale = DrawingScale();
    auto draw = [&](const DimensionShape& shape, bool band) {
        for (const auto& l : shape.lines) m_pCfg->HostDrawLine(F(l[0]), F(l[1]), F(l[2]), F(l[3]));
        // The ticks are drawn at twice the dimension's width, as the settings describe them.
        if (!band) LibraryPen("尺寸标注", 2);
        for (const auto& l : shape.ticks) m_pCfg->HostDrawLine(F(l[0]), F(l[1]), F(l[2]), F(l[3]));
        if (band) return;
        LibraryPen("尺寸标注");
        m_pCfg->HostDrawText(shape.text.c_str(), static_cast<int>(shape.text.size()), F(shape.textX), F(shape.textY),
                             F(style.textHeight * style.textWidthFactor * scale), F(style.textHeight * scale), kCentre,
                             kBottom, F(shape.textAngle));
    };
    auto band = [&](float x, float y) { draw(LayOutDimension(x1, y1, x2, y2, x, y, aligned, style, scale), true); };
    if (!AskPoint("请点取尺寸线位置", x3, y3, band)) return;
    const DimensionShape shape = LayOutDimension(x1, y1, x2, y2, x3, y3, aligned, style, scale);
    if (shape.lines.empty()) return;
    LibraryPen("尺寸标注");
    draw(shape, false);
}

}  // namespace kwdraw
