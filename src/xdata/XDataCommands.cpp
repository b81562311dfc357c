// kwXData_Manage and kwXData_Add: extended data looked at and stored by picking entities.
#include <ckw/XDataCommands.h>
#include <ckw/XDataUtil.h>

#include <array>
#include <cstring>
#include <vector>

#include "HostEngine.h"
#include "XDataInputDialog.h"
#include "XDataManageWindow.h"
#include "XDataRecords.h"

namespace {

constexpr char kPickPrompt[] = "请用光标选择图素, [ESC]退出";
constexpr int kPickPicked = 0;
constexpr int kPickEsc = 1;
constexpr int kAnyEntity = 0;

// Drops what is selected and asks for the next pick.
void PromptForPick(HostEngine& engine) {
    int count = 0;
    engine.HostGetSelectionCount(count);
    if (count > 0) engine.HostClearSelection();
    engine.HostClearPrompt();
    engine.HostPrompt(kPickPrompt, static_cast<int>(std::strlen(kPickPrompt)));
}

struct Located {
    int kind;
    std::array<int, 2> id;
};

// Every entity of the selection, in selection order.
std::vector<Located> SelectedEntities(HostEngine& engine) {
    std::vector<Located> entities;
    for (int kind = 0;;) {
        engine.HostNextSelected(0, kind);
        if (kind == 0) break;
        if (kind < 0) continue;
        Located entity{kind, {}};
        engine.HostGetEntityId(0, entity.id[0], entity.id[1]);
        entities.push_back(entity);
    }
    return entities;
}

}  // namespace

int kwXData_Manage() {
    HostEngine* engine = m_pCfg;
    if (!engine) return 1;
    ckw::xdata::XDataManageWindow window;
    XDataBlockList blocks;
    for (;;) {
        PromptForPick(*engine);
        float x = 0, y = 0;
        int kind = 0, status = kPickPicked;
        do {
            engine->HostPickEntity(x, y, kind, status);
        } while (status != kPickPicked && status != kPickEsc);
        if (status == kPickEsc || kind <= 0 || engine->HostUserBreak()) break;
        int id[2] = {0, 0};
        engine->HostGetEntityId(0, id[0], id[1]);

        CXDataUtil::XRemove_Array(blocks);
        CXDataUtil().XGet_XData(kind, id, &blocks);
        window.SetEntity(kind, id, &blocks);
        if (!window.OpenModeless()) window.Refill();
        window.UpdateWindow();
    }
    window.DestroyWindow();
    engine->HostUseWorldCoords();
    CXDataUtil::XRemove_Array(blocks);
    return 1;
}

int kwXData_Add() {
    ckw::xdata::XDataInputDialog input;
    if (input.DoModal() != ckw::dlg::IDOK) return 0;
    HostEngine* engine = m_pCfg;
    if (!engine) return 1;
    CXDataUtil util;
    for (;;) {
        PromptForPick(*engine);
        engine->HostSelectEntities(kAnyEntity);
        int count = 0;
        engine->HostGetSelectionCount(count);
        if (count <= 0) break;
        // Every selected entity gets the block, not only the first.
        for (Located entity : SelectedEntities(*engine)) {
            XDataItemList list;
            auto add = [&list](short type) {
                auto* item = new XData_Resbuf_;
                item->restype = type;
                list.Add(item);
                return item;
            };
            add(kXDataInteger)->resval.nInt = input.intValue;
            add(kXDataReal)->resval.fReal = input.realValue;
            add(kXDataString)->resval.pString = ckw::xdata::NewString(input.stringValue, input.stringValue.size() + 1);
            util.Set_XData(entity.kind, entity.id.data(), input.appName.c_str(), list);
            CXDataUtil::Remove_Array(list);
        }
    }
    engine->HostUseWorldCoords();
    return 1;
}
