// Feeds arbitrary text to the dialog-script reader: it reads a script or names the line it cannot
// read, and every engine answer it takes turns into a line of the engine's input script.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialog/DialogScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        ckw::dlg::DialogScript script = ckw::dlg::DialogScript::Parse(text);
        while (!script.Empty()) {
            const ckw::dlg::ScriptStep step = script.Take();
            if (step.line <= 0) __builtin_trap();
            if (step.IsEngineAnswer()) step.EngineText();
            step.Where();
        }
    } catch (const ckw::dlg::ScriptError&) {}
    return 0;
}
