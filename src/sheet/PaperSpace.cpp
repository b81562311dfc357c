#include "sheet/PaperSpace.h"

#include <ckw/DrawingRecords.h>
#include <ckw/HostEngine.h>

namespace ckw::geom {

int CurrentDrawingKind() {
    int program = 0, mode = 0, floor = 0, kind = 0;
    char name[260] = {}, other[260] = {};
    kwRead_DrawingInfo(program, name, sizeof name, mode, floor, other, sizeof other, kind);
    return kind;
}

PaperSpaceGuard::PaperSpaceGuard() {
    m_paperSpace = CurrentDrawingKind() == kPaperSpaceKind;
    if (!m_paperSpace || !m_pCfg) return;
    const int current = 0;
    m_pCfg->HostGetUserCoords(current, m_saved);
    m_pCfg->HostUseWorldCoords();
}

PaperSpaceGuard::~PaperSpaceGuard() {
    if (m_paperSpace && m_pCfg) m_pCfg->HostSetUserCoords(m_saved);
}

}  // namespace ckw::geom
