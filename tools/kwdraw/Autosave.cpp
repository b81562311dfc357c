#include "Autosave.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include <ckw/ReferenceEngine.h>

#include "FileIdentity.h"
#include "platform/FileCopy.h"

namespace kwdraw {

namespace {

const QString kSessionPrefix = QStringLiteral("session-");

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString KeyFile(const QString& folder, int key, const char* suffix) {
    return folder + QLatin1Char('/') + QString::number(key) + QLatin1String(suffix);
}

// Opens the folder's lock file and locks it without waiting: -1 when a live session holds it
// (the lock goes with the process, however it ends).
int LockFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder + QStringLiteral("/lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void RemoveFolder(const QString& folder, int lock) {
    QDir(folder).removeRecursively();
    if (lock >= 0) ::close(lock);
}

}  // namespace

QString RecoveryStore::DefaultRoot() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/kelo/kwdraw/recovery");
}

RecoveryStore::RecoveryStore(const QString& root) : m_root(root.isEmpty() ? DefaultRoot() : root) {
    if (!QDir().mkpath(m_root)) {
        m_error = QStringLiteral("cannot make %1").arg(m_root);
        return;
    }
    // The folder is made and locked under a name that no start looks at, then named a session:
    // a session folder is locked from the moment it is seen.
    QByteArray made = QFile::encodeName(m_root + QStringLiteral("/.new-XXXXXX"));
    if (!::mkdtemp(made.data())) {
        m_error = QStringLiteral("cannot make a folder in %1: %2").arg(m_root, SystemError());
        return;
    }
    const QString temp = QFile::decodeName(made);
    const int lock = LockFolder(temp);
    const QString folder = m_root + QLatin1Char('/') + kSessionPrefix + temp.right(6);
    if (lock < 0 || ::rename(made.constData(), QFile::encodeName(folder).constData()) != 0) {
        m_error = QStringLiteral("cannot start a session in %1: %2").arg(m_root, SystemError());
        RemoveFolder(temp, lock);
        return;
    }
    m_folder = folder;
    m_lock = lock;
}

RecoveryStore::~RecoveryStore() {
    ReleaseTakenOver();
    if (Ready()) RemoveFolder(m_folder, m_lock);
}

bool RecoveryStore::Keep(int key, const ckw::engine::Drawing& drawing, const QString& original, QString& error) {
    if (!Ready()) {
        error = m_error;
        return false;
    }
    if (auto it = m_written.find(key); it != m_written.end() && it->second == drawing.Revision()) return true;
    // The name first: a recovery drawing is never newer than the name it is recovered under.
    if (!ckw::fs::WriteFileReplacing(KeyFile(m_folder, key, ".path").toStdString(), original.toStdString())) {
        error = SystemError();
        return false;
    }
    std::string why;
    if (!ckw::engine::WriteDrawingFile(std::filesystem::path(KeyFile(m_folder, key, ".T").toStdString()), drawing,
                                       why)) {
        error = QString::fromStdString(why);
        return false;
    }
    m_written[key] = drawing.Revision();
    return true;
}

void RecoveryStore::Remove(int key) {
    if (!Ready()) return;
    m_written.erase(key);
    QFile::remove(KeyFile(m_folder, key, ".T"));
    QFile::remove(KeyFile(m_folder, key, ".path"));
}

std::vector<Recovery> RecoveryStore::TakeOver() {
    std::vector<Recovery> found;
    const QStringList sessions =
        QDir(m_root).entryList({kSessionPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : sessions) {
        const QString folder = m_root + QLatin1Char('/') + name;
        if (folder == m_folder) continue;
        const int lock = LockFolder(folder);
        if (lock < 0) continue;  // a kwdraw that still runs
        m_taken.push_back({folder, lock});
        for (const QString& drawing : QDir(folder).entryList({QStringLiteral("*.T")}, QDir::Files)) {
            Recovery r;
            r.file = folder + QLatin1Char('/') + drawing;
            QFile named(r.file.chopped(2) + QStringLiteral(".path"));
            if (named.open(QIODevice::ReadOnly)) r.original = QString::fromUtf8(named.readAll());
            const FileIdentity recovery = IdentityOf(r.file);
            if (!r.original.isEmpty()) {
                const FileIdentity own = IdentityOf(r.original);
                if (own.exists && own.modifiedNs >= recovery.modifiedNs) continue;
            }
            r.written = QDateTime::fromMSecsSinceEpoch(recovery.modifiedNs / 1'000'000);
            found.push_back(r);
        }
    }
    std::sort(found.begin(), found.end(), [](const Recovery& a, const Recovery& b) { return a.written < b.written; });
    return found;
}

void RecoveryStore::Forget(const Recovery& recovery) {
    QFile::remove(recovery.file);
    QFile::remove(recovery.file.chopped(2) + QStringLiteral(".path"));
}

void RecoveryStore::DropTakenOver() {
    for (const Taken& t : m_taken) RemoveFolder(t.folder, t.lock);
    m_taken.clear();
}

void RecoveryStore::ReleaseTakenOver() {
    for (const Taken& t : m_taken) ::close(t.lock);
    m_taken.clear();
}

}  // namespace kwdraw
