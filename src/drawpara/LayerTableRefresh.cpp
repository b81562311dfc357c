#include "drawpara/LayerTableRefresh.h"

#include <ckw/DrawingPara.h>
#include "drawpara/LayerTable.h"

namespace ckw::drawpara {
namespace {
LayerTableRefresh& Installed() {
    static LayerTableRefresh refresh;
    return refresh;
}
}  // namespace

void SetLayerTableRefresh(LayerTableRefresh refresh) { Installed() = std::move(refresh); }

void RefreshUserLayerTable(CDrawingPara& para, int layerNameFormat) {
    if (Installed()) {
        Installed()(para, layerNameFormat);
        return;
    }
    // The rebuild the layer settings run from "初始化系统设置...", here with the format given. A
    // failure has been shown to the user, and the user library keeps the table it had.
    if (!RebuildLayerTableFromSystem(para.GetSystemLibPath(), para.GetUserLibPath(), layerNameFormat)) return;
}

}  // namespace ckw::drawpara
