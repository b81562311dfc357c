// Placing a sheet frame with the cursor: the rubber-band box, the placement loop with [TAB] for
// the frame settings, and the frame command that records the frame in the drawing.
#include <cmath>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/DrawingRecords.h>
#include <ckw/HostEngine.h>
#include <ckw/SheetCommands.h>
#include <ckw/Util.h>
#include "sheet/FrameSettings.h"
#include "sheet/PaperSpace.h"

namespace {

using ckw::geom::FrameSettings;

constexpr int kKeyPoint = 0, kKeyEsc = 1, kKeyTab = 2;
constexpr float kMargin = 10.0f, kBinding = 25.0f;

struct BoxOutline {
    float xs[5], ys[5];
    void Draw() const {
        const int count = 5;
        m_pCfg->HostDrawPolyline(count, xs, ys);
    }
};

BoxOutline OutlineAround(CUtil& util, float x, float y, float left, float right, float below, float above,
                         float angle) {
    const float corners[4][2] = {{-left, -below}, {right, -below}, {right, above}, {-left, above}};
    BoxOutline box;
    for (int i = 0; i < 4; ++i) {
        float cx = corners[i][0], cy = corners[i][1];
        float along = static_cast<float>(std::atan2(cy, cx)) + angle;
        util.DIST(x, y, along, std::hypot(cx, cy), box.xs[i], box.ys[i]);
    }
    box.xs[4] = box.xs[0];
    box.ys[4] = box.ys[0];
    return box;
}

// The placement loop shared by DragDrawingFrame and DragDrawFrame. paperLength/Width are
// millimetres; on [TAB] the settings dialog may change them. False on [Esc].
bool TrackFrame(CUtil& util, float scale, FrameSettings& settings, float& paperLength, float& paperWidth,
                KeloPoint2d& picked) {
    static const char prompt[] = "请移动光标确定图框位置 ([TAB]改图纸号,[Esc]不标) ";
    float x = 0, y = 0, angle = 0;
    int xAnchor = 3, yAnchor = 1;
    for (;;) {
        const int length = static_cast<int>(sizeof prompt - 1);
        m_pCfg->HostPrompt(prompt, length);
        const bool portrait = settings.orientation == 1;
        float boxWidth = (portrait ? paperWidth : paperLength) * scale;
        float boxHeight = (portrait ? paperLength : paperWidth) * scale;
        int key = kKeyEsc;
        util.kwDragBox(x, y, boxWidth, boxHeight, angle, xAnchor, yAnchor, key);
        if (key == kKeyPoint) break;
        if (key == kKeyEsc) return false;
        if (key == kKeyTab && ckw::geom::EditFrameSettings(settings)) settings.PaperSize(paperLength, paperWidth);
    }
    picked = KeloPoint2d(x, y);
    return true;
}

void DrawPlacedFrame(CUtil& util, KeloPoint2d picked, float scale, const FrameSettings& settings, float paperLength,
                     float paperWidth) {
    util.kw_MyUsercs(picked, 1.0f);
    float margin = kMargin, binding = kBinding;
    int orientation = settings.orientation, withBlocks = settings.withBlocks;
    util.DRWFRAME(KeloPoint2d(0, 0), paperLength, paperWidth, margin, binding, orientation, withBlocks,
                  settings.titlePath.c_str(), scale);
    m_pCfg->HostResetUserCoords();
}

void PrepareCursor() {
    const int snapGroup = 9999, cursorMode = 0, cursorShape = 8;
    m_pCfg->HostSetSnapGroup(snapGroup);
    m_pCfg->HostSetCursorMode(cursorMode, cursorShape);
}

}  // namespace

void CUtil::kwDragBox(float& x, float& y, float& boxWidth, float& boxHeight, float& angle, int& xAnchor, int& yAnchor,
                      int& key) {
    if (!m_pCfg) {
        key = kKeyEsc;
        return;
    }
    float left = 0, right = boxWidth, below = 0, above = boxHeight;
    if (xAnchor == 1) {
        left = boxWidth;
        right = 0;
    } else if (xAnchor == 2) {
        left = right = boxWidth / 2;
    }
    if (yAnchor == 2) {
        below = above = boxHeight / 2;
    } else if (yAnchor == 3) {
        below = boxHeight;
        above = 0;
    }
    const int on = 1, off = 0, rubberColour = 114;
    m_pCfg->HostSetRubberBand(on);
    m_pCfg->HostSetTempColour(rubberColour);
    BoxOutline box = OutlineAround(*this, x, y, left, right, below, above, angle);
    for (;;) {
        box.Draw();
        m_pCfg->HostTrackCursor(x, y, key);
        box.Draw();  // drawn twice: erased
        if (m_pCfg->HostUserBreak()) {
            // An interruption gives up like [Esc], so that no caller keeps dragging.
            key = kKeyEsc;
            break;
        }
        box = OutlineAround(*this, x, y, left, right, below, above, angle);
        if (key == kKeyPoint || key == kKeyEsc || key == kKeyTab) break;
    }
    m_pCfg->HostSetRubberBand(off);
}

void CUtil::DragDrawingFrame(int sheet, float length, float width, int orientation, float scale, int withBlocks) {
    if (!m_pCfg) return;
    PrepareCursor();
    FrameSettings settings;
    settings.sheet = sheet;
    settings.orientation = orientation;
    settings.withBlocks = withBlocks;
    settings.lengthening = static_cast<int>(length);
    settings.widening = static_cast<int>(width);
    settings.titlePath = ckw::geom::TitleBlockPath(settings.titleFile);
    float paperLength = 0, paperWidth = 0;
    GetDrawingSize(sheet, paperLength, paperWidth);
    // A side given as zero or less keeps its standard size: a sheet has no empty side.
    if (length > 0) paperLength = length;
    if (width > 0) paperWidth = width;
    KeloPoint2d picked;
    if (!TrackFrame(*this, scale, settings, paperLength, paperWidth, picked)) return;
    DrawPlacedFrame(*this, picked, scale, settings, paperLength, paperWidth);
}

void DragDrawFrame() {
    if (!m_pCfg) return;
    ckw::geom::PaperSpaceGuard paperSpace;
    m_pCfg->HostBeginDrawing();
    float scale = static_cast<float>(m_exDrawingPara.GetDrawingScale());
    if (scale <= 0) scale = 100;
    if (paperSpace.PaperSpace()) scale = 1;
    PrepareCursor();
    FrameSettings settings;
    settings.titlePath = ckw::geom::TitleBlockPath(settings.titleFile);
    float paperLength = 0, paperWidth = 0;
    settings.PaperSize(paperLength, paperWidth);
    CUtil util;
    KeloPoint2d picked;
    if (!TrackFrame(util, scale, settings, paperLength, paperWidth, picked)) return;
    DrawPlacedFrame(util, picked, scale, settings, paperLength, paperWidth);
    // The sheet chosen in the settings is recorded, so the record names the sheet on the paper.
    kwWrite_DrawingFrame(settings.sheet, settings.orientation, scale, static_cast<int>(paperLength),
                         static_cast<int>(paperWidth), settings.titleFile.c_str());
}
