// The connections kept between uses of the same parameter file.
#include <vector>

#include "dao/DaoSqlite.h"

namespace ckw::dao::detail {
namespace {

struct Kept {
    sqlite3* db;
    std::string path;
    bool readOnly;
    dev_t device;
    ino_t inode;
};

// A handful is enough: the library works on two files at a time.
constexpr size_t kMaxKept = 8;

// Never destroyed: the global parameter library may close its connections while the program
// ends, after function-local statics are gone. What is still kept then stays reachable.
std::vector<Kept>* KeptConnections() {
    static auto* kept = new std::vector<Kept>;
    return kept;
}

}  // namespace

sqlite3* TakeKeptConnection(const std::string& pathUtf8, bool readOnly, dev_t device, ino_t inode) {
    auto& kept = *KeptConnections();
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->path != pathUtf8 || it->readOnly != readOnly) continue;
        sqlite3* db = it->db;
        bool sameFile = it->device == device && it->inode == inode;
        kept.erase(it);
        if (sameFile) return db;
        sqlite3_close_v2(db);  // the file was replaced: its old connection reads the old file
        return nullptr;
    }
    return nullptr;
}

bool KeepConnection(sqlite3* db, const std::string& pathUtf8, bool readOnly, dev_t device, ino_t inode) {
    auto& kept = *KeptConnections();
    if (kept.size() >= kMaxKept) return false;
    kept.push_back({db, pathUtf8, readOnly, device, inode});
    return true;
}

void ReleaseConnections() {
    auto& kept = *KeptConnections();
    for (const Kept& k : kept) sqlite3_close_v2(k.db);
    kept.clear();
}

}  // namespace ckw::dao::detail
