#include "drawpara/ParaRows.h"

namespace ckw::drawpara {

namespace {

std::string Text(const dao::Recordset& row, const char* field) { return row.GetFieldValue(field).AsText(); }

}  // namespace

CkwLineTypeDef_ LineTypeFromRow(const dao::Recordset& row) {
    CkwLineTypeDef_ record;
    record.SetLineTypeName(Text(row, "线型名称").c_str());
    record.SetLineTypeData(Text(row, "线型描述").c_str());
    record.SetLineTypeDes(Text(row, "线型说明").c_str());
    return record;
}

CColorDef_ ColourFromRow(const dao::Recordset& row) {
    CColorDef_ record;
    record.SetColorName(Text(row, "颜色名").c_str());
    record.SetColorValue(row.GetFieldValue("颜色号").AsLong());
    record.SetColorDes(Text(row, "颜色说明").c_str());
    return record;
}

CkwTextDef_ TextSizeFromRow(const dao::Recordset& row) {
    CkwTextDef_ record;
    record.SetTextType(Text(row, "标注内容").c_str());
    record.SetTextHeight(row.GetFieldValue("文字高度").AsSingle());
    record.SetTextWidth(row.GetFieldValue("文字宽度").AsSingle());
    record.SetTextDes(Text(row, "说明").c_str());
    return record;
}

CkwDimDef_ DimensionFromRow(const dao::Recordset& row) {
    CkwDimDef_ record;
    record.SetTextType(Text(row, "内容").c_str());
    record.SetTextValue(row.GetFieldValue("数值").AsSingle());
    record.SetTextDes(Text(row, "说明").c_str());
    return record;
}

CkwLayerDef_ LayerFromRow(const dao::Recordset& row) {
    CkwLayerDef_ record;
    record.SetComponentKind(Text(row, "构件类型").c_str());
    record.SetLayerName(Text(row, "层名").c_str());
    record.SetLayerNumber(Text(row, "层号").c_str());
    record.SetColor(Text(row, "颜色").c_str());
    record.SetLineType(Text(row, "线型").c_str());
    record.SetLineWidth(row.GetFieldValue("线宽").AsSingle());
    return record;
}

CkwUserParaDef_ UserParameterFromRow(const dao::Recordset& row) {
    CkwUserParaDef_ record;
    record.SetParaType(Text(row, "内容").c_str());
    record.SetParaValue(Text(row, "数值").c_str());
    record.SetParaValKind(Text(row, "类型").c_str());
    record.SetParaDes(Text(row, "说明").c_str());
    return record;
}

}  // namespace ckw::drawpara
