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

bool RefreshUserLayerTable(CDrawingPara& para, const CString& userLibraryGbk, int layerNameFormat) {
    if (Installed()) {
        return Installed()(para, userLibraryGbk, layerNameFormat);
    }
    // The rebuild the layer settings run from "初始化系统设置...", here with the format given.
    return RebuildLayerTableFromSystem(para.GetSystemLibPath(), userLibraryGbk, layerNameFormat);
}

}  // namespace ckw::drawpara
