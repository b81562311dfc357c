#include "Selection.h"

#include <QPainter>
#include <algorithm>

#include "EntityEdit.h"

namespace kwdraw {

namespace {

using ckw::engine::DefaultEngine;
using ckw::engine::InputEvent;

constexpr int kMarkPixels = 4;  // half the size of the cross a selected point is marked with

}  // namespace

void ApplySelection(const InputEvent& gesture, const Picking& picking, bool remove) {
    auto& engine = DefaultEngine();
    switch (gesture.type) {
    case InputEvent::Type::Point:
        engine.SelectNearest(gesture.x, gesture.y, picking.aperture, remove, picking.hidden);
        break;
    case InputEvent::Type::Window:
    case InputEvent::Type::Crossing:
        engine.SelectInBox(gesture.x, gesture.y, gesture.x2, gesture.y2, gesture.type == InputEvent::Type::Crossing,
                           remove, picking.hidden);
        break;
    default:
        break;
    }
}

void SelectAllShown(const Picking& picking) {
    auto& engine = DefaultEngine();
    engine.HostSelectAllOfKind(0, 0);
    if (picking.hidden.empty()) return;
    const auto& entities = engine.Current().Entities();
    std::vector<size_t> shown;
    for (size_t index : engine.SelectedEntities())
        if (std::find(picking.hidden.begin(), picking.hidden.end(), entities[index].Layer()) == picking.hidden.end())
            shown.push_back(index);
    engine.SetSelection(shown);
}

void SelectionHighlight::Paint(QPainter& painter, int unit, bool lightGround) {
    auto& engine = DefaultEngine();
    const auto* d = engine.DrawingOn(unit);
    if (!d || engine.CurrentUnit() != unit) return;
    if (d != m_drawing || d->Revision() != m_revision || engine.SelectionRevision() != m_selection) {
        m_drawing = d;
        m_revision = d->Revision();
        m_selection = engine.SelectionRevision();
        m_path.clear();
        m_pictureFresh = false;
        const auto selected = engine.SelectedEntities();
        const double mark = kMarkPixels / std::max(1e-12, painter.transform().m11());
        for (size_t k = 0; k < selected.size() && k < kMostOutlined; ++k) {
            for (const auto& line : ckw::engine::edit::Outline(*d, d->Entities()[selected[k]])) {
                if (line.empty()) continue;
                if (line.size() == 1) {
                    m_path.addRect(QRectF(line[0].x - mark, line[0].y - mark, 2 * mark, 2 * mark));
                    continue;
                }
                m_path.moveTo(line[0].x, line[0].y);
                for (size_t i = 1; i < line.size(); ++i) m_path.lineTo(line[i].x, line[i].y);
            }
        }
    }
    if (m_path.isEmpty()) return;
    const QTransform view = painter.transform();
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize pixels = (QSizeF(painter.device()->width(), painter.device()->height()) * ratio).toSize();
    if (!m_pictureFresh || m_picture.size() != pixels || m_pictureView != view || m_pictureLight != lightGround) {
        m_picture = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter outlines(&m_picture);
        outlines.setTransform(view);
        // Dashed over the drawing in a colour no layer is likely to have.
        QPen pen(lightGround ? QColor(0, 90, 255) : QColor(80, 170, 255));
        pen.setCosmetic(true);
        pen.setWidthF(2);
        pen.setStyle(Qt::DashLine);
        outlines.setPen(pen);
        outlines.setBrush(Qt::NoBrush);
        outlines.drawPath(m_path);
        m_pictureView = view;
        m_pictureLight = lightGround;
        m_pictureFresh = true;
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(QPointF(0, 0), m_picture);
    painter.restore();
}

}  // namespace kwdraw
