#pragma once
/// @file
/// CDrawingPara, the drawing-parameter library, and its one instance m_exDrawingPara.
#include <cstddef>
#include <memory>
#include <vector>

#include "CArray.h"
#include "CkwExport.h"
#include "ParaRecords.h"

/// @addtogroup drawpara
/// @{

/// The drawing-parameter library. It keeps the user's parameter library in step with the system
/// library, loads its tables into lists of records and answers queries by name. The library has
/// one instance, m_exDrawingPara. The queries return 1 when found and 0 when not, leaving the
/// outputs as they were; they load the tables first when that has not happened yet.
class CKW_API CDrawingPara {
public:
    CDrawingPara();           ///< closed: nothing loaded until Init or the first query
    virtual ~CDrawingPara();  ///< closes
    CDrawingPara(const CDrawingPara&) = delete;
    CDrawingPara& operator=(const CDrawingPara&) = delete;

    /// @name Lifecycle
    /// @{

    /// Finds the configuration directory, creates or upgrades the user library, loads the tables.
    void Init();
    /// Destroys the lists and releases the database engine; only the first call after Init acts.
    void Close();
    /// Reloads line types, colours, text and dimension sizes and layers (not when closed).
    void ReSetAllData();
    /// True before Init and after Close.
    bool IsClosed() const { return m_closed != 0; }

    void ReadLineType_FromDbLib();   ///< reloads the line types from the user library
    void ReadColorDef_FromDbLib();   ///< reloads the colours
    void ReadTextDef_FromDbLib();    ///< reloads the text and dimension sizes
    void ReadLayerInfo_FromDbLib();  ///< reloads the component layers
    /// Reloads the user-parameter list from the named table (does not run Init).
    void ReadUserParaDef_FromDbLib(const char* table);

    /// The drawing scale line types are defined at (100 unless set).
    void SetDrawingScale(int scale) { m_drawingScale = scale; }
    /// The drawing scale line types are defined at.
    int GetDrawingScale() const { return m_drawingScale; }

    /// Drawing mode: 2005 = paper-space mode, 2008 = model-space mode (the default).
    int GetDrawingKind05();
    /// Records the drawing mode (2005 or 2008) for the user.
    void SetDrawingKind05(int kind);
    /// @}

    /// @name Queries
    /// Names compare upper-cased with trailing blanks removed; the first match wins.
    /// @{

    /// Layer name, number, colour, line type and width of a component kind. layerName needs room
    /// for the name; prefer the bounded form.
    int GetLayerInfo(const char* kind, char* layerName, int& layerNum, int& color, int& lineType, float& width);
    /// The same, never writing more than capacity bytes (NUL included) into layerName.
    int GetLayerInfo(const char* kind, char* layerName, size_t capacity, int& layerNum, int& color, int& lineType,
                     float& width);
    /// The layer number of a component kind; 0 (and a word on the prompt line) when unknown.
    int GetLayerNum(const char* kind);
    /// Text height and width of an annotation kind.
    int GetTextInfo(const char* kind, float& height, float& width);
    /// The value of a dimensioning item.
    int GetDimInfo(const char* item, float& value);
    /// Value and value kind of an item of a user-parameter table (read anew on every call).
    /// value and valueKind need room for them; prefer the bounded form.
    int GetUserParaInfo(const char* table, const char* item, char* value, char* valueKind);
    /// The same, never writing more than the capacities (NUL included).
    int GetUserParaInfo(const char* table, const char* item, char* value, size_t valueCapacity, char* valueKind,
                        size_t kindCapacity);
    /// Dash count and values (at most 9) of line type number; 0 and 1 are the solid line (no dashes).
    int GetLineTypeInfo(int& number, int& count, float* values);
    /// Number, dash count and values (at most 9) of the line type called name.
    int GetLineTypeInfo(const char* name, int& number, int& count, float* values);
    /// @}

    /// @name Line types in the host engine
    /// @{

    /// Defines every line type of the library in the host at the drawing scale; 1 done.
    int CreatAllLineType();
    /// Defines the named line type in the host at scale; 0 when the library has no such line type.
    int CreateOneLineType(const char* name, int scale);
    /// Defines line type number in the host at scale; 0 when the library has no such line type.
    int CreateOneLineType(int number, int scale);
    /// @}

    /// @name Read access to the loaded lists (for the dialogs and tools)
    /// The records stay the library's; an index out of range throws std::out_of_range.
    /// @{

    /// The number of line types.
    int GetLineTypeCount() const { return static_cast<int>(m_lineTypes.size()); }
    const CkwLineTypeDef_* GetLineTypeAt(int i) const { return m_lineTypes.at(i).get(); }  ///< line type i
    int GetColorCount() const { return static_cast<int>(m_colors.size()); }                ///< the number of colours
    const CColorDef_* GetColorAt(int i) const { return m_colors.at(i).get(); }             ///< colour i
    int GetTextCount() const { return static_cast<int>(m_texts.size()); }                  ///< the number of text sizes
    const CkwTextDef_* GetTextAt(int i) const { return m_texts.at(i).get(); }              ///< text size i
    int GetDimCount() const { return static_cast<int>(m_dims.size()); }     ///< the number of dimension sizes
    const CkwDimDef_* GetDimAt(int i) const { return m_dims.at(i).get(); }  ///< dimension size i
    /// The number of user parameters of the table read last.
    int GetUserParaCount() const { return static_cast<int>(m_userParas.size()); }
    const CkwUserParaDef_* GetUserParaAt(int i) const { return m_userParas.at(i).get(); }  ///< user parameter i
    int GetLayerCount() const { return static_cast<int>(m_layers.size()); }       ///< the number of component layers
    const CkwLayerDef_* GetLayerAt(int i) const { return m_layers.at(i).get(); }  ///< component layer i
    const char* GetUserLibPath() const { return m_userLibPath; }                  ///< the user library's path (GBK)
    const char* GetSystemLibPath() const { return m_systemLibPath; }              ///< the system library's path (GBK)
    const char* GetCfgPath() const { return m_cfgPath; }                          ///< the configuration directory (GBK)
    /// @}

    /// @name Internal: the user-library upgrade and the pieces of the queries
    /// Exported for the library's own tools and tests; drawing programs have no use for them.
    /// @{

    /// Brings the user library up to date with the system library, table by table.
    void UpdateUserLib();
    /// Reads the version table of the library at path into items and values; which is 1 for the
    /// system library (a missing table is then said) and 2 for the user library.
    int GetLibVersionInfomation(const char* path, CStringArray& items, CArray<long, long>& values, int which);
    /// Brings the user library to the system library's version: replaces the tables that changed
    /// (asking first where the user's own values would be lost) and recreates missing ones.
    int ModifyVersionTable(const CStringArray& sysItems, const CArray<long, long>& sysValues,
                           const CStringArray& userItems, const CArray<long, long>& userValues);
    /// Splits a dash-pattern text ("12,-3,0") into at most 9 values.
    static void SplitLineTypeData(const char* data, int& count, float* values);
    /// The line-type number of a line-type name or number text.
    int GetLineValueFromString(const char* text);
    /// The colour number of a colour name, description or number text.
    int GetCfgColorFromString(const char* text);
    /// @}

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

/// The library's one parameter library.
extern CKW_API CDrawingPara m_exDrawingPara;

/// @}
