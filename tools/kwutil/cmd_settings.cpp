// kwutil settings linetype | layer [KIND...] | text | userpara TABLE | mode [--script FILE]:
// opens a settings dialog of the parameter library (a real window where a display is
// available). With --script the dialog plays a dialog script instead (docs/dialog-scripts.md),
// so that a configuration can be changed unattended. Exit status: 0 when the dialog ended with
// OK (and the script, if any, played without error), 1 on a script error or a usage error, 2 when
// a save failed (the database stayed busy past its wait, a disk error, ...), 3 when it ended
// with Cancel.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Configuration.h"
#include "Messages.h"
#include <ckw/DrawingPara.h>
#include <ckw/FortranInterface.h>
#include <ckw/SettingsDialogs.h>
#include "DialogSession.h"
#include "dialog/DialogTemplate.h"
#include "base/GbkText.h"
#include "drawpara/LibraryStep.h"
#include "dialog/DialogHeadless.h"
#include "dialog/DialogRunner.h"
#include "settings/TwoChoiceDialog.h"

namespace {

struct Options {
    std::string which;
    std::vector<std::string> args;
    std::string script;
};

int RunDialog(const Options& options) {
    const std::string& which = options.which;
    if (which == "linetype" || which == "text" || which == "mode") {
        if (!options.args.empty()) throw CLI::ValidationError("settings " + which + " takes no further words");
    } else if (which == "userpara") {
        if (options.args.size() != 1) throw CLI::ValidationError("settings userpara takes one table name");
    } else if (which != "layer") {
        throw CLI::ValidationError("unknown dialog '" + which + "': linetype, layer, text, userpara or mode");
    }
    if (which == "linetype") {
        // kwSetLineType returns nothing: the dialog's result is not known here.
        kwSetLineType();
        return 0;
    }
    if (which == "layer") {
        CStringArray kinds;
        for (const std::string& kind : options.args) kinds.Add(kwutil::Gbk(kind).c_str());
        return kwSetLayer(kinds);
    }
    if (which == "text") {
        kwSetText();
        return 0;
    }
    if (which == "userpara") {
        kwSetUserPara(kwutil::Gbk(options.args[0]).c_str());
        return 0;
    }
    return ckw::settings::RunDrawingModeDialog();
}

int Run(const Options& options) {
    kwutil::EnsureConfiguration();
    m_exDrawingPara.Init();
    const int result = kwutil::RunDialogSession(options.script, [&options] { return RunDialog(options); });
    int status = result == kwutil::kScriptFailed ? 1 : result == ckw::dlg::IDCANCEL ? 3 : 0;
    m_exDrawingPara.Close();
    if (ckw::drawpara::FailedWrites() > 0) {
        kwutil::Say() << "the settings were not saved\n";
        status = 2;
    }
    return status;
}

const kwutil::Command reg(
    "settings", "Open a settings dialog (linetype, layer [KIND...], text, userpara TABLE, mode)",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto options = std::make_shared<Options>();
        cmd.add_option("dialog", options->which, "linetype, layer, text, userpara or mode")->required();
        cmd.add_option("args", options->args, "component types (layer) or the table name (userpara)");
        cmd.add_option("--script", options->script, "play this dialog script instead of showing a window");
        return [options] { return Run(*options); };
    });

}  // namespace
