// The pending new-entity stream: attached by the engine to every entity created while it is set.
#include <list>
#include <vector>

#include "XDataEngine.h"
#include "XDataMessages.h"
#include "base/XDataParser.h"
#include "XDataRecords.h"

using namespace ckw::xdata;

namespace {

int SetPending(HostEngine& engine, const Words& stream) {
    return engine.HostSetNewEntityXData(static_cast<int>(stream.size()), stream.data()) ? 1 : 0;
}

}  // namespace

int CXDataUtil::New_XData(const char* appName, XDataItemList& list) {
    HostEngine* engine = m_pCfg;
    if (!engine) return 0;
    const std::string_view name = StoredName(appName);
    if (BlockWordCount(name, list, NameWords::Packed) > kMaxBlockWords) {
        ShowTooLarge();
        return 0;
    }
    return SetPending(*engine, EncodeBlock(name, list, NameWords::Packed));
}

int CXDataUtil::Close_XData() {
    HostEngine* engine = m_pCfg;
    if (!engine) return 0;
    engine->HostSetNewEntityXData(0, nullptr);
    return 1;
}

int CXDataUtil::XNew_XData(XDataBlockList& list) {
    HostEngine* engine = m_pCfg;
    if (list.IsEmpty() || !engine) return 0;
    Words stream;
    if (EncodeBlocks(NamedBlocks(list), stream) < 0) {
        ShowTooLarge();
        return 0;
    }
    return SetPending(*engine, stream);
}

int CXDataUtil::XGet_newXData(XDataBlockList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list) return 0;
    const Words stream = ReadNewEntityStream(*engine);
    if (stream.empty()) return 0;
    return AppendBlockRecords(ReadAllBlocks(stream), *list) > 0 ? 1 : 0;
}

int CXDataUtil::Append_newXData(const char* appName, XDataItemList& list) {
    HostEngine* engine = m_pCfg;
    if (!engine) return 0;
    // The other applications' blocks are kept exactly as stored (names not upper-cased), so
    // their own writers and readers still find them.
    std::vector<ParsedBlock> pending = ReadAllBlocks(ReadNewEntityStream(*engine));
    const std::optional<std::string> key = ReaderKey(appName);
    if (!key) return 0;

    std::list<XDataItemList> owned;  // records of the blocks read back, released below
    std::vector<NamedItems> blocks;
    bool replaced = false;
    for (const ParsedBlock& block : pending) {
        if (!replaced && ckw::text::NameKey(block.name) == *key) {
            blocks.push_back({block.name, &list});
            replaced = true;
            continue;
        }
        AppendRecords(block.items, owned.emplace_back());
        blocks.push_back({block.name, &owned.back()});
    }
    if (!replaced) blocks.push_back({StoredName(appName), &list});

    Words stream;
    const int taken = EncodeBlocks(blocks, stream);
    for (XDataItemList& records : owned) Remove_Array(records);
    // Dropping a block to make room would lose it: refuse instead, the pending stream unchanged.
    if (taken != static_cast<int>(blocks.size())) {
        ShowTooLarge();
        return 0;
    }
    return SetPending(*engine, stream);
}
