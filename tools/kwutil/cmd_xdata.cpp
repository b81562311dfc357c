// kwutil xdata DRAWING.T: the extended data of every entity that has some and of the drawing-level
// record, read through the library as the suite's programs read it. The drawing-frame and
// drawing-information records are shown field by field.
#include <cstring>
#include <iostream>
#include <span>
#include <string_view>

#include "Command.h"
#include "Messages.h"
#include <ckw/DrawingRecords.h>
#include <ckw/ReferenceEngine.h>
#include <ckw/XDataUtil.h>
#include "base/GbkText.h"

namespace {

using ckw::text::GbkToUtf8;

// What the values of a known record mean, position by position.
struct Field {
    short type;
    const char* name;
};
constexpr Field kFrameFields[] = {{kXDataInteger, "sheet number"},     {kXDataReal, "scale"},
                                  {kXDataInteger, "orientation"},      {kXDataInteger, "paper length (mm)"},
                                  {kXDataInteger, "paper width (mm)"}, {kXDataString, "title block"}};
constexpr Field kInfoFields[] = {{kXDataInteger, "drawing kind"}, {kXDataString, "drawing name"},
                                 {kXDataInteger, "floor number"}, {kXDataInteger, "scale"},
                                 {kXDataString, "text 2"},        {kXDataInteger, "drawing mode"}};

std::span<const Field> FieldsOf(std::string_view upperName) {
    if (upperName == ckw::text::ToUpper(kDrawFrameAppName)) return kFrameFields;
    if (upperName == ckw::text::ToUpper(kDrawInfoAppName)) return kInfoFields;
    return {};
}

void PrintValue(const XData_Resbuf_& item) {
    switch (item.restype) {
    case kXDataInteger:
        std::cout << "integer " << item.resval.nInt;
        break;
    case kXDataReal:
        std::cout << "real " << item.resval.fReal;
        break;
    default:
        std::cout << "string \"" << GbkToUtf8(item.resval.pString) << "\"";
        break;
    }
}

void PrintBlocks(const XDataBlockList& blocks) {
    for (const XData_ResbufA_* block : blocks) {
        std::cout << "  " << GbkToUtf8(block->appName) << "\n";
        const std::span<const Field> fields = FieldsOf(block->appName);
        for (int i = 0; i < block->items.GetSize(); ++i) {
            const XData_Resbuf_& item = *block->items[i];
            std::cout << "    " << i << ": ";
            if (static_cast<size_t>(i) < fields.size() && fields[i].type == item.restype)
                std::cout << fields[i].name << " = ";
            PrintValue(item);
            std::cout << "\n";
        }
    }
}

int ListXData(const std::string& path) {
    auto& engine = ckw::engine::DefaultEngine();
    std::string error;
    if (!engine.Open(0, path, error, true)) {
        kwutil::Say() << error << "\n";
        return 1;
    }
    HostEngine* saved = m_pCfg;
    m_pCfg = &engine;
    const int unit = engine.CurrentUnit();
    CXDataUtil util;
    for (int kind = 0;;) {
        engine.HostNextSelected(unit, kind);
        if (kind == 0) break;
        if (kind < 0) continue;
        XDataBlockList blocks;
        util.XGet_curXData(&blocks);
        if (!blocks.IsEmpty()) {
            int id0 = 0, id1 = 0;
            engine.HostGetEntityId(0, id0, id1);
            std::cout << "entity " << ckw::engine::KindName(kind) << " (" << kind << ") " << id0 << " " << id1 << ":\n";
            PrintBlocks(blocks);
        }
        CXDataUtil::XRemove_Array(blocks);
    }
    XDataBlockList record;
    util.XGet_DbData(&record);
    std::cout << "drawing-level record:" << (record.IsEmpty() ? " none\n" : "\n");
    PrintBlocks(record);
    CXDataUtil::XRemove_Array(record);
    m_pCfg = saved;
    engine.Close(unit);
    return 0;
}

const kwutil::Command reg("xdata", "List the extended data of a .T drawing's entities and of the drawing",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto input = std::make_shared<std::string>();
                              cmd.add_option("drawing", *input, "the .T drawing")->required();
                              return [input] { return ListXData(*input); };
                          });

}  // namespace
