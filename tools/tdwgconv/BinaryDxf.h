#pragma once
// Binary DXF: the same groups as a text DXF, each code and value in binary. It is turned into
// the text form, which the DXF reader then reads as any other.
#include <string>
#include <string_view>

namespace tdwg {

// What a binary DXF file starts with.
inline constexpr std::string_view kBinaryDxfSentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

bool IsBinaryDxf(std::string_view bytes);

// The groups of a binary DXF as text; false with the reason when the file ends inside a group.
bool BinaryDxfToText(std::string_view bytes, std::string& text, std::string& error);

}  // namespace tdwg
