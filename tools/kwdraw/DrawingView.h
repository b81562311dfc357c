#pragma once
// The canvas of one drawing (one engine unit): paints the engine's display model and the rubber
// bands of the command that waits, zooms at the cursor with the wheel, pans with the middle
// button, fits, zooms to a window, and turns clicks and drags into the answers a waiting call
// asks for.
#include <QImage>
#include <QSet>
#include <QTransform>
#include <QWidget>
#include <memory>
#include <optional>
#include <set>

#include "DisplayModel.h"
#include "FileIdentity.h"
#include "Selection.h"
#include "SnapCursor.h"
#include <ckw/ReferenceEngine.h>

class QTimer;

namespace kwdraw {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    DrawingView(int unit, QWidget* parent = nullptr);

    int Unit() const { return m_unit; }
    ckw::engine::Drawing* Drawing() const;
    // The model of what the drawing holds now (rebuilt when the drawing has changed), complete.
    const ckw::engine::DisplayModel& Model();
    // Layers the drawing's entities are on, without waiting for the whole model.
    const std::set<int>& LayersInUse() { return Arriving().Layers(); }
    // True once the canvas shows the whole drawing as it is now (a large drawing arrives in parts
    // after it is opened, the canvas showing how far it has come).
    bool Arrived() const;

    bool Changed() const;
    void MarkSaved();
    // Shown as changed until it is saved (a recovered drawing).
    void MarkChanged() {
        m_savedRevision = ~uint64_t{0};
        m_savedMark = ~uint64_t{0};
    }
    // The drawing's file as it was when last read or written here.
    const FileIdentity& OnDisk() const { return m_onDisk; }
    void SetOnDisk(const FileIdentity& onDisk) { m_onDisk = onDisk; }

    void Fit();
    void ZoomBy(double factor, QPointF atDevice);
    // Zoom window: a drag, or two clicks at opposite corners; the prompt says which is wanted.
    void StartZoomWindow();
    bool ZoomingWindow() const { return m_zoomWindow; }
    void CancelZoomWindow();
    void SetLightGround(bool light);
    void SetHiddenLayers(const QSet<int>& layers);
    const QSet<int>& HiddenLayers() const { return m_hidden; }
    // How a pick on this canvas takes entities: within a few pixels, none on hidden layers.
    Picking PickingNow() const;
    // What the waiting call asks for (nothing: no command waits).
    void SetWant(std::optional<ckw::engine::InputWant> want);

    QTransform WorldToDevice() const;
    QPointF ToWorld(QPointF device) const;
    QPointF ToDevice(QPointF world) const;
    double Scale() const { return m_scale; }
    // Object snaps and ortho of the points asked on this canvas.
    SnapCursor& Snaps() { return m_snaps; }

signals:
    void CursorMoved(QPointF world);
    // What the canvas itself asks of the person (a zoom window's corners); empty when nothing.
    void ViewPrompt(const QString& text);
    void Answer(const ckw::engine::InputEvent& event);
    // A pick or box made while no command waits: selects (or with Shift, unselects) what it meets;
    // with Shift also while a command asks for a selection.
    void Select(const ckw::engine::InputEvent& gesture, bool remove);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void contextMenuEvent(QContextMenuEvent*) override;

private:
    // The model being built for the drawing as it is now (started when the drawing changed).
    ckw::engine::DisplayModel& Arriving();
    // Adds the next part of the model and shows it.
    void BuildMore();
    // True while a command asks for a point (snaps and ortho apply).
    bool AsksPoint() const;
    // The world point the cursor at a device point gives (snapped when a point is asked).
    QPointF PointAt(QPointF device);
    // Brings the picture of the drawing up to the view and the model (it paints only what is new).
    void UpdatePicture(const ckw::engine::DisplayModel& model);

    int m_unit;
    std::unique_ptr<ckw::engine::DisplayModel> m_model;
    QTimer* m_building;
    // The drawing painted at the current view, kept between paints: the rubber bands, the
    // cursor box and the arriving parts of a model are painted over it.
    QImage m_picture;
    QTransform m_pictureView;
    bool m_pictureLight = false;
    QSet<int> m_pictureHidden;
    const ckw::engine::DisplayModel* m_pictureModel = nullptr;
    size_t m_pictureItems = 0;  // model items on the picture
    uint64_t m_modelRevision = ~0ull;
    uint64_t m_savedRevision = 0;
    uint64_t m_savedMark = 0;  // the undo history's mark when saved
    FileIdentity m_onDisk;
    const ckw::engine::Drawing* m_modelDrawing = nullptr;
    double m_scale = 1;      // pixels per drawing unit
    QPointF m_centre{0, 0};  // world point at the widget's centre
    bool m_fitPending = true;
    bool m_fitted = false;  // fitted and not zoomed or panned since: a resize fits again
    bool m_light = false;
    QSet<int> m_hidden;
    std::optional<ckw::engine::InputWant> m_want;
    bool m_zoomWindow = false;
    std::optional<QPoint> m_zoomCorner;  // the first corner clicked
    std::optional<QPoint> m_dragStart;   // left button: zoom window or selection window
    std::optional<QPoint> m_panFrom;     // middle button
    QPoint m_cursor{-1, -1};
    SnapCursor m_snaps;
    SelectionHighlight m_highlight;
};

}  // namespace kwdraw
