#include "FileIdentity.h"

#include <QFile>
#include <sys/stat.h>

namespace kwdraw {

FileIdentity IdentityOf(const QString& path) {
    struct stat st {};
    FileIdentity id;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return id;
}

}  // namespace kwdraw
