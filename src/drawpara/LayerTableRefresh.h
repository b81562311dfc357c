#pragma once
// The rebuild of the user library's layer table from the system library in a layer-name format
// (0 = "中文", 1 = "英文"). A first start runs it with format 0; "初始化系统设置..." of the
// layer settings runs the same rebuild (LayerTable.h) with the format the user chose. A test may
// install another refresh; with none installed the rebuild runs.
#include <functional>

#include <ckw/CString.h>

class CDrawingPara;

namespace ckw::drawpara {

// userLibraryGbk: the file to rebuild, the user library or the copy a first start prepares.
// false: not rebuilt (reported).
using LayerTableRefresh = std::function<bool(CDrawingPara& para, const CString& userLibraryGbk, int layerNameFormat)>;

void SetLayerTableRefresh(LayerTableRefresh refresh);
bool RefreshUserLayerTable(CDrawingPara& para, const CString& userLibraryGbk, int layerNameFormat);

}  // namespace ckw::drawpara
