#include "drawpara/LayerTableRefresh.h"

namespace ckw::drawpara {
namespace {
LayerTableRefresh& Installed() {
    static LayerTableRefresh refresh;
    return refresh;
}
}  // namespace

void SetLayerTableRefresh(LayerTableRefresh refresh) { Installed() = std::move(refresh); }

void RefreshUserLayerTable(CDrawingPara& para, int layerNameFormat) {
    if (Installed()) Installed()(para, layerNameFormat);
}

}  // namespace ckw::drawpara
