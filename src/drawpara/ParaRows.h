#pragma once
// One mapping per parameter table from its rows to the records: what the loaders of the parameter
// library and the settings dialogs both read.
#include <ckw/ParaRecords.h>
#include "dao/Dao.h"

namespace ckw::drawpara {

CkwLineTypeDef_ LineTypeFromRow(const dao::Recordset& row);       // 系统线型表
CColorDef_ ColourFromRow(const dao::Recordset& row);              // 颜色表
CkwTextDef_ TextSizeFromRow(const dao::Recordset& row);           // 系统文字标注高宽表
CkwDimDef_ DimensionFromRow(const dao::Recordset& row);           // 系统尺寸标注表
CkwLayerDef_ LayerFromRow(const dao::Recordset& row);             // 系统构件图层表
CkwUserParaDef_ UserParameterFromRow(const dao::Recordset& row);  // 用户参数表 and its copies

}  // namespace ckw::drawpara
