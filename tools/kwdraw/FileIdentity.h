#pragma once
// What a drawing file on disk is at one moment: which file (device and inode) and its size and
// modification time. The window notes it when it opens or saves a drawing; a different identity
// before the next save means another program wrote the file (or replaced or removed it) meanwhile.
#include <QString>
#include <cstdint>

namespace kwdraw {

struct FileIdentity {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at path now (exists false when there is none).
FileIdentity IdentityOf(const QString& path);

}  // namespace kwdraw
