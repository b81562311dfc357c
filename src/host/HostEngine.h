#pragma once
// What the library requires of the host graphics engine. The library never draws by itself:
// every line, text, prompt, cursor interaction and stored entity datum goes through m_pCfg.
//
// Arguments are passed by reference in the engine's Fortran-style convention: 32-bit ints,
// single-precision floats, and character buffers with an explicit length or capacity. Text is GBK.
#include "CkwExport.h"

class CKW_API HostEngine {
public:
    virtual ~HostEngine() = default;

    // --- Interaction -------------------------------------------------------------------------
    // Shows text (length bytes, not NUL-terminated necessarily) on the prompt line.
    virtual void HostPrompt(const char* text, const int& length) = 0;
    virtual void HostClearPrompt() = 0;

    // --- Line types and colours --------------------------------------------------------------
    // Defines host line type number (2-99) with count (<= 9) dash values.
    virtual void HostDefineLineType(const int& number, const int& count, const float* values) = 0;
    // counts[99]: dash count of host line types 1..99; values[9*99]: their dash values, 9 per type.
    virtual void HostGetLineTypes(int* counts, float* values) = 0;
};

// The engine the library talks to; defined by the engine library. May be null.
extern CKW_API HostEngine* m_pCfg;
