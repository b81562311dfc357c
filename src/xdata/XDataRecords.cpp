#include "XDataRecords.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/GbkText.h"

namespace ckw::xdata {

char* NewString(std::string_view text, std::size_t size) {
    char* buffer = new char[std::max(size, text.size() + 1)]();
    std::memcpy(buffer, text.data(), text.size());
    return buffer;
}

void AppendRecords(const std::vector<ParsedItem>& items, XDataItemList& list) {
    for (const ParsedItem& item : items) {
        auto* record = new XData_Resbuf_;
        record->restype = item.type;
        if (item.type == kXDataString) {
            record->resval.pString = NewString(item.text, 4 * item.textWords + 1);
        } else if (item.type == kXDataReal) {
            record->resval.fReal = std::bit_cast<float>(item.value);
        } else {
            record->resval.nInt = item.value;
        }
        list.Add(record);
    }
}

int AppendNamedBlock(std::span<const Word> stream, std::string_view nameKey, XDataItemList& list) {
    std::optional<ParsedBlock> block = FindBlock(stream, nameKey);
    if (!block) {
        CXDataUtil::Remove_Array(list);
        return 0;
    }
    AppendRecords(block->items, list);
    return 1;
}

int AppendBlockRecords(const std::vector<ParsedBlock>& blocks, XDataBlockList& list) {
    int added = 0;
    for (const ParsedBlock& block : blocks) {
        std::string name = text::ToUpper(block.name);
        if (name.empty()) continue;
        auto* record = new XData_ResbufA_;
        record->appName = NewString(name, name.size() + 1);
        AppendRecords(block.items, record->items);
        list.Add(record);
        ++added;
    }
    return added;
}

std::vector<NamedItems> NamedBlocks(const XDataBlockList& list) {
    std::vector<NamedItems> blocks;
    for (const XData_ResbufA_* block : list)
        if (block) blocks.push_back({StoredName(block->appName), &block->items});
    return blocks;
}

}  // namespace ckw::xdata

int CXDataUtil::Remove_Array(XDataItemList& list) {
    for (XData_Resbuf_* record : list) {
        if (record && record->restype == kXDataString) delete[] record->resval.pString;
        delete record;
    }
    list.RemoveAll();
    return 1;
}

int CXDataUtil::XRemove_Array(XDataBlockList& list) {
    for (XData_ResbufA_* block : list) {
        if (!block) continue;
        delete[] block->appName;
        Remove_Array(block->items);
        delete block;
    }
    list.RemoveAll();
    return 1;
}
