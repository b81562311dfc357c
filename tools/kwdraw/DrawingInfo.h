#pragma once
// The current drawing's drawing-information record (kind, name, floor, scale, ...: the record
// the old-drawing browser reads) and the drawing scale the window works at. Each drawing keeps
// its scale in that record; a drawing without one takes the scale last chosen in the window.
#include <cstddef>

namespace kwdraw {

struct DrawingInfo {
    static constexpr size_t kTextCapacity = 260;
    int kind = 0;
    char name[kTextCapacity] = {};  // GBK
    int floor = 999;                // what a drawing without the record reads as: no floor
    int scale = 0;
    char other[kTextCapacity] = {};
    int last = 0;
    int values = 0;  // how many values the record holds: 0 (none), 3 to 6
};

// The record of the current drawing of the host engine.
DrawingInfo ReadDrawingInfo();

inline constexpr int kDefaultDrawingScale = 100;

// The scale the current drawing's record holds; 0 when it records none.
int RecordedDrawingScale();
// Keeps scale in the current drawing's record, leaving its other values as they are (a drawing
// without a record gets one that the browser never offers: floor 999).
void RecordDrawingScale(int scale);

// The scale last chosen in the window (kept in the window's settings).
int LastChosenDrawingScale();
void RememberDrawingScale(int scale);

// The scale the library draws at now (the default where none is set).
float DrawingScale();

// Makes the library draw the current drawing at its scale: the recorded one, else the last chosen.
void UseDrawingScaleOfCurrentDrawing();

}  // namespace kwdraw
