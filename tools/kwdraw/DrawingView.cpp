#include "DrawingView.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "DisplayPainter.h"

namespace kwdraw {

using ckw::engine::DisplayModel;
using ckw::engine::InputEvent;
using ckw::engine::InputWant;

namespace {

// A press and release closer than this many pixels is a click, not a drag.
constexpr int kDragPixels = 4;
// A pick takes the nearest entity within this many pixels of the cursor.
constexpr double kPickPixels = 5;
// A drawing's model is built in slices of about this many milliseconds between events, so that
// the window answers while a large drawing arrives; the time is looked at every so many entities.
constexpr qint64 kBuildSliceMilliseconds = 30;
constexpr size_t kEntitiesBetweenClockReadings = 2000;
// How often the canvas looks whether its drawing was changed from elsewhere (a modeless window of
// a running command, a drawing program) to show the change without waiting for the next event.
constexpr int kChangeLookMilliseconds = 100;
// How far from the cursor (pixels) a snap is looked for.
constexpr double kSnapAperturePixels = 10;

}  // namespace

DrawingView::DrawingView(int unit, QWidget* parent) : QWidget(parent), m_unit(unit), m_building(new QTimer(this)) {
    m_building->setInterval(0);
    connect(m_building, &QTimer::timeout, this, &DrawingView::BuildMore);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MarkSaved();  // and the drawing's undo history starts here
    auto* changes = new QTimer(this);
    connect(changes, &QTimer::timeout, this, [this] {
        const auto* d = Drawing();
        if (isVisible() && d && (d != m_modelDrawing || d->Revision() != m_modelRevision)) update();
    });
    changes->start(kChangeLookMilliseconds);
}

ckw::engine::Drawing* DrawingView::Drawing() const { return ckw::engine::DefaultEngine().DrawingOn(m_unit); }

DisplayModel& DrawingView::Arriving() {
    const auto* d = Drawing();
    if (!m_model || !d || d != m_modelDrawing || d->Revision() != m_modelRevision) {
        // A drawing arrives in slices when it is new to the canvas; one the person works on is
        // shown changed at once.
        const bool workedOn = m_model && m_model->Complete() && d && d == m_modelDrawing;
        m_model = std::make_unique<DisplayModel>(d ? DisplayModel::Started(*d) : DisplayModel());
        if (workedOn) m_model->Continue(SIZE_MAX);
        m_modelDrawing = d;
        m_modelRevision = d ? d->Revision() : 0;
        m_pictureModel = nullptr;
    }
    if (!m_model->Complete() && !m_building->isActive()) m_building->start();
    return *m_model;
}

const DisplayModel& DrawingView::Model() {
    auto& model = Arriving();
    model.Continue(SIZE_MAX);
    m_building->stop();
    return model;
}

void DrawingView::BuildMore() {
    auto& model = Arriving();  // started again if the drawing changed meanwhile
    QElapsedTimer clock;
    clock.start();
    while (!model.Continue(kEntitiesBetweenClockReadings) && clock.elapsed() < kBuildSliceMilliseconds) {}
    if (model.Complete()) m_building->stop();
    update();
}

bool DrawingView::Arrived() const {
    const auto* d = Drawing();
    return m_model && m_model->Complete() && d == m_modelDrawing && (!d || d->Revision() == m_modelRevision) &&
           m_pictureModel == m_model.get() && m_pictureItems == m_model->Items().size() &&
           m_pictureView == WorldToDevice();
}

void DrawingView::UpdatePicture(const DisplayModel& model) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const QTransform view = WorldToDevice();
    if (m_picture.size() != pixels || m_pictureView != view || m_pictureLight != m_light ||
        m_pictureHidden != m_hidden || m_pictureModel != &model || m_pictureItems > model.Items().size()) {
        if (m_picture.size() != pixels) m_picture = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(m_light ? Qt::white : Qt::black);
        m_pictureView = view;
        m_pictureLight = m_light;
        m_pictureHidden = m_hidden;
        m_pictureModel = &model;
        m_pictureItems = 0;
    }
    if (m_pictureItems == model.Items().size()) return;
    QPainter p(&m_picture);
    p.setTransform(view);
    ckw::paint::PaintStyle style;
    style.devicePerUnit = m_scale;
    style.lightGround = m_light;
    style.hiddenLayers = m_hidden;
    ckw::paint::PaintModel(p, model, style, m_pictureItems, model.Items().size());
    m_pictureItems = model.Items().size();
}

bool DrawingView::Changed() const {
    const auto* d = Drawing();
    if (!d) return false;
    // The history tells: undone back to where it was saved, the drawing is as saved. A command
    // still running has its step open, so the revision tells meanwhile.
    auto& engine = ckw::engine::DefaultEngine();
    return engine.HistoryMark(m_unit) != m_savedMark || (engine.InStep() && d->Revision() != m_savedRevision);
}

void DrawingView::MarkSaved() {
    auto* d = Drawing();
    if (!d) return;
    m_savedRevision = d->Revision();
    m_savedMark = ckw::engine::DefaultEngine().HistoryMark(m_unit);
}

QTransform DrawingView::WorldToDevice() const {
    QTransform t;
    t.translate(width() / 2.0, height() / 2.0);
    t.scale(m_scale, -m_scale);
    t.translate(-m_centre.x(), -m_centre.y());
    return t;
}

QPointF DrawingView::ToWorld(QPointF device) const {
    return {m_centre.x() + (device.x() - width() / 2.0) / m_scale,
            m_centre.y() - (device.y() - height() / 2.0) / m_scale};
}

QPointF DrawingView::ToDevice(QPointF world) const { return WorldToDevice().map(world); }

void DrawingView::Fit() {
    std::array<float, 4> box{0, 0, 1000, 1000};
    if (!Arriving().Extents(box)) box = {0, 0, 1000, 1000};
    double w = std::max(1e-3, double(box[2]) - box[0]), h = std::max(1e-3, double(box[3]) - box[1]);
    m_centre = {(box[0] + box[2]) / 2.0, (box[1] + box[3]) / 2.0};
    m_scale = std::min(std::max(1, width()) / (w * 1.06), std::max(1, height()) / (h * 1.06));
    m_fitPending = false;
    m_fitted = true;
    update();
}

void DrawingView::StartZoomWindow() {
    m_zoomWindow = true;
    m_zoomCorner.reset();
    emit ViewPrompt(tr("Zoom window: drag, or click the first corner"));
}

void DrawingView::CancelZoomWindow() {
    m_zoomWindow = false;
    m_zoomCorner.reset();
    m_dragStart.reset();
    emit ViewPrompt(QString());
    update();
}

void DrawingView::ZoomBy(double factor, QPointF at) {
    QPointF before = ToWorld(at);
    m_scale = std::clamp(m_scale * factor, 1e-9, 1e6);
    m_fitted = false;
    QPointF after = ToWorld(at);
    m_centre += before - after;  // the point under the cursor stays where it is
    update();
}

void DrawingView::SetLightGround(bool light) {
    m_light = light;
    update();
}

void DrawingView::SetHiddenLayers(const QSet<int>& layers) {
    m_hidden = layers;
    update();
}

void DrawingView::SetWant(std::optional<InputWant> want) {
    m_want = want;
    update();
}

Picking DrawingView::PickingNow() const {
    Picking picking;
    picking.aperture = kPickPixels / m_scale;
    picking.hidden.assign(m_hidden.begin(), m_hidden.end());
    return picking;
}

bool DrawingView::AsksPoint() const {
    return !m_zoomWindow &&
           (m_want == InputWant::Point || m_want == InputWant::Track || m_want == InputWant::TrackOrValue);
}

QPointF DrawingView::PointAt(QPointF device) {
    const QPointF world = ToWorld(device);
    if (!AsksPoint()) return world;
    return m_snaps.Adjust(Drawing(), world, kSnapAperturePixels / m_scale);
}

void DrawingView::contextMenuEvent(QContextMenuEvent* e) {
    // While a point is asked, the right button picks the one snap kind for it.
    if (!AsksPoint()) return;
    m_snaps.Menu(this)->popup(e->globalPos());
}

void DrawingView::resizeEvent(QResizeEvent*) {
    // A drawing opened before the window is laid out is fitted again at the canvas's real size.
    if (m_fitPending || m_fitted) Fit();
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (m_fitPending) Fit();
    const auto& model = Arriving();
    UpdatePicture(model);
    QPainter p(this);
    p.drawImage(QPointF(0, 0), m_picture);
    if (!model.Complete()) {
        p.setPen(m_light ? Qt::darkGray : Qt::lightGray);
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignBottom,
                   tr("Loading the drawing: %1%").arg(static_cast<int>(model.Progress() * 100)));
    }
    p.setTransform(WorldToDevice());
    // The selection is outlined while the person selects; a command that asks for points or picks
    // shows its own rubber bands, and the entities it works on in their own colours.
    if (!m_want || m_want == InputWant::Selection) m_highlight.Paint(p, m_unit, m_light);
    auto& engine = ckw::engine::DefaultEngine();
    if (m_want && engine.CurrentUnit() == m_unit) {
        int colour = engine.TemporaryColour();
        ckw::paint::PaintTemporaryShapes(p, engine.ShownTemporaryShapes(),
                                         ckw::paint::PaletteColour(colour > 0 ? colour : 7, m_light));
    }
    p.resetTransform();
    if (AsksPoint()) m_snaps.Paint(p, WorldToDevice(), m_light);
    if ((m_dragStart || m_zoomCorner) && m_cursor.x() >= 0) {
        const QPoint start = m_dragStart ? *m_dragStart : *m_zoomCorner;
        // Left to right a window, right to left a crossing box (dashed), as drawing programs show them.
        QPen pen(m_light ? Qt::darkGray : Qt::lightGray);
        pen.setStyle(!m_zoomWindow && m_cursor.x() < start.x() ? Qt::DashLine : Qt::SolidLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(start, m_cursor).normalized());
    }
    if (m_want == InputWant::Entity || m_want == InputWant::Selection) {
        // The pick aperture around the cursor.
        p.setPen(m_light ? Qt::black : Qt::white);
        p.drawRect(QRect(m_cursor - QPoint(5, 5), QSize(10, 10)));
    }
}

void DrawingView::wheelEvent(QWheelEvent* e) {
    double steps = e->angleDelta().y() / 120.0;
    if (steps != 0) ZoomBy(std::pow(1.25, steps), e->position());
    e->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* e) {
    setFocus();
    if (e->button() == Qt::MiddleButton) {
        m_panFrom = e->pos();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    if (m_zoomWindow || m_want == InputWant::Selection || !m_want) {
        m_dragStart = m_zoomWindow && m_zoomCorner ? *m_zoomCorner : e->pos();
        return;
    }
    if (m_want) {
        QPointF w = PointAt(e->position());
        m_snaps.Given();
        m_snaps.Clear();
        InputEvent answer;
        answer.type = InputEvent::Type::Point;
        answer.x = w.x();
        answer.y = w.y();
        emit Answer(answer);
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
    if (m_panFrom) {
        QPointF delta = e->pos() - *m_panFrom;
        m_centre -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
        m_panFrom = e->pos();
        m_fitted = false;
    }
    m_cursor = e->pos();
    QPointF w = PointAt(e->position());
    emit CursorMoved(w);
    if ((m_want == InputWant::Track || m_want == InputWant::TrackOrValue) && !m_panFrom) {
        InputEvent move;
        move.type = InputEvent::Type::Move;
        move.x = w.x();
        move.y = w.y();
        emit Answer(move);
    }
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton && m_panFrom) {
        m_panFrom.reset();
        setCursor(Qt::CrossCursor);
        return;
    }
    if (e->button() != Qt::LeftButton || !m_dragStart) return;
    QPoint start = *m_dragStart;
    m_dragStart.reset();
    bool dragged = (e->pos() - start).manhattanLength() >= kDragPixels;
    QPointF a = ToWorld(start), b = ToWorld(e->position());
    if (m_zoomWindow) {
        if (!dragged && !m_zoomCorner) {
            // A click: the first corner; the box follows the cursor to the second.
            m_zoomCorner = start;
            emit ViewPrompt(tr("Zoom window: click the other corner"));
            update();
            return;
        }
        m_zoomWindow = false;
        m_zoomCorner.reset();
        emit ViewPrompt(QString());
        if (dragged) {
            m_centre = (a + b) / 2;
            m_scale = std::min(width() / std::max(1e-9, std::abs(b.x() - a.x())),
                               height() / std::max(1e-9, std::abs(b.y() - a.y())));
            m_fitted = false;
        }
        update();
        return;
    }
    InputEvent answer;
    if (dragged) {
        answer.type = e->pos().x() < start.x() ? InputEvent::Type::Crossing : InputEvent::Type::Window;
        answer.x = a.x(), answer.y = a.y(), answer.x2 = b.x(), answer.y2 = b.y();
    } else {
        answer.type = InputEvent::Type::Point;
        answer.x = b.x(), answer.y = b.y();
    }
    // With Shift the pick or box takes out of the selection, also while a command asks for one
    // (which goes on asking).
    const bool remove = e->modifiers() & Qt::ShiftModifier;
    if (m_want && !(remove && m_want == InputWant::Selection))
        emit Answer(answer);
    else
        emit Select(answer, remove);
    update();
}

}  // namespace kwdraw
