#include "DrawingInfo.h"

#include <QSettings>
#include <climits>
#include <cstring>

#include <ckw/DrawingPara.h>
#include <ckw/DrawingRecords.h>

namespace kwdraw {

namespace {

constexpr char kScaleKey[] = "drawingScale";
// A reader leaves an output alone where the record has no value: these tell how long it is.
constexpr int kAbsent = INT_MIN;
constexpr char kAbsentText[] = "\x7f";

}  // namespace

DrawingInfo ReadDrawingInfo() {
    DrawingInfo info;
    info.kind = info.floor = info.scale = info.last = kAbsent;
    std::strcpy(info.name, kAbsentText);
    std::strcpy(info.other, kAbsentText);
    kwRead_DrawingInfo(info.kind, info.name, sizeof info.name, info.floor, info.scale, info.other, sizeof info.other,
                       info.last);
    const bool present[] = {info.kind != kAbsent,  std::strcmp(info.name, kAbsentText) != 0,  info.floor != kAbsent,
                            info.scale != kAbsent, std::strcmp(info.other, kAbsentText) != 0, info.last != kAbsent};
    while (info.values < 6 && present[info.values]) ++info.values;
    if (info.values < 3) info = DrawingInfo{};  // no record (or not one of this kind)
    DrawingInfo defaults;
    if (info.values < 4) info.scale = defaults.scale;
    if (info.values < 5) info.other[0] = '\0';
    if (info.values < 6) info.last = defaults.last;
    return info;
}

int RecordedDrawingScale() {
    const int scale = ReadDrawingInfo().scale;
    return scale > 0 ? scale : 0;
}

void RecordDrawingScale(int scale) {
    const DrawingInfo info = ReadDrawingInfo();
    if (info.values <= 4)
        kwWrite_DrawingInfo(info.kind, info.name, info.floor, scale);
    else if (info.values == 5)
        kwWrite_DrawingInfo(info.kind, info.name, info.floor, scale, info.other);
    else
        kwWrite_DrawingInfo(info.kind, info.name, info.floor, scale, info.other, info.last);
}

int LastChosenDrawingScale() {
    const int scale = QSettings().value(QLatin1String(kScaleKey), kDefaultDrawingScale).toInt();
    return scale > 0 ? scale : kDefaultDrawingScale;
}

void RememberDrawingScale(int scale) { QSettings().setValue(QLatin1String(kScaleKey), scale); }

float DrawingScale() {
    int scale = m_exDrawingPara.GetDrawingScale();
    return static_cast<float>(scale > 0 ? scale : kDefaultDrawingScale);
}

void UseDrawingScaleOfCurrentDrawing() {
    const int recorded = RecordedDrawingScale();
    m_exDrawingPara.SetDrawingScale(recorded > 0 ? recorded : LastChosenDrawingScale());
}

}  // namespace kwdraw
