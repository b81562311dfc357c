// kwutil user-table DRAWING.T [--script FILE]: CUtil::UserTableDesign on a drawing (design the
// table in "用户表格设计", OK saves it, then pick its top-left corner), then the drawing is saved.
#include "Configuration.h"
#include <ckw/DrawingPara.h>
#include "DrawingSession.h"
#include <ckw/Util.h>

namespace {

const kwutil::Command reg("user-table", "Design a user table and place it on a .T drawing (CUtil::UserTableDesign)",
                          kwutil::DrawingCommand([] {
                              kwutil::EnsureConfiguration();
                              m_exDrawingPara.Init();
                              CUtil().UserTableDesign();
                              m_exDrawingPara.Close();
                          }));

}  // namespace
