#include "PointPrompt.h"

#include <optional>
#include <string>
#include <utility>

#include <ckw/HostEngine.h>

namespace kwdraw {

namespace {

constexpr int kKeyPoint = 0, kKeyTab = 2, kKeyMoved = 3;

}  // namespace

Band LineFrom(float x0, float y0) {
    return [x0, y0](float x, float y) { m_pCfg->HostDrawLine(x0, y0, x, y); };
}

Band BoxFrom(float x0, float y0) {
    return [x0, y0](float x, float y) {
        const float xs[] = {x0, x, x, x0, x0}, ys[] = {y0, y0, y, y, y0};
        m_pCfg->HostDrawPolyline(5, xs, ys);
    };
}

Asked AskPointOrTab(const char* promptGbk, float& x, float& y, const Band& band) {
    m_pCfg->HostPrompt(promptGbk, static_cast<int>(std::char_traits<char>::length(promptGbk)));
    Asked picked = Asked::End;
    auto answer = [](int key) { return key == kKeyPoint ? Asked::Point : key == kKeyTab ? Asked::Tab : Asked::End; };
    if (!band) {
        int status = 1;
        m_pCfg->HostGetCursorPoint(x, y, status);
        picked = answer(status);
    } else {
        m_pCfg->HostSetRubberBand(1);
        std::optional<std::pair<float, float>> drawn;  // where the band stands
        for (;;) {
            float cx = 0, cy = 0;
            int key = 1;
            m_pCfg->HostTrackCursor(cx, cy, key);
            if (drawn) band(drawn->first, drawn->second);  // drawn again: erased
            drawn.reset();
            if (m_pCfg->HostUserBreak()) break;
            if (key != kKeyMoved) {
                picked = answer(key);
                x = cx;
                y = cy;
                break;
            }
            band(cx, cy);
            drawn.emplace(cx, cy);
        }
        m_pCfg->HostSetRubberBand(0);
    }
    m_pCfg->HostClearPrompt();
    return picked;
}

}  // namespace kwdraw
