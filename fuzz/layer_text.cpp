// Feeds arbitrary text to the readers of the layer table's text and of the number lists users
// type: the component-layer text file (what it reads, written and read again, writes the same),
// a line-type pattern ("3,-1.5") and a bar list ("2,3,2"), each into a buffer of exactly the
// room its caller gives, so that a value written past it is seen.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/Util.h>
#include "settings/LayerText.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

std::string Rewritten(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    ckw::settings::WriteLayerText(out, ckw::settings::ReadLayerText(in));
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string once = Rewritten(text);
    Check(Rewritten(once) == once);

    const std::string line = text.substr(0, text.find('\0'));
    constexpr int kMaxDashes = 9;
    auto dashes = std::make_unique<float[]>(kMaxDashes);
    int count = -1;
    CDrawingPara::SplitLineTypeData(line.c_str(), count, dashes.get());
    Check(count >= 0 && count <= kMaxDashes);

    // The first byte chooses the caller's room (0 to 15 numbers).
    const int capacity = size ? data[0] % 16 : 0;
    auto numbers = std::make_unique<int[]>(static_cast<size_t>(capacity) + 1);
    CUtil util;
    const int whole = util.StringToNum(line.c_str(), numbers.get(), count, capacity);
    Check(count >= 0 && count <= capacity && (whole == 1 || count == capacity));
    return 0;
}
