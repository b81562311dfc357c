#pragma once
// Paints the engine's display model with QPainter: the drawing window's canvas, the PDF plot and
// offscreen pictures use it. The painter's transform maps drawing units to the device; the style
// says how thick pens are and which layers are hidden.
#include <QColor>
#include <QSet>
#include <cstddef>
#include <cstdint>

#include "DisplayModel.h"

class QPainter;

namespace ckw::paint {

class PenTable;

struct PaintStyle {
    enum class Widths {
        Screen,  // cosmetic pens: 1 + w/1000 device pixels, however far one zooms
        Paper,   // w/1000 mm on the sheet at the drawing scale (plots)
    };
    Widths widths = Widths::Screen;
    double unitsPerMm = 100;   // Paper: drawing units per millimetre of sheet (the drawing scale)
    double minimumMm = 0.13;   // Paper: the thinnest pen
    double devicePerUnit = 1;  // Screen: device pixels per drawing unit (for dash lengths)
    bool lightGround = false;  // white paper or a light theme: colour 7 is painted black
    QSet<int> hiddenLayers;
    const PenTable* pens = nullptr;  // Paper: the ink and width each colour prints with
};

QColor PaletteColour(int index, bool lightGround);

// Paints the model's primitives [first, last) (blocks expanded) through the painter's current
// transform; by default all of them.
void PaintModel(QPainter& painter, const ckw::engine::DisplayModel& model, const PaintStyle& style, size_t first = 0,
                size_t last = SIZE_MAX);

// The rubber-band shapes a command shows (ReferenceEngine::ShownTemporaryShapes), in cosmetic pens.
void PaintTemporaryShapes(QPainter& painter, const std::vector<std::vector<float>>& shapes, const QColor& colour);

}  // namespace ckw::paint
