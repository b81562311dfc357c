// Feeds arbitrary words to the extended-data parser the way the engine hands streams over:
// in a buffer of exactly the stream's length, so that any read past its end is reported.
// Checks that every block read back encodes and reads back to itself, and that the readers'
// records are released completely.
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/GbkText.h"
#include "base/XDataParser.h"
#include "xdata/XDataRecords.h"

using namespace ckw::xdata;

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

bool SameItems(const std::vector<ParsedItem>& a, const std::vector<ParsedItem>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].type != b[i].type || a[i].value != b[i].value || a[i].text != b[i].text) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t count = size / 4;
    auto words = std::make_unique<Word[]>(count);
    if (count) std::memcpy(words.get(), data, count * 4);
    const std::span<const Word> stream(words.get(), count);

    const std::vector<ParsedBlock> blocks = ReadAllBlocks(stream);

    // The single-application reader finds the first block of a name it was shown (readers
    // refuse empty names before they look).
    std::string key = blocks.empty() ? std::string() : ckw::text::NameKey(blocks.front().name);
    if (key.empty()) key = "$A";
    XDataItemList items;
    const int found = AppendNamedBlock(stream, key, items);
    Check(found == 1 || items.IsEmpty());
    CXDataUtil::Remove_Array(items);

    XDataBlockList all;
    const int named = AppendBlockRecords(blocks, all);
    Check(named <= static_cast<int>(blocks.size()));
    CXDataUtil::XRemove_Array(all);

    for (size_t b = 0; b < blocks.size(); ++b) {
        const ParsedBlock& original = blocks[b];
        // Each block's records encode to words that read back as the same block.
        XDataItemList records;
        AppendRecords(original.items, records);
        Words again = EncodeBlock(original.name, records, NameWords::Packed);
        CXDataUtil::Remove_Array(records);
        std::vector<ParsedBlock> reread = ReadAllBlocks(again);
        Check(reread.size() == 1 && reread[0].name == original.name && SameItems(reread[0].items, original.items));
        // Merging it into the stream replaces at most one block and appends it (a few blocks
        // suffice: each merge scans the whole stream).
        if (b < 4) {
            Words merged = ReplaceBlock(stream, again);
            Check(merged.size() >= again.size() && merged.size() <= count + again.size());
        }
    }
    return 0;
}
