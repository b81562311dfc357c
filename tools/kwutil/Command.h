#pragma once
// Subcommand registration of kwutil. A command file defines
//   static const kwutil::Command reg("name", "what it does", [](CLI::App& cmd) -> kwutil::Runner {...});
// The setup function adds the command's options to `cmd` and returns what runs it; the runner's
// result is the exit status.
#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace kwutil {

using Runner = std::function<int()>;
using Setup = std::function<Runner(CLI::App& cmd)>;

struct CommandDef {
    std::string name;
    std::string description;
    Setup setup;
};

std::vector<CommandDef>& Commands();

struct Command {
    Command(std::string name, std::string description, Setup setup) {
        Commands().push_back({std::move(name), std::move(description), std::move(setup)});
    }
};

}  // namespace kwutil
