#pragma once
/// @file
/// Extended entity data: named application blocks of integers, reals and strings, kept on
/// entities of the host engine, on the entities it is about to create, or on the drawing as a
/// whole (the drawing-level record). All text is GBK.
///
/// Ownership: lists handed to the writers stay the caller's; the library keeps no pointer after
/// the call. Records, strings, names and blocks that the readers add to a list belong to the
/// caller, who releases them with Remove_Array / XRemove_Array. Those release exactly what the
/// readers allocate: records with `new XData_Resbuf_`, blocks with `new XData_ResbufA_`, strings
/// and names with `new char[]`. Callers that build their own lists and release them with
/// Remove_Array allocate the same way.
#include "CArray.h"
#include "CkwExport.h"

/// @addtogroup xdata
/// @{

/// Type codes of XData_Resbuf_::restype.
inline constexpr short kXDataInteger = 10001;  ///< a 32-bit integer
inline constexpr short kXDataReal = 10002;     ///< a single-precision real
inline constexpr short kXDataString = 10003;   ///< a string

/// One typed value. The 32-bit integer or single-precision real is stored bit for bit; a string
/// is a NUL-terminated heap copy.
struct XData_Resbuf_ {
    short restype = 0;  ///< kXDataInteger, kXDataReal or kXDataString
    /// The value, by restype.
    union {
        int nInt;       ///< kXDataInteger
        float fReal;    ///< kXDataReal
        char* pString;  ///< kXDataString: NUL-terminated GBK, allocated with new char[]
    } resval{};
};

/// The values of one application, in stored order.
using XDataItemList = CArray<XData_Resbuf_*, XData_Resbuf_*>;

/// One application's block: its name and its values in stored order.
struct XData_ResbufA_ {
    char* appName = nullptr;  ///< the application name, NUL-terminated GBK, allocated with new char[]
    XDataItemList items;      ///< its values
};

/// The blocks of several applications.
using XDataBlockList = CArray<XData_ResbufA_*, XData_ResbufA_*>;

/// Reads and writes extended data through the host engine (m_pCfg); without an engine every call
/// returns 0. kind and id name an entity as the engine does (its kind and identifier pair).
class CKW_API CXDataUtil {
public:
    CXDataUtil() = default;                              ///< write mode 12
    CXDataUtil(const CXDataUtil&) = default;             ///< a copy
    CXDataUtil& operator=(const CXDataUtil&) = default;  ///< copies
    virtual ~CXDataUtil() = default;                     ///< nothing to release

    /// Write mode handed to the engine when an entity is rewritten (12 unless set).
    void SetWriteXDataMode(int mode) { m_writeMode = mode; }

    /// @name Entities about to be created (the pending new-entity stream)
    /// @{

    /// Sets one block as the whole pending stream. 0 when the block is too large.
    int New_XData(const char* appName, XDataItemList& list);
    /// Clears the pending stream.
    int Close_XData();
    /// Sets the given blocks as the pending stream. 0 when the list is empty or a block is too large.
    int XNew_XData(XDataBlockList& list);
    /// Appends the pending blocks (names upper-cased). 0 when nothing is pending.
    int XGet_newXData(XDataBlockList* list);
    /// Replaces or adds one application's block in the pending stream, keeping the others.
    /// 0 (with the size message) when the pending stream would grow past what the engine accepts.
    int Append_newXData(const char* appName, XDataItemList& list);

    /// @}

    /// @name A located entity (kind and identifier pair) and the current entity
    /// @{

    /// Replace or add this application's block and rewrite the entity. 0 (with the size message,
    /// entity untouched) when the block, or the entity's stream with it, is too large.
    int Set_XData(int kind, int id[2], const char* appName, XDataItemList& list);
    /// Set_XData on the current entity.
    int Set_curXData(int kind, const char* appName, XDataItemList& list);
    /// Merges the block into the current entity's stream and leaves it pending for the caller's
    /// next entity write (which carries it); the caller clears it. kind is not used.
    int Set_curXData1(int kind, const char* appName, XDataItemList& list);
    /// Appends this application's values; names compare upper-cased without trailing blanks.
    /// Not found: every record in the list is released and the list emptied (pass an empty list).
    int Get_XData(int kind, int id[2], const char* appName, XDataItemList* list);
    /// Get_XData on the current entity.
    int Get_curXData(const char* appName, XDataItemList* list);
    /// Replaces the entity's whole stream by the given blocks. 0 when the list is empty, the
    /// entity is not found, or a block is too large.
    int XSet_XData(int kind, int id[2], XDataBlockList& list);
    /// Append every block of the entity (names upper-cased).
    int XGet_XData(int kind, int id[2], XDataBlockList* list);
    /// XGet_XData on the current entity.
    int XGet_curXData(XDataBlockList* list);
    /// @}

    /// @name The drawing-level record
    /// @{

    /// Replaces or adds this application's block in the drawing's record. 0 (with the size
    /// message) when it would grow too large, or when the record cannot be read back.
    int Set_DbData(const char* appName, XDataItemList* list);
    /// Appends this application's values from the drawing's record, as Get_XData.
    int Get_DbData(const char* appName, XDataItemList* list);
    /// Appends every block of the drawing's record (names upper-cased).
    int XGet_DbData(XDataBlockList* list);
    /// @}

    /// @name Release (both return 1; the arrays stay usable)
    /// @{

    /// Deletes every record of the list (and its string) and empties the list.
    static int Remove_Array(XDataItemList& list);
    /// Deletes every block of the list (its name and records) and empties the list.
    static int XRemove_Array(XDataBlockList& list);
    /// @}

    /// The write mode (see SetWriteXDataMode).
    int m_writeMode = 12;

private:
    int SetEntityBlock(bool locate, int kind, const int* id, const char* appName, const XDataItemList& list);
    int GetEntityBlock(bool locate, int kind, const int* id, const char* appName, XDataItemList* list);
    int GetEntityBlocks(bool locate, int kind, const int* id, XDataBlockList* list);
};

/// @}
