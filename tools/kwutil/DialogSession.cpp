#include "DialogSession.h"

#include "Messages.h"

#include <iostream>

#include "dialog/DialogHeadless.h"
#include "dialog/DialogRunner.h"
#ifdef CKW_WITH_QT
#include "QtBackend.h"
#endif

namespace kwutil {

int RunDialogSession(const std::string& scriptPath, const std::function<int()>& show) {
    if (!scriptPath.empty()) {
        ckw::dlg::ScriptSession session(ckw::dlg::DialogScript::Load(scriptPath));
        session.Runner().SetTrace([](const std::string& line) { std::cerr << line << "\n"; });
        const int result = show();
        if (session.Succeeded()) return result;
        std::cerr << session.Report();
        return kScriptFailed;
    }
#ifdef CKW_WITH_QT
    ckw::qt::RegisterQtBackend();
#endif
    if (!ckw::dlg::ActivateUiBackend()) kwutil::Say() << "no display; without --script the dialog ends as Cancel\n";
    return show();
}

}  // namespace kwutil
