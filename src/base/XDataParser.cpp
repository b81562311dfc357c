#include "base/XDataParser.h"

#include "base/GbkText.h"

namespace ckw::xdata {

std::optional<ParsedBlock> FindBlock(std::span<const Word> stream, std::string_view nameKey) {
    std::optional<ParsedBlock> found;
    ScanBlocks(
        stream, [&](const std::string& name) { return text::NameKey(name) == nameKey; },
        [&](ParsedBlock&& block) {
            found = std::move(block);
            return false;
        });
    return found;
}

std::vector<ParsedBlock> ReadAllBlocks(std::span<const Word> stream) {
    std::vector<ParsedBlock> blocks;
    ScanBlocks(
        stream, [](const std::string&) { return true; },
        [&](ParsedBlock&& block) {
            blocks.push_back(std::move(block));
            return true;
        });
    return blocks;
}

}  // namespace ckw::xdata
