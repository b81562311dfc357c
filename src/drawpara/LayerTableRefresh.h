#pragma once
// The rebuild of the user library's layer table from the system library in a layer-name format
// (0 = "中文", 1 = "英文"). A first start runs it with format 0; "初始化系统设置..." of the
// layer settings runs the same rebuild (LayerTable.h) with the format the user chose. A test may
// install another refresh; with none installed the rebuild runs.
#include <functional>

class CDrawingPara;

namespace ckw::drawpara {

using LayerTableRefresh = std::function<void(CDrawingPara& para, int layerNameFormat)>;

void SetLayerTableRefresh(LayerTableRefresh refresh);
void RefreshUserLayerTable(CDrawingPara& para, int layerNameFormat);

}  // namespace ckw::drawpara
