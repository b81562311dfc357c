#pragma once
// The selection on the canvas. Picks and boxes a person makes while no command waits go into the
// engine's selection, the one the library's commands that ask for a selection get; the selected
// entities are outlined over the drawing.
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <cstdint>
#include <vector>

#include <ckw/ReferenceEngine.h>

class QPainter;

namespace kwdraw {

// How entities are picked on the canvas: the nearest within `aperture` drawing units of the point,
// and nothing on the layers the canvas hides (what cannot be seen is not selected, so not erased).
struct Picking {
    double aperture = 1;
    std::vector<int> hidden;
};

// A pick (a point) or a box (window: what lies wholly inside; crossing: also what its edge
// crosses) adds to the selection, or takes out of it.
void ApplySelection(const ckw::engine::InputEvent& gesture, const Picking& picking, bool remove);
// Selects every entity shown.
void SelectAllShown(const Picking& picking);

// The outlines of the selected entities of one drawing, kept until the drawing or the selection
// changes, and painted onto a picture of their own that is kept until the view changes: a repaint
// (each move of the mouse) only lays that picture over the drawing's. A selection of very many
// entities outlines the first of them only.
class SelectionHighlight {
public:
    static constexpr size_t kMostOutlined = 20000;

    // Paints them through the painter's transform (drawing units) when `unit` is the current drawing.
    void Paint(QPainter& painter, int unit, bool lightGround);

private:
    QPainterPath m_path;
    const ckw::engine::Drawing* m_drawing = nullptr;
    uint64_t m_revision = ~uint64_t{0}, m_selection = ~uint64_t{0};
    QImage m_picture;  // the outlines alone, on a transparent ground
    QTransform m_pictureView;
    bool m_pictureLight = false;
    bool m_pictureFresh = false;
};

}  // namespace kwdraw
