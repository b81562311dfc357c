#pragma once
// What the two sets of Fortran names share: the C-linkage names read NUL-terminated text and write
// into buffers of unknown size, the Fortran 77 names get every text's length as a hidden argument.
#include <cstddef>
#include <string>

namespace ckw::drawpara {

// GETLAYERINFO and GETUSERPARAINFO with the capacity of each output buffer (NUL included).
void FortranLayerInfo(const char* kind, char* layerName, size_t capacity, int* layerNum, int* color, int* lineType,
                      float* width);
int FortranUserParaInfo(const char* table, const char* item, char* value, size_t valueCapacity, char* valueKind,
                        size_t kindCapacity);

// A Fortran character argument of length bytes as text: up to the first NUL, trailing blanks
// removed (Fortran pads with blanks; a caller may also end the text with char(0)).
std::string FortranInput(const char* text, size_t length);
// Writes NUL-terminated text into a Fortran character argument of length bytes, padded with
// blanks as Fortran expects; text longer than the argument is cut.
void FortranOutput(const char* text, char* buffer, size_t length);

}  // namespace ckw::drawpara
