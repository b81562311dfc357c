#pragma once
/// @file
/// The parameter records: one record per row of a parameter-store table. Plain data holders;
/// text fields are owned GBK strings, numbers are 32-bit.
#include "CString.h"
#include "CkwExport.h"

/// @addtogroup drawpara
/// @{

/// One row of 颜色表.
class CKW_API CColorDef_ {
public:
    /// The colour name.
    const char* GetColorName() const { return m_name; }
    void SetColorName(const char* text) { m_name = text; }  ///< sets it
    /// The colour number.
    int GetColorValue() const { return m_value; }
    void SetColorValue(int value) { m_value = value; }  ///< sets it
    /// The description.
    const char* GetColorDes() const { return m_des; }
    void SetColorDes(const char* text) { m_des = text; }  ///< sets it

private:
    CString m_name;
    int m_value = 0;
    CString m_des;
};

/// One row of 系统线型表.
class CKW_API CkwLineTypeDef_ {
public:
    /// The line-type name.
    const char* GetLineTypeName() const { return m_name; }
    void SetLineTypeName(const char* text) { m_name = text; }  ///< sets it
    /// The dash pattern: comma-separated lengths in model units, "0,0" for the solid line.
    const char* GetLineTypeData() const { return m_data; }
    void SetLineTypeData(const char* text) { m_data = text; }  ///< sets it
    /// The description.
    const char* GetLineTypeDes() const { return m_des; }
    void SetLineTypeDes(const char* text) { m_des = text; }  ///< sets it

private:
    CString m_name;
    CString m_data;
    CString m_des;
};

/// One row of 系统文字标注高宽表.
class CKW_API CkwTextDef_ {
public:
    /// The annotation kind.
    const char* GetTextType() const { return m_type; }
    void SetTextType(const char* text) { m_type = text; }  ///< sets it
    /// The text height.
    float GetTextHeight() const { return m_height; }
    void SetTextHeight(float value) { m_height = value; }  ///< sets it
    /// The text width.
    float GetTextWidth() const { return m_width; }
    void SetTextWidth(float value) { m_width = value; }  ///< sets it
    /// The description.
    const char* GetTextDes() const { return m_des; }
    void SetTextDes(const char* text) { m_des = text; }  ///< sets it

private:
    CString m_type;
    float m_height = 0;
    float m_width = 0;
    CString m_des;
};

/// One row of 系统尺寸标注表.
class CKW_API CkwDimDef_ {
public:
    /// The dimension item.
    const char* GetTextType() const { return m_type; }
    void SetTextType(const char* text) { m_type = text; }  ///< sets it
    /// The value.
    float GetTextValue() const { return m_value; }
    void SetTextValue(float value) { m_value = value; }  ///< sets it
    /// The description.
    const char* GetTextDes() const { return m_des; }
    void SetTextDes(const char* text) { m_des = text; }  ///< sets it

private:
    CString m_type;
    float m_value = 0;
    CString m_des;
};

/// One row of a user-parameter table.
class CKW_API CkwUserParaDef_ {
public:
    /// The item name.
    const char* GetParaType() const { return m_type; }
    void SetParaType(const char* text) { m_type = text; }  ///< sets it
    /// The value as text.
    const char* GetParaValue() const { return m_value; }
    void SetParaValue(const char* text) { m_value = text; }  ///< sets it
    /// The kind of the value.
    const char* GetParaValKind() const { return m_kind; }
    void SetParaValKind(const char* text) { m_kind = text; }  ///< sets it
    /// The description.
    const char* GetParaDes() const { return m_des; }
    void SetParaDes(const char* text) { m_des = text; }  ///< sets it

private:
    CString m_type;
    CString m_value;
    CString m_kind;
    CString m_des;
};

/// One row of 系统构件图层表. Internal to the library: callers reach layers through the queries.
class CkwLayerDef_ {
public:
    /// The component kind.
    const char* GetComponentKind() const { return m_kind; }
    void SetComponentKind(const char* text) { m_kind = text; }  ///< sets it
    /// The layer name.
    const char* GetLayerName() const { return m_name; }
    void SetLayerName(const char* text) { m_name = text; }  ///< sets it
    /// The layer number as stored: decimal text.
    const char* GetLayerNumber() const { return m_number; }
    void SetLayerNumber(const char* text) { m_number = text; }  ///< sets it
    /// A colour name, a colour description or a decimal colour number.
    const char* GetColor() const { return m_color; }
    void SetColor(const char* text) { m_color = text; }  ///< sets it
    /// The line-type name.
    const char* GetLineType() const { return m_lineType; }
    void SetLineType(const char* text) { m_lineType = text; }  ///< sets it
    /// The line width.
    float GetLineWidth() const { return m_width; }
    void SetLineWidth(float value) { m_width = value; }  ///< sets it
    /// A second layer-name text, used only by the layer settings.
    const char* GetLayerName2() const { return m_name2; }
    void SetLayerName2(const char* text) { m_name2 = text; }  ///< sets it

private:
    CString m_kind;
    CString m_name;
    CString m_number;
    CString m_color;
    CString m_lineType;
    float m_width = 0;
    CString m_name2;
};

/// @}
