#pragma once
// The canvas of one drawing (one engine unit): paints the engine's display model and the rubber
// bands of the command that waits, zooms at the cursor with the wheel, pans with the middle
// button, fits, zooms to a window, and turns clicks and drags into the answers a waiting call
// asks for.
#include <QSet>
#include <QWidget>
#include <memory>
#include <optional>

#include "DisplayModel.h"
#include <ckw/ReferenceEngine.h>

namespace kwdraw {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    DrawingView(int unit, QWidget* parent = nullptr);

    int Unit() const { return m_unit; }
    ckw::engine::Drawing* Drawing() const;
    // The model of what the drawing holds now (rebuilt when the drawing has changed).
    const ckw::engine::DisplayModel& Model();

    bool Changed() const;
    void MarkSaved();

    void Fit();
    void ZoomBy(double factor, QPointF atDevice);
    void StartZoomWindow() { m_zoomWindow = true; }
    void SetLightGround(bool light);
    void SetHiddenLayers(const QSet<int>& layers);
    const QSet<int>& HiddenLayers() const { return m_hidden; }
    // What the waiting call asks for (nothing: no command waits).
    void SetWant(std::optional<ckw::engine::InputWant> want);

    QTransform WorldToDevice() const;
    QPointF ToWorld(QPointF device) const;
    QPointF ToDevice(QPointF world) const;
    double Scale() const { return m_scale; }

signals:
    void CursorMoved(QPointF world);
    void Answer(const ckw::engine::InputEvent& event);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    int m_unit;
    std::unique_ptr<ckw::engine::DisplayModel> m_model;
    uint64_t m_modelRevision = ~0ull;
    uint64_t m_savedRevision = 0;
    const ckw::engine::Drawing* m_modelDrawing = nullptr;
    double m_scale = 1;              // pixels per drawing unit
    QPointF m_centre{0, 0};          // world point at the widget's centre
    bool m_fitPending = true;
    bool m_light = false;
    QSet<int> m_hidden;
    std::optional<ckw::engine::InputWant> m_want;
    bool m_zoomWindow = false;
    std::optional<QPoint> m_dragStart;  // left button: zoom window or selection window
    std::optional<QPoint> m_panFrom;    // middle button
    QPoint m_cursor{-1, -1};
};

}  // namespace kwdraw
