// kwutil: sets up a configuration, queries the parameter library and works with drawings from the
// command line. Text in and out is UTF-8.
#include <algorithm>
#include <iostream>
#include <memory>

#include "Command.h"
#include "Messages.h"
#include "platform/Ui.h"
#include "registry/Registry.h"
#include <ckw/Version.h>

namespace kwutil {
std::vector<CommandDef>& Commands() {
    static std::vector<CommandDef> commands;
    return commands;
}
}  // namespace kwutil

int main(int argc, char** argv) {
    CLI::App app{"kwutil: the structural drawing suite's common utilities from the command line"};
    app.set_version_flag("--version", "kwutil " CKW_VERSION);
    app.require_subcommand(1);
    auto& commands = kwutil::Commands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    int status = 0;
    std::vector<std::pair<CLI::App*, kwutil::Runner>> runners;
    for (auto& def : commands) {
        CLI::App* cmd = app.add_subcommand(def.name, def.description);
        runners.emplace_back(cmd, def.setup(*cmd));
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    for (auto& [cmd, run] : runners) {
        if (cmd->parsed()) {
            kwutil::SetRunningCommand(cmd->get_name());
            // The registry files are read once for the command: one read that fails halfway
            // would leave it half configured.
            ckw::registry::RegistrySnapshot registry;
            ckw::registry::SetCurrent(&registry);
            const int errorsBefore = ckw::ui::ErrorsShown();
            try {
                status = run();
            } catch (const std::exception& e) {
                kwutil::Say() << e.what() << "\n";
                status = 2;
            }
            // A result that did not reach its reader (a full disk, a closed pipe) is no success.
            if (!std::cout.flush()) {
                kwutil::Say() << "cannot write the output\n";
                if (status == 0) status = 1;
            }
            // The library said something failed and went on: the command did not do its work.
            if (status == 0 && ckw::ui::ErrorsShown() > errorsBefore) {
                kwutil::Say() << "stopped short: the message above says what failed\n";
                status = 2;
            }
            ckw::registry::SetCurrent(nullptr);
        }
    }
    return status;
}
