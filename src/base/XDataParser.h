#pragma once
// Finding blocks in extended-data word streams, by the one walk of base/XDataWordCodec.h.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/XDataWords.h"

namespace ckw::xdata {

// The first complete block whose name, upper-cased without trailing blanks, equals nameKey.
std::optional<ParsedBlock> FindBlock(std::span<const Word> stream, std::string_view nameKey);

// Every complete block, in stored order.
std::vector<ParsedBlock> ReadAllBlocks(std::span<const Word> stream);

}  // namespace ckw::xdata
