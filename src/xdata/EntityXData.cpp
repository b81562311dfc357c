// Extended data on a located entity and on the current entity.
#include <vector>

#include "XDataEngine.h"
#include "XDataMessages.h"
#include "base/XDataParser.h"
#include "XDataRecords.h"

using namespace ckw::xdata;

namespace {

// Makes the entity (kind, id) of the current drawing current; returns the engine's found flag.
int Locate(HostEngine& engine, int kind, const int* id) {
    const int unit = 0;
    int found = 0;
    engine.HostFindEntity(unit, kind, id[0], id[1], found);
    return found;
}

// The current entity's stream with the application's block put in (replacing its old block, or
// added at the end); nothing, after the size message, when the block or the result would not fit.
std::optional<Words> MergedEntityStream(HostEngine& engine, const char* appName, const XDataItemList& list) {
    const std::string_view name = StoredName(appName);
    const std::size_t size = BlockWordCount(name, list, NameWords::WithNul);
    const std::optional<Words> stream = ReadEntityStream(engine);
    if (size > kMaxBlockWords || !stream) {
        ShowTooLarge();
        return std::nullopt;
    }
    Words merged = ReplaceBlock(*stream, EncodeBlock(name, list, NameWords::WithNul));
    if (merged.size() > kMaxStreamWords) {
        ShowTooLarge();
        return std::nullopt;
    }
    return merged;
}

}  // namespace

int CXDataUtil::Set_XData(int kind, int id[2], const char* appName, XDataItemList& list) {
    return SetEntityBlock(true, kind, id, appName, list);
}

int CXDataUtil::Set_curXData(int kind, const char* appName, XDataItemList& list) {
    return SetEntityBlock(false, kind, nullptr, appName, list);
}

int CXDataUtil::SetEntityBlock(bool locate, int kind, const int* id, const char* appName, const XDataItemList& list) {
    HostEngine* engine = m_pCfg;
    if (!engine || (locate && !id)) return 0;
    // The entity is located but its found flag is not examined: the rewrite goes to whatever
    // the engine holds as current.
    if (locate) Locate(*engine, kind, id);
    EntityRecord record;
    record.Read(*engine, kind);

    const std::optional<Words> merged = MergedEntityStream(*engine, appName, list);
    if (!merged) return 0;
    if (!engine->HostSetXData(static_cast<int>(merged->size()), merged->data())) return 0;
    if (record.Update(*engine, m_writeMode) == 1) PromptUpdateFailed(*engine);
    engine->HostSetXData(0, merged->data());
    return 1;
}

int CXDataUtil::Set_curXData1(int /*kind*/, const char* appName, XDataItemList& list) {
    HostEngine* engine = m_pCfg;
    if (!engine) return 0;
    const std::optional<Words> merged = MergedEntityStream(*engine, appName, list);
    if (!merged) return 0;
    // Left pending: the caller's next entity write carries it, and the caller clears it.
    return engine->HostSetXData(static_cast<int>(merged->size()), merged->data()) ? 1 : 0;
}

int CXDataUtil::Get_XData(int kind, int id[2], const char* appName, XDataItemList* list) {
    return GetEntityBlock(true, kind, id, appName, list);
}

int CXDataUtil::Get_curXData(const char* appName, XDataItemList* list) {
    return GetEntityBlock(false, 0, nullptr, appName, list);
}

int CXDataUtil::GetEntityBlock(bool locate, int kind, const int* id, const char* appName, XDataItemList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list || (locate && !id)) return 0;
    if (locate) Locate(*engine, kind, id);
    const std::optional<std::string> key = ReaderKey(appName);
    if (!key) return 0;
    const std::optional<Words> stream = ReadEntityStream(*engine);
    return AppendNamedBlock(stream ? *stream : Words{}, *key, *list);
}

int CXDataUtil::XGet_XData(int kind, int id[2], XDataBlockList* list) { return GetEntityBlocks(true, kind, id, list); }

int CXDataUtil::XGet_curXData(XDataBlockList* list) { return GetEntityBlocks(false, 0, nullptr, list); }

int CXDataUtil::GetEntityBlocks(bool locate, int kind, const int* id, XDataBlockList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list || (locate && !id)) return 0;
    if (locate) Locate(*engine, kind, id);
    if (const std::optional<Words> stream = ReadEntityStream(*engine))
        AppendBlockRecords(ReadAllBlocks(*stream), *list);
    return 1;
}

int CXDataUtil::XSet_XData(int kind, int id[2], XDataBlockList& list) {
    if (list.IsEmpty()) return 0;
    return SetEntityBlocks(kind, id, NamedBlocks(list), m_writeMode);
}

namespace ckw::xdata {

int SetEntityBlocks(int kind, const int* id, std::span<const NamedItems> blocks, int writeMode) {
    HostEngine* engine = m_pCfg;
    if (blocks.empty() || !engine || !id) return 0;
    if (!Locate(*engine, kind, id)) return 0;
    EntityRecord record;
    record.Read(*engine, kind);
    Words stream;
    if (EncodeBlocks(blocks, stream) < 0) {
        ShowTooLarge();
        return 0;
    }
    if (!engine->HostSetXData(static_cast<int>(stream.size()), stream.data())) return 0;
    record.Update(*engine, writeMode);  // its iFail is not examined here
    engine->HostSetXData(0, stream.data());
    return 1;
}

}  // namespace ckw::xdata
