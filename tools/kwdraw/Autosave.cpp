#include "Autosave.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include <ckw/ReferenceEngine.h>

#include "FileIdentity.h"
#include "platform/FileCopy.h"

namespace kwdraw {

namespace {

const QString kSessionPrefix = QStringLiteral("session-");
constexpr int kSessionNameAttempts = 20;

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString KeyFile(const QString& folder, int key, const char* suffix) {
    return folder + QLatin1Char('/') + QString::number(key) + QLatin1String(suffix);
}

// The folder's lock, taken without waiting: not held while a live session holds it (the kernel
// lets go of it with the process, however it ends).
ckw::fs::FileLock LockFolder(const QString& folder) {
    return ckw::fs::FileLock::Take(std::filesystem::path(folder.toStdString()), std::chrono::milliseconds(0));
}

void RemoveFolder(const QString& folder, ckw::fs::FileLock& lock) {
    QDir(folder).removeRecursively();
    lock.Release();
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
    // The lock is taken before the folder is made: a session folder is locked from the moment
    // another start can see it.
    for (int attempt = 0; attempt < kSessionNameAttempts && !Ready(); ++attempt) {
        const QString folder =
            m_root + QLatin1Char('/') + kSessionPrefix + QString::number(QRandomGenerator::global()->generate64(), 36);
        ckw::fs::FileLock lock = LockFolder(folder);
        if (!lock.held()) {
            m_error = QString::fromStdString(lock.why());
            continue;
        }
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0) {
            const bool taken = errno == EEXIST;
            m_error = QStringLiteral("cannot make %1: %2").arg(folder, SystemError());
            if (taken) continue;
            return;
        }
        m_folder = folder;
        m_lock = std::move(lock);
    }
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
        ckw::fs::FileLock lock = LockFolder(folder);
        if (!lock.held()) continue;  // a kwdraw that still runs
        m_taken.push_back({folder, std::move(lock)});
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
    for (Taken& t : m_taken) RemoveFolder(t.folder, t.lock);
    m_taken.clear();
}

void RecoveryStore::ReleaseTakenOver() {
    m_taken.clear();  // each lock lets go as it goes
}

}  // namespace kwdraw
