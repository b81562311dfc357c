// kwutil setup DIR: make DIR a configuration directory and record it.
#include <filesystem>
#include <iostream>

#include "Command.h"
#include "Configuration.h"

namespace {

const kwutil::Command reg(
    "setup", "Create a configuration directory holding the system library and record it",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto dir = std::make_shared<std::string>();
        cmd.add_option("DIR", *dir, "the configuration directory to create or refresh")->required();
        return [dir] {
            kwutil::SetUpConfiguration(*dir);
            std::cout << "configuration directory: " << std::filesystem::absolute(*dir).string() << "\n";
            return 0;
        };
    });

}  // namespace
