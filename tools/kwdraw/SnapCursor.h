#pragma once
// Object snaps and ortho on the canvas while a point is asked: the cursor's point moves to the
// snap the engine finds near it (a marker shows where and of what kind), or, with ortho on and no
// snap, onto the horizontal or vertical through the point the new one is drawn from. Typed
// coordinates never pass through here, so they always win.
#include <QCoreApplication>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "SnapFinder.h"

class QMenu;
class QPainter;
class QTransform;
class QWidget;

namespace kwdraw {

// The window's choices: F3 switches snaps, F8 ortho; both hold for every drawing. The nearest
// point is left out of the kinds that always apply (every pick near a line would land on it); the
// right-click menu offers it for one point.
struct SnapSettings {
    bool snaps = true;
    bool ortho = false;
    unsigned kinds = ckw::engine::kAllSnaps & ~ckw::engine::SnapBit(ckw::engine::SnapKind::Nearest);
};

class SnapCursor {
    Q_DECLARE_TR_FUNCTIONS(SnapCursor)

public:
    SnapCursor();
    ~SnapCursor();

    void SetSettings(const SnapSettings* settings) { m_settings = settings; }
    // The points given so far in the command, oldest first: the asked point is drawn from the
    // last (ortho, perpendicular feet), and each is snapped to as an end.
    void SetGiven(std::function<std::vector<QPointF>()> given) { m_given = std::move(given); }

    // The point a cursor at `world` gives on this drawing; `within`: the snap aperture in drawing
    // units. The snap found stays shown until the next call or Clear().
    QPointF Adjust(const ckw::engine::Drawing* drawing, QPointF world, double within);
    const std::optional<ckw::engine::Snap>& Shown() const { return m_shown; }
    void Clear() { m_shown.reset(); }
    // A point was given: a kind picked for it alone is used up.
    void Given() { m_once.reset(); }
    // One kind for the next point only (from the canvas's right-click menu); nothing: no snap.
    void SnapNextTo(std::optional<ckw::engine::SnapKind> kind) { m_once = kind ? ckw::engine::SnapBit(*kind) : 0u; }
    // The right-click menu of the kinds (object name "snapMenu", actions "snap<Kind>", "snapNone").
    QMenu* Menu(QWidget* parent);

    // The marker of the snap shown, in device coordinates.
    void Paint(QPainter& painter, const QTransform& worldToDevice, bool lightGround) const;

    static QString KindName(ckw::engine::SnapKind kind);

private:
    const SnapSettings* m_settings;
    std::function<std::vector<QPointF>()> m_given;
    std::unique_ptr<ckw::engine::SnapFinder> m_finder;
    const ckw::engine::Drawing* m_indexed = nullptr;
    uint64_t m_indexedRevision = 0;
    std::optional<unsigned> m_once;
    std::optional<ckw::engine::Snap> m_shown;
};

}  // namespace kwdraw
