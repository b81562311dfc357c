#include "Messages.h"

#include <iostream>

namespace kwutil {

namespace {
std::string& Running() {
    static std::string name;
    return name;
}
}  // namespace

void SetRunningCommand(std::string name) { Running() = std::move(name); }

std::ostream& Say() { return std::cerr << "kwutil " << Running() << ": "; }

}  // namespace kwutil
