#pragma once
// Temporary files left behind by killed processes. The engine's drawing saves and the user
// library's first start both write under <prefix><pid> and rename; a kill leaves the file.
#include <filesystem>
#include <string_view>

namespace ckw::fs {

// Removes the files <prefix><pid>... in directory whose process is gone. Returns how many.
int RemoveStaleTemporaries(const std::filesystem::path& directory, std::string_view prefix);

}  // namespace ckw::fs
