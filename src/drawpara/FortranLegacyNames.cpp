// The Fortran-callable functions under the names a Fortran 77 compiler gives external routines
// (lower case, one trailing underscore), for programs that call them without bind(C): every
// argument by address, and the length of every character argument passed after the others.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <ckw/FortranInterface.h>
#include "drawpara/FortranText.h"

namespace ckw::drawpara {

std::string FortranInput(const char* text, size_t length) {
    if (!text) return {};
    size_t end = 0;
    while (end < length && text[end] != '\0') ++end;
    while (end > 0 && text[end - 1] == ' ') --end;
    return std::string(text, end);
}

void FortranOutput(const char* text, char* buffer, size_t length) {
    if (!buffer) return;
    size_t n = std::min(std::strlen(text), length);
    std::memcpy(buffer, text, n);
    std::memset(buffer + n, ' ', length - n);
}

}  // namespace ckw::drawpara

using ckw::drawpara::FortranInput;
using ckw::drawpara::FortranOutput;

void initkwutil_() { INITKWUTIL(); }

void closekwutil_() { CLOSEKWUTIL(); }

void getlayerinfo_(const char* kind, char* layerName, int* layerNum, int* color, int* lineType, float* width,
                   size_t kindLength, size_t nameLength) {
    std::vector<char> name(nameLength + 1, '\0');
    ckw::drawpara::FortranLayerInfo(FortranInput(kind, kindLength).c_str(), name.data(), name.size(), layerNum, color,
                                    lineType, width);
    FortranOutput(name.data(), layerName, nameLength);
}

void getlayernum_(const char* kind, int* layerNum, size_t kindLength) {
    GETLAYERNUM(FortranInput(kind, kindLength).c_str(), layerNum);
}

void getlinetypeinfo_(int* number, int* count, float* values) { GETLINETYPEINFO(number, count, values); }

void getlinetypeinfo1_(const char* name, int* number, int* count, float* values, size_t nameLength) {
    GETLINETYPEINFO1(FortranInput(name, nameLength).c_str(), number, count, values);
}

void getdimtextinfo_(const char* kind, const char* item, float* first, float* second, size_t kindLength,
                     size_t itemLength) {
    GETDIMTEXTINFO(FortranInput(kind, kindLength).c_str(), FortranInput(item, itemLength).c_str(), first, second);
}

int getuserparainfo_(const char* table, const char* item, char* value, char* valueKind, size_t tableLength,
                     size_t itemLength, size_t valueLength, size_t kindLength) {
    std::vector<char> valueText(valueLength + 1, '\0'), kindText(kindLength + 1, '\0');
    int found = ckw::drawpara::FortranUserParaInfo(FortranInput(table, tableLength).c_str(),
                                                   FortranInput(item, itemLength).c_str(), valueText.data(),
                                                   valueText.size(), kindText.data(), kindText.size());
    if (found == 1) {
        FortranOutput(valueText.data(), value, valueLength);
        FortranOutput(kindText.data(), valueKind, kindLength);
    }
    return found;
}

int createonelinetype_(const char* name, const int* scale, int* hostNumber, size_t nameLength) {
    return CREATEONELINETYPE(FortranInput(name, nameLength).c_str(), scale ? *scale : 100, hostNumber);
}

int createonelinetype1_(const int* number, const int* scale, int* hostNumber) {
    return CREATEONELINETYPE1(number ? *number : 0, scale ? *scale : 100, hostNumber);
}

void setdrawingscale_(const int* scale) {
    if (scale) SETDRAWINGSCALE(*scale);
}

int creatalllinetype_() { return CREATALLLINETYPE(); }

void setdrawingkind05_(const int* kind) {
    if (kind) SetDrawingKind05(*kind);
}

int getdrawingkind05_() { return GetDrawingKind05(); }
