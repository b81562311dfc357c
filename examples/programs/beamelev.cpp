// A drawing program in C++, loaded by kwdraw as a plug-in: the elevation of a two-span beam on
// three columns, drawn on the layers, colours, line types and text sizes of the parameter
// library, placed where the user picks; and a sheet command placing the sheet frame first.
//
//   kwdraw --load libbeamelev.so      then Programs > beamelev > BeamElevation
#include <cstring>

#include <ckw/DrawingPara.h>
#include <ckw/SheetCommands.h>

#include <ckw/HostEngine.h>

// The commands kwdraw lists: names of exported functions without arguments.
extern "C" __attribute__((visibility("default"))) const char kw_commands[] = "BeamElevation BeamSheet";

namespace {

// The pen of a component kind as the parameter library gives it.
void PenOf(const char* kind) {
    char layer[100];
    int number = 0, colour = 7, lineType = 1;
    float width = 0;
    m_exDrawingPara.GetLayerInfo(kind, layer, sizeof layer, number, colour, lineType, width);
    m_pCfg->HostSetPen(number, lineType, static_cast<int>(width * 1000), colour, 1);
}

void Rectangle(float x0, float y0, float x1, float y1) {
    const float xs[5] = {x0, x1, x1, x0, x0}, ys[5] = {y0, y0, y1, y1, y0};
    const int count = 5;
    m_pCfg->HostDrawPolyline(count, xs, ys);
}

void Text(const char* text, float x, float y, const char* kind, float scale) {
    float height = 3.5f, width = 2.45f;
    m_exDrawingPara.GetTextInfo(kind, height, width);
    const int length = static_cast<int>(std::strlen(text)), centre = 102, bottom = 101;
    const float h = height * scale, w = width * scale, angle = 0;
    m_pCfg->HostDrawText(text, length, x, y, w, h, centre, bottom, angle);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void BeamElevation() {
    static const char prompt[] = "请点取梁立面图位置";
    const int promptLength = static_cast<int>(sizeof prompt - 1);
    m_pCfg->HostPrompt(prompt, promptLength);
    float x = 0, y = 0;
    int status = 1;
    m_pCfg->HostGetCursorPoint(x, y, status);
    m_pCfg->HostClearPrompt();
    if (status != 0) return;
    const float scale = m_exDrawingPara.GetDrawingScale() > 0 ? float(m_exDrawingPara.GetDrawingScale()) : 100;
    // Two 6 m spans, a 300 x 600 beam on 500 wide columns 3 m high (millimetres).
    const float span = 6000, depth = 600, column = 500, height = 3000;
    PenOf("柱");
    for (int i = 0; i < 3; ++i) {
        float cx = x + i * span;
        Rectangle(cx - column / 2, y - height, cx + column / 2, y - depth);
    }
    PenOf("梁");
    Rectangle(x - column / 2, y - depth, x + 2 * span + column / 2, y);
    PenOf("轴线");
    for (int i = 0; i < 3; ++i) {
        const float ax = x + i * span, top = y + 1500, foot = y - height - 500;
        m_pCfg->HostDrawLine(ax, foot, ax, top);
    }
    PenOf("梁编号");
    Text("KL1(2) 300x600", x + span, y + 300, "梁编号", scale);
}

extern "C" __attribute__((visibility("default"))) void BeamSheet() {
    DragDrawFrame();
    BeamElevation();
}
