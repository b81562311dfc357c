#pragma once
// The rebuild of the user library's layer table from the system library in a layer-name format
// (0 = "中文", 1 = "英文"). The layer settings own it; a first start runs it with format 0.
// Until the layer settings install theirs, the refresh leaves the freshly copied table as it is.
#include <functional>

class CDrawingPara;

namespace ckw::drawpara {

using LayerTableRefresh = std::function<void(CDrawingPara& para, int layerNameFormat)>;

void SetLayerTableRefresh(LayerTableRefresh refresh);
void RefreshUserLayerTable(CDrawingPara& para, int layerNameFormat);

}  // namespace ckw::drawpara
