#pragma once
/// @file
/// What the library requires of the host graphics engine. The library never draws by itself:
/// every line, text, prompt, cursor interaction and stored entity datum goes through m_pCfg.
///
/// Arguments are passed by reference in the engine's Fortran-style convention: 32-bit ints,
/// single-precision floats, and character buffers with an explicit length or capacity. Text is GBK.
///
/// Conventions every engine keeps:
/// - Coordinates handed in are user coordinates (see HostSetUserCoords); angles are degrees.
/// - A buffer with a capacity is never written past it. Text buffers are NUL-terminated when there
///   is room; the returned length is what counts.
/// - Calls that can refuse return int: 1 done, 0 refused (nothing changed). Callers may ignore it.
/// - "The current entity" is the one last found, picked, walked to, read or created; entity
///   calls without an identifier work on it.
/// - "The current drawing" is the drawing unit last selected (HostSelectDrawing) or opened.
#include "CkwExport.h"

/// Sizes fixed by the contract.
inline constexpr int kHostAttributeCount = 7;     ///< integer attribute group of an entity record
inline constexpr int kHostRecordCapacity = 8192;  ///< text bytes (NUL included) and values per record
inline constexpr int kHostXDataWords = 8192;      ///< longest extended-data word stream
inline constexpr int kHostCoordsRecordSize = 9;   ///< user coordinate and transform records
inline constexpr int kHostLineTypeCount = 99;     ///< host line types 1..99
inline constexpr int kHostDashCount = 9;          ///< dash values per line type
inline constexpr int kHostPickRecordSize = 6;     ///< HostPickPoint record

/// The host graphics engine as the library sees it: one pure virtual member per host call of
/// HostCalls.def, where each call is described.
class CKW_API HostEngine {
public:
    virtual ~HostEngine() = default;

#define CKW_HOST_CALL(Result, Name, Parameters, Arguments, Logged, Fallback) virtual Result Name Parameters = 0;
#include "HostCalls.def"
#undef CKW_HOST_CALL
};

/// The engine the library talks to; defined by the engine library. May be null.
extern CKW_API HostEngine* m_pCfg;
