// Feeds arbitrary bytes to the GBK text routines: conversions give well-formed UTF-8, valid UTF-8
// survives the trip to GBK (GB18030) and back, character steps and case changes never split a
// character, and copies into a caller's buffer stay inside it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/GbkText.h"

namespace {
void Check(bool ok) {
    if (!ok) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ckw::text;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = GbkToUtf8(bytes);
    Check(IsValidUtf8(utf8));
    if (IsValidUtf8(bytes)) Check(GbkToUtf8(Utf8ToGbk(bytes)) == bytes);
    size_t replaced = 0;
    Utf8ToStrictGbk(bytes, replaced);
    Check(IsValidUtf8(CodePageToUtf8(bytes, "GBK")));

    size_t steps = 0;
    for (size_t i = 0; i < bytes.size(); i += CharLength(bytes, i)) ++steps;
    Check(steps <= bytes.size());
    Check(ToUpper(bytes).size() == bytes.size() && ToLower(bytes).size() == bytes.size());
    const std::string trimmed = Trim(bytes);
    Check(trimmed.size() <= bytes.size() && bytes.find(trimmed) != std::string_view::npos);
    Check(NameKey(NameKey(bytes)) == NameKey(bytes));

    size_t used = 0;
    const double number = ParseNumber(bytes, &used);
    Check(used <= bytes.size());
    FormatFixed(number, size ? data[0] % 8 : 2);

    // The first byte chooses the caller's room (0 to 63 bytes).
    const size_t capacity = size ? data[0] % 64 : 0;
    auto buffer = std::make_unique<char[]>(capacity ? capacity : 1);
    const bool whole = CopyToBuffer(bytes, buffer.get(), capacity);
    if (capacity) {
        const std::string copied(buffer.get());
        Check(copied.size() < capacity && bytes.substr(0, copied.size()) == copied);
        Check(!whole || copied.size() == bytes.size() || bytes[copied.size()] == '\0');
    }
    return 0;
}
