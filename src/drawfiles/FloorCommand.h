#pragma once
// The floor insertion as the user runs it: the layers of the source in "拷贝他层" (with the
// point picked in the drawing on request), then the copy.
#include <string>

#include "drawfiles/FloorInsertion.h"

namespace ckw::drawfiles {

// Nothing is copied when the source has no layers ("没有发现图层！！") or the dialog is cancelled.
InsertionReport RunFloorInsertion(const std::string& pathGbk, InsertMode mode);

}  // namespace ckw::drawfiles
