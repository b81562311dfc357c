#pragma once
// Whole-file copies that never leave a half-written target: the copy is written next to the
// target and renamed over it.
#include <filesystem>
#include <string>
#include <string_view>

namespace ckw::fs {

// Paths in UTF-8. Replaces target if it exists. false = not copied; the target is as it was.
bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8);

// Writes a file's data to the disk. false = the data may not be there (an I/O error).
bool SyncFile(const std::filesystem::path& file);

// Files a process writes before renaming them over their target are named <prefix><pid>...; a
// process that was killed leaves its own behind. Removes those in directory whose process is
// gone. Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& directory, std::string_view prefix);

}  // namespace ckw::fs
