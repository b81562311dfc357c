#include "base/Status.h"

#include <ostream>

namespace ckw {

std::ostream& operator<<(std::ostream& out, const Status& status) {
    return out << (status.ok() ? std::string_view("done") : std::string_view(status.why()));
}

}  // namespace ckw
