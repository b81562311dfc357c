#include "DrawingSession.h"

#include "LibraryLayers.h"
#include "Messages.h"

#include <iostream>
#include <memory>

#include <ckw/ReferenceEngine.h>
#include "ui/WindowScriptInput.h"
#include "dialog/DialogHeadless.h"
#include "dialog/DialogRunner.h"
#include "platform/FileLock.h"
#ifdef CKW_WITH_QT
#include "QtBackend.h"
#include "TerminalInput.h"
#endif

namespace kwutil {

namespace {

// Plays the script; false (after reporting why) when it did not play through.
bool PlayScript(const std::string& script, ckw::engine::ReferenceEngine& engine, const std::function<void()>& run) {
    ckw::dlg::ScriptSession session(ckw::dlg::DialogScript::Load(script));
    session.Runner().SetTrace([](const std::string& line) { std::cerr << line << "\n"; });
    ckw::engine::WindowScriptInput input(session.Runner());
    engine.SetInputSource(&input);
    run();
    engine.SetInputSource(nullptr);
    if (session.Succeeded()) return true;
    std::cerr << session.Report();
    kwutil::Say() << "the drawing is not saved\n";
    return false;
}

bool RunInWindows(ckw::engine::ReferenceEngine& engine, const std::function<void()>& run) {
#ifdef CKW_WITH_QT
    ckw::qt::RegisterQtBackend();
    if (ckw::dlg::ActivateUiBackend()) {
        kwutil::Say() << "answer the drawing's prompts here (point X Y, window X1 Y1 X2 Y2, esc)\n";
        TerminalInput input;
        engine.SetInputSource(&input);
        run();
        engine.SetInputSource(nullptr);
        return true;
    }
#else
    (void)engine;
    (void)run;
#endif
    kwutil::Say() << "no display; give the user's part with --script FILE\n";
    return false;
}

}  // namespace

int RunOnDrawing(const std::string& drawing, const std::string& script, const std::function<void()>& run) {
    const ckw::fs::FileLock lock = ckw::fs::FileLock::Take(drawing);
    if (!lock.held()) {
        kwutil::Say() << lock.why() << "; nothing was changed\n";
        return 1;
    }
    auto& engine = ckw::engine::DefaultEngine();
    std::string error;
    if (!engine.Open(0, drawing, error)) {
        kwutil::Say() << error << "\n";
        return 1;
    }
    HostEngine* saved = m_pCfg;
    m_pCfg = &engine;
    engine.EchoPrompts(true);
    const bool done = script.empty() ? RunInWindows(engine, run) : PlayScript(script, engine, run);
    engine.EchoPrompts(false);
    m_pCfg = saved;
    if (!done) return 1;
    NameLibraryLayers(engine.Current());
    if (!engine.Save(0, drawing, error)) {
        kwutil::Say() << error << "\n";
        return 1;
    }
    return 0;
}

Setup DrawingCommand(std::function<void()> run) {
    return [run](CLI::App& cmd) -> Runner {
        auto drawing = std::make_shared<std::string>();
        auto script = std::make_shared<std::string>();
        cmd.add_option("drawing", *drawing, "the .T drawing (saved when the command ends)")->required();
        cmd.add_option("--script", *script,
                       "play this script (window actions and engine answers) instead of showing windows");
        return [run, drawing, script] { return RunOnDrawing(*drawing, *script, run); };
    };
}

}  // namespace kwutil
