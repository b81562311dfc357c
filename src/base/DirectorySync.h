#pragma once
// After a rename, the folder's new entry reaches the disk only when the folder is synced. Shared
// by the engine's drawing saves and the platform's file replacement.
#include <filesystem>

namespace ckw::fs {

// Syncs directory. Returns 0, or the errno of a failed write (the rename may not survive a power
// cut). A file system that does not sync folders at all counts as done.
int SyncDirectory(const std::filesystem::path& directory);

}  // namespace ckw::fs
