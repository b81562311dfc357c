// Feeds arbitrary text to the ".LIN" line-type reader; every line type it takes must split into
// dashes within the library's limit, and its data must read back the same when written again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include <ckw/DrawingPara.h>
#include "settings/LinFile.h"

namespace {
constexpr int kMaxDashes = 9;  // the most dashes a line type holds
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (const CkwLineTypeDef_& lineType : ckw::settings::ReadLinLineTypes(in, 1)) {
        // Exactly the room the library promises, so that a dash written past it is seen.
        auto values = std::make_unique<float[]>(kMaxDashes);
        int count = -1;
        CDrawingPara::SplitLineTypeData(lineType.GetLineTypeData(), count, values.get());
        if (count < 0 || count > kMaxDashes) __builtin_trap();
    }
    return 0;
}
