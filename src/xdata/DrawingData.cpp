// Application blocks in the drawing-level record, in the same block form as on entities.
#include "XDataEngine.h"
#include "XDataMessages.h"
#include "base/XDataParser.h"
#include "XDataRecords.h"

using namespace ckw::xdata;

int CXDataUtil::Set_DbData(const char* appName, XDataItemList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list) return 0;
    const std::string_view name = StoredName(appName);
    if (BlockWordCount(name, *list, NameWords::Packed) > kMaxBlockWords) {
        ShowTooLarge();
        return 0;
    }
    // A record that cannot be read back is not rewritten: that would replace it by zeros.
    std::optional<Words> record = ReadHostDrawingRecord(*engine);
    if (!record) return 0;
    const Words block = EncodeBlock(name, *list, NameWords::Packed);
    Words merged = ReplaceBlock(*record, block);
    const int length = static_cast<int>(merged.size());

    SeekDrawingRecordStart(*engine);
    // While other applications' blocks remain the record is resized, keeping them; otherwise
    // it is made anew.
    if (merged.size() > block.size())
        engine->HostResizeDrawingData(kRecordUnit, kRecordNumber, length, kRecordReserved);
    else
        engine->HostCreateDrawingData(kRecordUnit, kRecordNumber, length, kRecordReserved);
    SeekDrawingRecordStart(*engine);
    engine->HostWriteDrawingData(kRecordUnit, kRecordNumber, merged.data(), length, kRecordReserved);
    SeekDrawingRecordStart(*engine);
    engine->HostReadDrawingData(kRecordUnit, kRecordNumber, merged.data(), length, kRecordReserved);
    return 1;
}

int CXDataUtil::Get_DbData(const char* appName, XDataItemList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list) return 0;
    const std::optional<std::string> key = ReaderKey(appName);
    if (!key) return 0;
    const std::optional<Words> record = ReadHostDrawingRecord(*engine);
    return AppendNamedBlock(record ? *record : Words{}, *key, *list);
}

int CXDataUtil::XGet_DbData(XDataBlockList* list) {
    HostEngine* engine = m_pCfg;
    if (!engine || !list) return 0;
    if (const std::optional<Words> record = ReadHostDrawingRecord(*engine))
        AppendBlockRecords(ReadAllBlocks(*record), *list);
    return 1;
}
