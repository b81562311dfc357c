#include "DisplayPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStaticText>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <unordered_map>

#include <ckw/ReferenceEngine.h>

#include "PenTable.h"

namespace ckw::paint {

namespace {

using ckw::engine::DisplayModel;
using ckw::engine::DisplayPen;
using ckw::engine::Point2;
using ckw::engine::Primitive;

constexpr int kMaxBlockDepth = 8;
// Fonts are laid out at this pixel size and scaled to the text's height.
constexpr double kFontPixels = 100;
constexpr double kSmallestTextPixels = 1.5, kMeasuredTextPixels = 12;
// Circles on screen are drawn as polygons whose chords stay this close to the curve (pixels).
constexpr double kCircleErrorPixels = 0.25;
constexpr int kFewestCircleSides = 8, kMostCircleSides = 512;
// On screen a primitive is left out when its box misses the device widened by this many pixels.
constexpr double kVisibleMarginPixels = 4;

// What a pen is chosen by; primitives of equal keys share one QPen.
struct PenKey {
    int colour, lineType, widthCode;
    double width;
    bool operator==(const PenKey&) const = default;
};
struct PenKeyHash {
    size_t operator()(const PenKey& k) const {
        return std::hash<double>()(k.width) ^ (size_t(k.colour) << 1) ^ (size_t(k.lineType) << 9) ^
               (size_t(k.widthCode) << 17);
    }
};
struct CachedPen {
    QPen pen;
    bool dashed = false;
};

class ModelPainter {
public:
    ModelPainter(QPainter& p, const DisplayModel& model, const PaintStyle& style)
        : m_p(p), m_model(model), m_style(style) {
        m_font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                            QStringLiteral("Source Han Sans SC"), QStringLiteral("sans-serif")});
        m_font.setPixelSize(static_cast<int>(kFontPixels));
        m_metrics = QFontMetricsF(m_font);
        m_p.setFont(m_font);
        m_p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 256; ++i)
            m_palette[size_t(i)] = m_style.pens ? m_style.pens->Ink(i) : PaletteColour(i, m_style.lightGround);
        bool invertible = false;
        const QTransform toDrawing = m_p.transform().inverted(&invertible);
        if (m_style.widths == PaintStyle::Widths::Screen && invertible && m_p.transform().isAffine()) {
            const double d = kVisibleMarginPixels;
            m_visible = toDrawing.mapRect(QRectF(m_p.window()).adjusted(-d, -d, d, d));
        }
    }
    ~ModelPainter() { Flush(); }

    void List(const std::vector<Primitive>& items, size_t first, size_t last, int depth) {
        last = std::min(last, items.size());
        for (size_t i = first; i < last; ++i) One(items[i], depth);
    }

private:
    void One(const Primitive& p, int depth) {
        if (!m_style.hiddenLayers.isEmpty() && m_style.hiddenLayers.contains(p.pen.layer)) return;
        if (depth == 0 && m_visible && Misses(Box(p), *m_visible)) return;
        const QColor& colour = m_palette[size_t(std::clamp(p.pen.colour, 0, 255))];
        switch (p.kind) {
        case Primitive::Kind::Path:
            if (p.points.size() < 2) return;
            Line(p.pen, p.points);
            break;
        case Primitive::Kind::Polygon:
            if (p.points.size() < 3) return;
            if (p.hollow) {
                Line(p.pen, p.points);
            } else {
                Fill(colour);
                m_p.drawPolygon(Polygon(p.points));
                m_p.setBrush(Qt::NoBrush);
            }
            break;
        case Primitive::Kind::Circle:
            Circle(p);
            break;
        case Primitive::Kind::Disc:
            Fill(colour);
            m_p.drawEllipse(QPointF(p.points[0].x, p.points[0].y), p.radius, p.radius);
            m_p.setBrush(Qt::NoBrush);
            break;
        case Primitive::Kind::Dot:
            Flush();
            Stroke(p.pen);
            m_p.drawPoint(QPointF(p.points[0].x, p.points[0].y));
            break;
        case Primitive::Kind::Text:
            Text(p, colour);
            break;
        case Primitive::Kind::Insert: {
            auto it = m_model.Blocks().find(p.block);
            if (it == m_model.Blocks().end() || depth >= kMaxBlockDepth) return;
            Flush();
            const auto& t = p.place;
            m_p.save();
            m_p.setTransform(QTransform(t.a, t.b, t.c, t.d, t.e, t.f), true);
            m_current = nullptr;
            List(it->second, 0, it->second.size(), depth + 1);
            Flush();
            m_p.restore();
            m_current = nullptr;
            break;
        }
        }
    }

    // A box the primitive lies in, in drawing units (a text's generously, whichever way it turns);
    // insertions are not measured and always painted.
    static QRectF Box(const Primitive& p) {
        if (p.kind == Primitive::Kind::Insert || p.points.empty()) return QRectF(-1e300, -1e300, 2e300, 2e300);
        double x0 = p.points[0].x, y0 = p.points[0].y, x1 = x0, y1 = y0;
        for (const Point2& q : p.points) {
            x0 = std::min(x0, q.x), y0 = std::min(y0, q.y);
            x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
        }
        double reach = p.pen.width / 2 + p.radius;
        if (p.kind == Primitive::Kind::Text) {
            double longest = 0;
            for (const auto& line : p.lines)
                longest = std::max(longest, line.length > 0 ? line.length : p.height * double(line.utf8.size()));
            reach = longest + p.height * (1.5 * double(p.lines.size()) + 1);
        }
        return QRectF(QPointF(x0 - reach, y0 - reach), QPointF(x1 + reach, y1 + reach));
    }
    // Boxes of horizontal and vertical lines have no height or width: they count too.
    static bool Misses(const QRectF& box, const QRectF& visible) {
        return box.right() < visible.left() || box.left() > visible.right() || box.bottom() < visible.top() ||
               box.top() > visible.bottom();
    }

    // Solid screen pens draw runs of primitives as separate segments in one call: the raster
    // engine strokes those without building outlines. Dashed lines keep their pattern running
    // along the whole path, and plots keep round caps and joins, so those draw path by path.
    bool Batched(const CachedPen& pen) const { return m_style.widths == PaintStyle::Widths::Screen && !pen.dashed; }

    void Line(const DisplayPen& dp, const std::vector<Point2>& points) {
        const CachedPen& pen = Stroke(dp);
        if (!Batched(pen)) {
            m_p.drawPolyline(Polygon(points));
            return;
        }
        for (size_t i = 1; i < points.size(); ++i)
            m_segments.append(QLineF(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y));
    }

    void Circle(const Primitive& p) {
        const CachedPen& pen = Stroke(p.pen);
        const QPointF centre(p.points[0].x, p.points[0].y);
        const QTransform& t = m_p.transform();
        // On screen a circle through a similarity (the view, most block placements) is drawn as a
        // polygon fine enough for its size in pixels; the painter would flatten it at its size
        // in drawing units, which costs far more for the same picture.
        const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
        const bool similar = !t.isAffine() ? false
                                           : std::abs(sx - sy) <= 1e-9 * sx &&
                                                 std::abs(t.m11() * t.m21() + t.m12() * t.m22()) <= 1e-9 * sx * sy;
        if (m_style.widths != PaintStyle::Widths::Screen || !similar || !(p.radius > 0)) {
            Flush();
            m_p.drawEllipse(centre, p.radius, p.radius);
            return;
        }
        const double pixels = p.radius * sx;
        const double step =
            pixels > kCircleErrorPixels ? 2 * std::acos(1 - kCircleErrorPixels / pixels) : 2 * std::numbers::pi;
        // Clamped as a double: an infinite radius makes the step 0 and the count infinite.
        const int sides = static_cast<int>(
            std::clamp(std::ceil(2 * std::numbers::pi / step), double(kFewestCircleSides), double(kMostCircleSides)));
        m_circle.resize(sides + 1);
        for (int i = 0; i < sides; ++i) {
            const double a = 2 * std::numbers::pi * i / sides;
            m_circle[i] = {p.points[0].x + p.radius * std::cos(a), p.points[0].y + p.radius * std::sin(a)};
        }
        m_circle[sides] = m_circle[0];
        if (!Batched(pen)) {
            m_p.drawPolyline(Polygon(m_circle));
            return;
        }
        for (int i = 1; i <= sides; ++i)
            m_segments.append(QLineF(m_circle[i - 1].x, m_circle[i - 1].y, m_circle[i].x, m_circle[i].y));
    }

    void Flush() {
        if (m_segments.isEmpty()) return;
        m_p.drawLines(m_segments);
        m_segments.clear();
    }

    const QPolygonF& Polygon(const std::vector<Point2>& points) {
        m_points.resize(static_cast<qsizetype>(points.size()));
        for (size_t i = 0; i < points.size(); ++i) m_points[static_cast<qsizetype>(i)] = {points[i].x, points[i].y};
        return m_points;
    }

    // Makes the pen of `dp` current (segments gathered with another pen are drawn first).
    const CachedPen& Stroke(const DisplayPen& dp) {
        const PenKey key{std::clamp(dp.colour, 0, 255), dp.lineType > 1 ? dp.lineType : 1, dp.widthCode, dp.width};
        if (m_current && m_currentKey == key) return *m_current;
        Flush();
        auto [it, made] = m_pens.try_emplace(key);
        if (made) it->second = MakePen(key);
        m_current = &it->second;
        m_currentKey = key;
        m_p.setPen(m_current->pen);
        return *m_current;
    }

    CachedPen MakePen(const PenKey& key) const {
        CachedPen made;
        QPen& q = made.pen;
        q.setColor(m_palette[size_t(key.colour)]);
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
        double unitsPerPenWidth;  // drawing units one pen width spans, for dash lengths
        if (key.width > 0) {
            q.setWidthF(key.width);
            unitsPerPenWidth = key.width;
        } else if (m_style.widths == PaintStyle::Widths::Paper) {
            const double drawn = std::max(0, key.widthCode) / 1000.0;
            const double table = m_style.pens ? m_style.pens->WidthMm(key.colour) : -1;
            double mm = std::max(m_style.minimumMm, table >= 0 ? table : drawn);
            q.setWidthF(mm * m_style.unitsPerMm);
            unitsPerPenWidth = mm * m_style.unitsPerMm;
        } else {
            double pixels = 1 + std::max(0, key.widthCode) / 1000.0;
            q.setCosmetic(true);
            q.setWidthF(pixels);
            // Screen pens under two pixels look the same with square ends, which the raster
            // engine strokes as plain lines.
            if (pixels < 2) q.setCapStyle(Qt::SquareCap);
            unitsPerPenWidth = pixels / std::max(1e-12, m_style.devicePerUnit);
        }
        if (key.lineType > 1) {
            auto pattern = ckw::engine::DashPattern(m_model.Dashes(key.lineType), unitsPerPenWidth);
            if (!pattern.empty()) {
                QList<qreal> dashes;
                for (double v : pattern) dashes.append(std::max(v / unitsPerPenWidth, 1e-3));
                q.setDashPattern(dashes);
                made.dashed = true;
            }
        }
        return made;
    }

    void Fill(const QColor& colour) {
        Flush();
        m_p.setPen(Qt::NoPen);
        m_current = nullptr;
        m_p.setBrush(colour);
    }

    // Texts are laid out once per paint for each distinct line and drawn from that layout.
    const QStaticText& Layout(const std::string& utf8) {
        auto [it, made] = m_texts.try_emplace(utf8);
        if (made) {
            it->second.setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
            it->second.setTextFormat(Qt::PlainText);
            it->second.setPerformanceHint(QStaticText::AggressiveCaching);
            it->second.prepare(QTransform(), m_font);
        }
        return it->second;
    }

    void Text(const Primitive& p, const QColor& colour) {
        if (!(p.height > 0) || p.lines.empty()) return;
        Flush();
        const QTransform base = m_p.transform();
        // Too small to read on this device: leave it out rather than paint a smudge.
        const double devicePixels = p.height * std::sqrt(std::abs(base.determinant()));
        if (devicePixels < kSmallestTextPixels) return;
        // Small texts keep their drawn length without measuring the glyphs: the difference does
        // not show, and measuring costs more than drawing.
        const bool measure = devicePixels >= kMeasuredTextPixels;
        const double k = p.height / kFontPixels;
        QTransform at = QTransform::fromTranslate(p.points[0].x, p.points[0].y);
        at.scale(1, -1);
        at.rotate(-p.angle);
        at.scale(k, k);
        at *= base;
        m_p.setPen(colour);
        m_current = nullptr;
        for (const auto& line : p.lines) {
            if (line.utf8.empty()) continue;
            const QStaticText& text = Layout(line.utf8);
            const double natural = measure || line.length <= 0 ? text.size().width() : line.length / k;
            const double wanted = line.length > 0 ? line.length / k : natural;
            const double stretch = natural > 0 ? wanted / natural : 1;
            const double start = p.anchor == 1 ? -wanted / 2 : p.anchor == 2 ? -wanted : 0;
            m_p.setTransform(QTransform::fromScale(stretch, 1) * QTransform::fromTranslate(start, line.offset / k) *
                             at);
            // A static text is placed by its top left corner, a text line by its base line.
            m_p.drawStaticText(QPointF(0, -m_metrics.ascent()), text);
        }
        m_p.setTransform(base);
    }

    QPainter& m_p;
    const DisplayModel& m_model;
    const PaintStyle& m_style;
    std::optional<QRectF> m_visible;  // the device in drawing units, on screen
    std::array<QColor, 256> m_palette;
    QFont m_font;
    QFontMetricsF m_metrics{QFont()};
    QPolygonF m_points;
    std::vector<Point2> m_circle;
    QList<QLineF> m_segments;
    std::unordered_map<PenKey, CachedPen, PenKeyHash> m_pens;
    const CachedPen* m_current = nullptr;
    PenKey m_currentKey{};
    std::unordered_map<std::string, QStaticText> m_texts;
};

}  // namespace

QColor PaletteColour(int index, bool lightGround) {
    if (lightGround && index == 7) return Qt::black;
    int rgb = ckw::engine::ColourToRgb(index);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

void PaintModel(QPainter& painter, const DisplayModel& model, const PaintStyle& style, size_t first, size_t last) {
    ModelPainter(painter, model, style).List(model.Items(), first, last, 0);
}

void PaintTemporaryShapes(QPainter& painter, const std::vector<std::vector<float>>& shapes, const QColor& colour) {
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const auto& s : shapes) {
        if (s.empty()) continue;
        const int kind = static_cast<int>(s[0]);
        if ((kind == ckw::engine::kLine || kind == ckw::engine::kPolyline) && s.size() >= 5) {
            QPolygonF line;
            for (size_t i = 1; i + 1 < s.size(); i += 2) line << QPointF(s[i], s[i + 1]);
            painter.drawPolyline(line);
        } else if ((kind == ckw::engine::kCircle || kind == ckw::engine::kArc) && s.size() >= 4) {
            // An arc runs anticlockwise from its start to its end angle; a circle all round.
            // Angles are reduced to one turn in one step: adding turns one by one never ends for
            // angles so large that a turn is below their precision.
            double start = kind == ckw::engine::kArc && s.size() >= 6 ? s[4] : 0;
            double sweep = kind == ckw::engine::kArc && s.size() >= 6 ? double(s[5]) - s[4] : 360;
            if (!std::isfinite(sweep)) continue;
            if (sweep <= 0) sweep = std::fmod(sweep, 360.0) + 360;
            start = std::fmod(start, 360.0);
            QPolygonF arc;
            for (int i = 0; i <= 64; ++i) {
                double a = (start + sweep * i / 64) * 3.14159265358979323846 / 180;
                arc << QPointF(s[1] + s[3] * std::cos(a), s[2] + s[3] * std::sin(a));
            }
            painter.drawPolyline(arc);
        }
    }
}

}  // namespace ckw::paint
