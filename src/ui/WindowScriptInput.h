#pragma once
// The engine's input taken from a dialog script that also plays the user's actions in modeless
// windows: each time the engine waits for the user, the window actions up to the next answer to
// the engine are played, and that answer (a line of the input script: "point X Y", "esc", ...)
// is what the engine gets. Used by kwutil and the tests, which see both the engine and the
// dialog framework; it lives with the runners, above the library and the engine, as it joins them
// (the library itself sees neither this nor the engine).
#include <string>
#include <vector>

#include <ckw/ReferenceEngine.h>
#include "dialog/DialogHeadless.h"

namespace ckw::engine {

class WindowScriptInput : public InputSource {
public:
    explicit WindowScriptInput(ckw::dlg::HeadlessDialogRunner& player) : m_player(player) {}

    InputEvent NextInput(InputWant) override {
        while (std::optional<std::string> line = m_player.PlayUntilEngineAnswer()) {
            std::vector<InputEvent> events;
            std::string error;
            if (ParseInputScript(*line, events, error) && events.size() == 1) return events.front();
            m_player.AddError(error.empty() ? "cannot read the engine answer \"" + *line + "\"" : error);
        }
        return InputEvent{};  // the script is used up: [Esc]
    }
    bool UserBreak() override { return m_player.TakeBreak(); }

private:
    ckw::dlg::HeadlessDialogRunner& m_player;
};

}  // namespace ckw::engine
