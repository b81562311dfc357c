#include "SnapCursor.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

namespace kwdraw {

using ckw::engine::Snap;
using ckw::engine::SnapKind;

namespace {

const SnapSettings kDefaults;

// Half the marker's size in pixels.
constexpr double kMarker = 6;

constexpr SnapKind kKinds[] = {SnapKind::Endpoint,      SnapKind::Midpoint, SnapKind::Centre,    SnapKind::Intersection,
                               SnapKind::Perpendicular, SnapKind::Nearest,  SnapKind::Insertion, SnapKind::Node};

const char* ObjectName(SnapKind kind) {
    switch (kind) {
    case SnapKind::Endpoint:
        return "snapEndpoint";
    case SnapKind::Midpoint:
        return "snapMidpoint";
    case SnapKind::Centre:
        return "snapCentre";
    case SnapKind::Intersection:
        return "snapIntersection";
    case SnapKind::Perpendicular:
        return "snapPerpendicular";
    case SnapKind::Nearest:
        return "snapNearest";
    case SnapKind::Insertion:
        return "snapInsertion";
    case SnapKind::Node:
        return "snapNode";
    }
    return "snap";
}

}  // namespace

SnapCursor::SnapCursor() : m_settings(&kDefaults) {}
SnapCursor::~SnapCursor() = default;

QString SnapCursor::KindName(SnapKind kind) {
    switch (kind) {
    case SnapKind::Endpoint:
        return tr("Endpoint");
    case SnapKind::Midpoint:
        return tr("Midpoint");
    case SnapKind::Centre:
        return tr("Centre");
    case SnapKind::Intersection:
        return tr("Intersection");
    case SnapKind::Perpendicular:
        return tr("Perpendicular");
    case SnapKind::Nearest:
        return tr("Nearest");
    case SnapKind::Insertion:
        return tr("Insertion point");
    case SnapKind::Node:
        return tr("Node");
    }
    return {};
}

QPointF SnapCursor::Adjust(const ckw::engine::Drawing* drawing, QPointF world, double within) {
    m_shown.reset();
    const std::vector<QPointF> given = m_given ? m_given() : std::vector<QPointF>{};
    const bool hasBase = !given.empty();
    const QPointF base = hasBase ? given.back() : QPointF();
    const unsigned kinds = m_once ? *m_once : m_settings->snaps ? m_settings->kinds : 0u;
    if (drawing && kinds != 0) {
        // The index follows the drawing: built again once it has changed.
        if (!m_finder || m_indexed != drawing || m_indexedRevision != drawing->Revision()) {
            m_finder = std::make_unique<ckw::engine::SnapFinder>(*drawing);
            m_indexed = drawing;
            m_indexedRevision = drawing->Revision();
        }
        ckw::engine::SnapQuery query;
        query.x = world.x();
        query.y = world.y();
        query.within = within;
        query.kinds = kinds;
        if (hasBase) query.from = ckw::engine::Point2{base.x(), base.y()};
        m_shown = m_finder->Find(*drawing, query);
        // The command's own points are ends too, though nothing is drawn through them yet.
        if (kinds & ckw::engine::SnapBit(SnapKind::Endpoint)) {
            double best = m_shown ? std::hypot(m_shown->x - world.x(), m_shown->y - world.y()) : within;
            for (const QPointF& point : given) {
                const double distance = std::hypot(point.x() - world.x(), point.y() - world.y());
                if (distance > best || (m_shown && distance == best)) continue;
                best = distance;
                m_shown = Snap{SnapKind::Endpoint, point.x(), point.y(), 0};
            }
        }
        if (m_shown) return {m_shown->x, m_shown->y};
    }
    if (m_settings->ortho && hasBase) {
        const QPointF d = world - base;
        return std::abs(d.x()) >= std::abs(d.y()) ? QPointF(world.x(), base.y()) : QPointF(base.x(), world.y());
    }
    return world;
}

QMenu* SnapCursor::Menu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("snapMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (SnapKind kind : kKinds) {
        QAction* action = menu->addAction(KindName(kind), menu, [this, kind] { SnapNextTo(kind); });
        action->setObjectName(QString::fromLatin1(ObjectName(kind)));
    }
    menu->addSeparator();
    QAction* none = menu->addAction(tr("None"), menu, [this] { SnapNextTo(std::nullopt); });
    none->setObjectName(QStringLiteral("snapNone"));
    return menu;
}

void SnapCursor::Paint(QPainter& p, const QTransform& worldToDevice, bool light) const {
    if (!m_shown) return;
    const QPointF at = worldToDevice.map(QPointF(m_shown->x, m_shown->y));
    const double k = kMarker;
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = light ? QColor(200, 110, 0) : QColor(255, 210, 0);
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF box(at - QPointF(k, k), QSizeF(2 * k, 2 * k));
    // Each kind its own shape, as drawing programs mark them.
    switch (m_shown->kind) {
    case SnapKind::Endpoint:
        p.drawRect(box);
        break;
    case SnapKind::Midpoint:
        p.drawPolygon(QPolygonF{{at.x() - k, at.y() + k}, {at.x() + k, at.y() + k}, {at.x(), at.y() - k}});
        break;
    case SnapKind::Centre:
        p.drawEllipse(box);
        break;
    case SnapKind::Intersection:
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.bottomLeft(), box.topRight());
        break;
    case SnapKind::Perpendicular:
        p.drawPolyline(QPolygonF{box.topLeft(), box.bottomLeft(), box.bottomRight()});
        p.drawPolyline(QPolygonF{at + QPointF(-k, 0), at, at + QPointF(0, k)});
        break;
    case SnapKind::Nearest:
        p.drawPolygon(QPolygonF{box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()});
        break;
    case SnapKind::Insertion:
        p.drawRect(box);
        p.drawRect(box.adjusted(k / 2, k / 2, -k / 2, -k / 2));
        break;
    case SnapKind::Node:
        p.drawEllipse(box);
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.bottomLeft(), box.topRight());
        break;
    }
    p.drawText(at + QPointF(k + 4, -k - 2), KindName(m_shown->kind));
    p.restore();
}

}  // namespace kwdraw
