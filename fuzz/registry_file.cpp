// Feeds arbitrary text to the registry-file reader: what it reads writes out as a file that reads
// back the same (nothing lost on a rewrite), and a value set in a readable file is found after a
// rewrite beside the ones it held (values without line breaks, as the registry passes them on).
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/GbkText.h"
#include "registry/RegDocument.h"

namespace {
void Check(bool ok) {
    if (!ok) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using ckw::registry::RegDocument;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RegDocument doc = RegDocument::Parse(text);
    if (doc.damaged()) return 0;
    const std::string once = doc.Serialize();
    Check(RegDocument::Parse(once).Serialize() == once);

    const char* const key = "HKEY_CURRENT_USER\\Software\\KELO Software\\StructDrawingSetting";
    const auto mode = doc.GetDword(key, "DrawingKind05");
    const auto path = doc.GetString("HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH", "CFG");
    // A line break never reaches the document: the registry refuses such values before.
    const std::string value(text.substr(0, std::min(text.find_first_of(std::string_view("\0\r\n", 3)), size_t{24})));
    doc.SetString(key, "Fuzz", value);
    RegDocument again = RegDocument::Parse(doc.Serialize());
    if (ckw::text::IsValidUtf8(value)) Check(again.GetString(key, "Fuzz") == value);
    Check(again.GetDword(key, "DrawingKind05") == mode);
    Check(again.GetString("HKEY_LOCAL_MACHINE\\Software\\KELO\\MAIN\\PATH", "CFG") == path);
    return 0;
}
