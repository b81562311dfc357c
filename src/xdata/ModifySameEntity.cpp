// ModifySameEntity: the user points at an entity; the same-entity editor then changes or deletes
// every entity of that kind with the same properties.
#include <ckw/XDataCommands.h>

#include <cstring>

#include "HostEngine.h"
#include "SameEntityEditor.h"

namespace {

constexpr char kPointPrompt[] = "请用光标选择要修改的内容, [ESC]退出";
constexpr int kPointPicked = 0;
// How far from the point an entity may lie and still be hit (drawing units).
constexpr float kHitTolerance = 10.0f;

}  // namespace

void ModifySameEntity() {
    HostEngine* engine = m_pCfg;
    if (!engine) return;
    ckw::xdata::SameEntityEditor editor;
    for (;;) {
        engine->HostClearSelection();
        engine->HostClearPrompt();
        engine->HostPrompt(kPointPrompt, static_cast<int>(std::strlen(kPointPrompt)));
        float x = 0, y = 0;
        int status = kPointPicked;
        engine->HostGetCursorPoint(x, y, status);
        if (status != kPointPicked || engine->HostUserBreak()) break;

        // The hit test runs on the drawing in front now (the user may have switched drawings
        // since the command started).
        int unit = 0;
        engine->HostGetCurrentDrawing(unit);
        engine->HostSelectDrawing(unit);
        int found = 0, kind = 0;
        engine->HostFindEntityAt(found, x, y, kHitTolerance, kind);
        const ckw::xdata::EntityProperties picked =
            found ? ckw::xdata::ReadEntityProperties(kind) : ckw::xdata::EntityProperties{};
        engine->HostSaveDrawingState(unit);
        if (!found) continue;

        engine->HostClearSelection();
        engine->HostSelectAllOfKind(0, kind);
        int count = 0;
        engine->HostGetSelectionCount(count);
        if (count < 1) continue;
        editor.SetReference(kind, picked);
        if (!editor.OpenModeless()) {
            editor.SetFocus();
            editor.Refill();
        }
        editor.UpdateWindow();
    }
    editor.DestroyWindow();
}
