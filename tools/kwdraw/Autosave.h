#pragma once
// Recovery files of the drawings a window has changed and not saved. Each window session keeps
// them in a folder of its own under $XDG_STATE_HOME/kelo/kwdraw/recovery, holding the folder's
// file lock for as long as it lives: a folder whose lock is free was left by a kwdraw that ended
// without closing (killed, or the machine stopped), and the next start offers its drawings.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/FileLock.h"

namespace ckw::engine {
class Drawing;
}

namespace kwdraw {

// A drawing that an ended session left behind.
struct Recovery {
    QString file;       // the recovery drawing
    QString original;   // the drawing's own file (empty: never saved)
    QDateTime written;  // when the recovery was written
};

class RecoveryStore {
public:
    // Starts a session under root (empty: the user's state folder).
    explicit RecoveryStore(const QString& root = {});
    // A clean end: the session's recovery files go with it.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString DefaultRoot();
    // False when the session folder could not be made (error says why): nothing is kept then.
    bool Ready() const { return m_lock.held(); }
    const QString& Error() const { return m_error; }

    // Writes the drawing kept under key (a unit) atomically, unless it was written at its
    // present revision already.
    [[nodiscard]] bool Keep(int key, const ckw::engine::Drawing& drawing, const QString& original, QString& error);
    // The drawing was saved or closed: its recovery goes.
    void Remove(int key);

    // Takes over the sessions that ended without closing (this one holds their locks now) and
    // returns their drawings whose recovery is newer than the drawing's file; recoveries older
    // than their file were overtaken by a save and are not offered.
    std::vector<Recovery> TakeOver();
    // Removes one drawing of a session taken over (it was recovered).
    static void Forget(const Recovery& recovery);
    // Removes the sessions taken over (their drawings were recovered or declined).
    void DropTakenOver();
    // Leaves them for a later start.
    void ReleaseTakenOver();

private:
    struct Taken {
        QString folder;
        ckw::fs::FileLock lock;
    };
    QString m_root;
    QString m_folder;
    QString m_error;
    ckw::fs::FileLock m_lock;
    std::map<int, uint64_t> m_written;  // key: revision last written
    std::vector<Taken> m_taken;
};

}  // namespace kwdraw
