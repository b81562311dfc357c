#pragma once
// Whole-file copies that never leave a half-written target: the copy is written next to the
// target and renamed over it.
#include <filesystem>
#include <string>
#include <string_view>

namespace ckw::fs {

// Paths in UTF-8. Replaces target if it exists. false = not copied; the target is as it was.
[[nodiscard]] bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8);

// Writes content into a new file next to target (with target's permissions when it exists),
// makes it durable and renames it over target. false = not written and the target as it was, or
// (errno an I/O error) written but the folder's new entry could not be synced.
bool WriteFileReplacing(const std::string& targetUtf8, std::string_view content);

// Removes the copies toward target that killed processes left behind ("NAME.tmpPID..."). The
// replacements above do it themselves; a program that finds such a file first may call it.
int RemoveStaleCopies(const std::string& targetUtf8);

// Writes a file's data to the disk. false = the data may not be there (an I/O error).
bool SyncFile(const std::filesystem::path& file);

}  // namespace ckw::fs
