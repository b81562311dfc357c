// The application names in an extended-data word stream, read by the codec the library uses.
#include <ckw/ReferenceEngine.h>

#include "base/XDataWordCodec.h"

namespace ckw::engine {

std::vector<std::string> XDataApplications(const std::vector<int32_t>& stream) {
    return xdata::ApplicationNames(stream);
}

}  // namespace ckw::engine
