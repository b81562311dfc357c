#include "DisplayPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include <ckw/ReferenceEngine.h>

namespace ckw::paint {

namespace {

using ckw::engine::DisplayModel;
using ckw::engine::Primitive;

constexpr int kMaxBlockDepth = 8;
// Fonts are laid out at this pixel size and scaled to the text's height.
constexpr double kFontPixels = 100;
constexpr double kSmallestTextPixels = 1.5, kMeasuredTextPixels = 12;

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
    }

    void List(const std::vector<Primitive>& items, int depth) {
        for (const Primitive& p : items) One(p, depth);
    }

private:
    void One(const Primitive& p, int depth) {
        if (m_style.hiddenLayers.contains(p.pen.layer)) return;
        const QColor colour = PaletteColour(p.pen.colour, m_style.lightGround);
        switch (p.kind) {
        case Primitive::Kind::Path:
            if (p.points.size() < 2) return;
            Stroke(p.pen, colour);
            m_p.drawPolyline(Polygon(p.points));
            break;
        case Primitive::Kind::Polygon:
            if (p.points.size() < 3) return;
            if (p.hollow) {
                Stroke(p.pen, colour);
                m_p.drawPolyline(Polygon(p.points));
            } else {
                Fill(colour);
                m_p.drawPolygon(Polygon(p.points));
                m_p.setBrush(Qt::NoBrush);
            }
            break;
        case Primitive::Kind::Circle:
            Stroke(p.pen, colour);
            m_p.drawEllipse(QPointF(p.points[0].x, p.points[0].y), p.radius, p.radius);
            break;
        case Primitive::Kind::Disc:
            Fill(colour);
            m_p.drawEllipse(QPointF(p.points[0].x, p.points[0].y), p.radius, p.radius);
            m_p.setBrush(Qt::NoBrush);
            break;
        case Primitive::Kind::Dot:
            Stroke(p.pen, colour);
            m_p.drawPoint(QPointF(p.points[0].x, p.points[0].y));
            break;
        case Primitive::Kind::Text:
            Text(p, colour);
            break;
        case Primitive::Kind::Insert: {
            auto it = m_model.Blocks().find(p.block);
            if (it == m_model.Blocks().end() || depth >= kMaxBlockDepth) return;
            const auto& t = p.place;
            m_p.save();
            m_p.setTransform(QTransform(t.a, t.b, t.c, t.d, t.e, t.f), true);
            m_havePen = false;
            List(it->second, depth + 1);
            m_p.restore();
            m_havePen = false;
            break;
        }
        }
    }

    const QPolygonF& Polygon(const std::vector<ckw::engine::Point2>& points) {
        m_points.resize(static_cast<qsizetype>(points.size()));
        for (size_t i = 0; i < points.size(); ++i) m_points[static_cast<qsizetype>(i)] = {points[i].x, points[i].y};
        return m_points;
    }

    void Stroke(const ckw::engine::DisplayPen& pen, const QColor& colour) {
        if (m_havePen && pen.widthCode == m_pen.widthCode && pen.width == m_pen.width &&
            pen.lineType == m_pen.lineType && colour == m_colour)
            return;
        m_havePen = true;
        m_pen = pen;
        m_colour = colour;
        QPen q(colour);
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
        double unitsPerPenWidth;  // drawing units one pen width spans, for dash lengths
        if (pen.width > 0) {
            q.setWidthF(pen.width);
            unitsPerPenWidth = pen.width;
        } else if (m_style.widths == PaintStyle::Widths::Paper) {
            double mm = std::max(m_style.minimumMm, std::max(0, pen.widthCode) / 1000.0);
            q.setWidthF(mm * m_style.unitsPerMm);
            unitsPerPenWidth = mm * m_style.unitsPerMm;
        } else {
            double pixels = 1 + std::max(0, pen.widthCode) / 1000.0;
            q.setCosmetic(true);
            q.setWidthF(pixels);
            unitsPerPenWidth = pixels / std::max(1e-12, m_style.devicePerUnit);
        }
        if (pen.lineType > 1) {
            auto pattern = ckw::engine::DashPattern(m_model.Dashes(pen.lineType), unitsPerPenWidth);
            if (!pattern.empty()) {
                QList<qreal> dashes;
                for (double v : pattern) dashes.append(std::max(v / unitsPerPenWidth, 1e-3));
                q.setDashPattern(dashes);
            }
        }
        m_p.setPen(q);
    }

    void Fill(const QColor& colour) {
        m_p.setPen(Qt::NoPen);
        m_havePen = false;
        m_p.setBrush(colour);
    }

    void Text(const Primitive& p, const QColor& colour) {
        if (!(p.height > 0) || p.lines.empty()) return;
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
        m_havePen = false;
        for (const auto& line : p.lines) {
            const QString text = QString::fromUtf8(line.utf8.data(), static_cast<qsizetype>(line.utf8.size()));
            const double natural = measure || line.length <= 0 ? m_metrics.horizontalAdvance(text) : line.length / k;
            const double wanted = line.length > 0 ? line.length / k : natural;
            const double stretch = natural > 0 ? wanted / natural : 1;
            const double start = p.anchor == 1 ? -wanted / 2 : p.anchor == 2 ? -wanted : 0;
            m_p.setTransform(QTransform::fromScale(stretch, 1) * QTransform::fromTranslate(start, line.offset / k) *
                             at);
            m_p.drawText(QPointF(0, 0), text);
        }
        m_p.setTransform(base);
    }

    QPainter& m_p;
    const DisplayModel& m_model;
    const PaintStyle& m_style;
    QFont m_font;
    QFontMetricsF m_metrics{QFont()};
    QPolygonF m_points;
    bool m_havePen = false;
    ckw::engine::DisplayPen m_pen;
    QColor m_colour;
};

}  // namespace

QColor PaletteColour(int index, bool lightGround) {
    if (lightGround && index == 7) return Qt::black;
    int rgb = ckw::engine::ColourToRgb(index);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

void PaintModel(QPainter& painter, const DisplayModel& model, const PaintStyle& style) {
    ModelPainter(painter, model, style).List(model.Items(), 0);
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
            double start = kind == ckw::engine::kArc && s.size() >= 6 ? s[4] : 0;
            double sweep = kind == ckw::engine::kArc && s.size() >= 6 ? s[5] - s[4] : 360;
            while (sweep <= 0) sweep += 360;
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
