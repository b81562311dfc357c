#pragma once
// What each of the engine's colours prints as: an ink (black, grey or the colour itself) and a
// pen width. Plots on white paper use one: yellow, cyan or light green lines are unreadable there,
// and offices plot by colour number (heavy outlines in one colour, thin dimensions in another).
#include <QColor>
#include <array>
#include <string>

#include "base/Status.h"

namespace ckw::paint {

class PenTable {
public:
    // Every colour in its own ink at the drawing's widths (colour 7 black on white paper).
    static PenTable ByColour();
    // Every colour black at the drawing's widths.
    static PenTable Monochrome();
    // A pen-table file: lines "COLOURS WIDTH INK", where COLOURS is a number 1..255 or a range
    // "1-255", WIDTH a pen width in millimetres or "-" for the drawing's own width, INK "black",
    // "grey" or "colour"; "#" starts a comment. Colours no line names print black at the drawing's
    // widths; a later line overrides an earlier one. A fault is refused naming the line.
    static Result<PenTable> Read(const std::string& utf8Path);
    static Result<PenTable> Parse(const std::string& text);

    const QColor& Ink(int colour) const { return m_ink[Index(colour)]; }
    // The pen width in millimetres, or a negative number: the drawing's own.
    double WidthMm(int colour) const { return m_widthMm[Index(colour)]; }

private:
    static size_t Index(int colour) { return static_cast<size_t>(colour < 0 || colour > 255 ? 7 : colour); }
    std::array<QColor, 256> m_ink;
    std::array<double, 256> m_widthMm;
};

}  // namespace ckw::paint
