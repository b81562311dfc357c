#pragma once
/// CDrawingPara: the drawing-parameter library. It keeps the user's parameter library in step with
/// the system library, loads its tables into lists of records and answers queries by name.
/// The library has one instance, m_exDrawingPara.
#include <cstddef>
#include <memory>
#include <vector>

#include "CArray.h"
#include "CkwExport.h"
#include "ParaRecords.h"

class CKW_API CDrawingPara {
public:
    CDrawingPara();
    virtual ~CDrawingPara();
    CDrawingPara(const CDrawingPara&) = delete;
    CDrawingPara& operator=(const CDrawingPara&) = delete;

    // --- Lifecycle -----------------------------------------------------------------------------
    /// Finds the configuration directory, creates or upgrades the user library, loads the tables.
    void Init();
    /// Destroys the lists and releases the database engine; only the first call after Init acts.
    void Close();
    /// Reloads line types, colours, text and dimension sizes and layers (not when closed).
    void ReSetAllData();
    bool IsClosed() const { return m_closed != 0; }

    void ReadLineType_FromDbLib();
    void ReadColorDef_FromDbLib();
    void ReadTextDef_FromDbLib();
    void ReadLayerInfo_FromDbLib();
    /// Reloads the user-parameter list from the named table (does not run Init).
    void ReadUserParaDef_FromDbLib(const char* table);

    void SetDrawingScale(int scale) { m_drawingScale = scale; }
    int GetDrawingScale() const { return m_drawingScale; }

    /// Drawing mode: 2005 = paper-space mode, 2008 = model-space mode (the default).
    int GetDrawingKind05();
    void SetDrawingKind05(int kind);

    // --- Queries (names compare upper-cased with trailing blanks removed; first match wins) -----
    int GetLayerInfo(const char* kind, char* layerName, int& layerNum, int& color, int& lineType, float& width);
    /// The same, never writing more than capacity bytes (NUL included) into layerName.
    int GetLayerInfo(const char* kind, char* layerName, size_t capacity, int& layerNum, int& color, int& lineType,
                     float& width);
    int GetLayerNum(const char* kind);
    int GetTextInfo(const char* kind, float& height, float& width);
    int GetDimInfo(const char* item, float& value);
    int GetUserParaInfo(const char* table, const char* item, char* value, char* valueKind);
    int GetUserParaInfo(const char* table, const char* item, char* value, size_t valueCapacity, char* valueKind,
                        size_t kindCapacity);
    int GetLineTypeInfo(int& number, int& count, float* values);
    int GetLineTypeInfo(const char* name, int& number, int& count, float* values);

    // --- Line types in the host engine -----------------------------------------------------------
    int CreatAllLineType();
    int CreateOneLineType(const char* name, int scale);
    int CreateOneLineType(int number, int scale);

    // --- Read access to the loaded lists (for the dialogs and tools) ----------------------------
    int GetLineTypeCount() const { return static_cast<int>(m_lineTypes.size()); }
    const CkwLineTypeDef_* GetLineTypeAt(int i) const { return m_lineTypes.at(i).get(); }
    int GetColorCount() const { return static_cast<int>(m_colors.size()); }
    const CColorDef_* GetColorAt(int i) const { return m_colors.at(i).get(); }
    int GetTextCount() const { return static_cast<int>(m_texts.size()); }
    const CkwTextDef_* GetTextAt(int i) const { return m_texts.at(i).get(); }
    int GetDimCount() const { return static_cast<int>(m_dims.size()); }
    const CkwDimDef_* GetDimAt(int i) const { return m_dims.at(i).get(); }
    int GetUserParaCount() const { return static_cast<int>(m_userParas.size()); }
    const CkwUserParaDef_* GetUserParaAt(int i) const { return m_userParas.at(i).get(); }
    int GetLayerCount() const { return static_cast<int>(m_layers.size()); }
    const CkwLayerDef_* GetLayerAt(int i) const { return m_layers.at(i).get(); }
    const char* GetUserLibPath() const { return m_userLibPath; }
    const char* GetSystemLibPath() const { return m_systemLibPath; }
    const char* GetCfgPath() const { return m_cfgPath; }

    // --- Internal: the user-library upgrade and the pieces of the queries -----------------------
    void UpdateUserLib();
    int GetLibVersionInfomation(const char* path, CStringArray& items, CArray<long, long>& values, int which);
    int ModifyVersionTable(const CStringArray& sysItems, const CArray<long, long>& sysValues,
                           const CStringArray& userItems, const CArray<long, long>& userValues);
    static void SplitLineTypeData(const char* data, int& count, float* values);
    int GetLineValueFromString(const char* text);
    int GetCfgColorFromString(const char* text);

private:
    struct Index;
    template <typename Record>
    using List = std::vector<std::unique_ptr<Record>>;

    void EnsureLoaded();
    void FirstStart();
    void RebuildIndex();

    int m_closed = 1;
    CString m_userLibPath;
    CString m_systemLibPath;
    char m_cfgPath[260] = {};
    List<CkwLineTypeDef_> m_lineTypes;
    List<CColorDef_> m_colors;
    List<CkwTextDef_> m_texts;
    List<CkwDimDef_> m_dims;
    List<CkwUserParaDef_> m_userParas;
    List<CkwLayerDef_> m_layers;
    int m_drawingScale = 100;
    std::unique_ptr<Index> m_index;

    friend class ParaTableLoader;
};

extern CKW_API CDrawingPara m_exDrawingPara;
