#include "drawfiles/SideUnit.h"

#include <ckw/HostEngine.h>

namespace ckw::drawfiles {

namespace {
constexpr int kLowestSideUnit = 50;

// Whether a drawing is open on unit: selecting an open unit makes it current, any other is
// ignored.
bool IsOpen(int unit, int current) {
    if (unit == current) return true;
    int now = 0;
    m_pCfg->HostSelectDrawing(unit);
    m_pCfg->HostGetCurrentDrawing(now);
    m_pCfg->HostSelectDrawing(current);
    return now == unit;
}
}  // namespace

int FreeSideUnit() {
    int current = 0;
    m_pCfg->HostGetCurrentDrawing(current);
    for (int unit = kSideUnit; unit >= kLowestSideUnit; --unit)
        if (!IsOpen(unit, current)) return unit;
    return kSideUnit;
}

}  // namespace ckw::drawfiles
