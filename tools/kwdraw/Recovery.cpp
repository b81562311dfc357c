// The window's autosave: every changed drawing is written to a recovery file now and then (the
// setting autosave/seconds, 0: never), and a start offers what a kwdraw that ended without
// closing left unsaved.
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "Autosave.h"
#include "DrawingView.h"
#include "FileIdentity.h"
#include "MainWindow.h"
#include "base/GbkText.h"

namespace kwdraw {

namespace {

constexpr int kDefaultAutosaveSeconds = 300;
constexpr int kMessageMilliseconds = 10000;

}  // namespace

void MainWindow::StartAutosave() {
    m_recovery = std::make_unique<RecoveryStore>();
    if (!m_recovery->Ready()) {
        statusBar()->showMessage(tr("No autosave: %1").arg(m_recovery->Error()), kMessageMilliseconds);
        return;
    }
    const int seconds = QSettings().value(QStringLiteral("autosave/seconds"), kDefaultAutosaveSeconds).toInt();
    if (seconds <= 0) return;
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &MainWindow::AutosaveNow);
    timer->start(seconds * 1000);
}

void MainWindow::AutosaveNow() {
    if (m_running) return;  // a command's half-done work is kept once it has ended
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* view = static_cast<DrawingView*>(m_tabs->widget(i));
        const auto* d = view->Drawing();
        if (!d || !view->Changed()) continue;
        // Named absolutely: the next start may run in another folder.
        QString file = QString::fromStdString(ckw::text::GbkToUtf8(d->FileName()));
        if (!file.isEmpty()) file = QFileInfo(file).absoluteFilePath();
        QString error;
        if (!m_recovery->Keep(view->Unit(), *d, file, error))
            statusBar()->showMessage(tr("Autosave of %1 failed: %2").arg(m_tabs->tabText(i), error),
                                     kMessageMilliseconds);
    }
}

void MainWindow::OfferRecovery() {
    const std::vector<Recovery> found = m_recovery->TakeOver();
    if (found.empty()) {
        m_recovery->DropTakenOver();  // sessions whose drawings were all saved after all
        return;
    }
    QStringList names;
    for (const Recovery& r : found)
        names << tr("%1, autosaved %2")
                     .arg(r.original.isEmpty() ? tr("a drawing never saved") : r.original,
                          QLocale().toString(r.written, QLocale::ShortFormat));
    QMessageBox ask(QMessageBox::Question, tr("Recover drawings"),
                    tr("kwdraw ended without saving the changes of these drawings:\n\n%1\n\nRecover them?")
                        .arg(names.join(QLatin1Char('\n'))),
                    QMessageBox::NoButton, this);
    ask.setObjectName(QStringLiteral("recoverDrawings"));
    QPushButton* recover = ask.addButton(tr("Recover"), QMessageBox::AcceptRole);
    recover->setObjectName(QStringLiteral("recover"));
    QPushButton* discard = ask.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("discard"));
    QPushButton* later = ask.addButton(tr("Ask again next time"), QMessageBox::RejectRole);
    later->setObjectName(QStringLiteral("later"));
    ask.setDefaultButton(recover);
    ask.setEscapeButton(later);
    ask.exec();

    if (ask.clickedButton() == discard) {
        m_recovery->DropTakenOver();
        return;
    }
    if (ask.clickedButton() != recover) {
        m_recovery->ReleaseTakenOver();
        return;
    }
    bool all = true;
    for (const Recovery& r : found) {
        const bool recovered = RecoverDrawing(r);
        if (recovered) RecoveryStore::Forget(r);
        all = all && recovered;
    }
    // One that could not be read stays for a later start.
    if (all)
        m_recovery->DropTakenOver();
    else
        m_recovery->ReleaseTakenOver();
}

bool MainWindow::RecoverDrawing(const Recovery& recovery) {
    DrawingView* view = LoadDrawing(recovery.file, recovery.original);
    if (!view) return false;
    view->MarkChanged();
    // The file as it is now is what the recovered work replaces when it is saved.
    if (!recovery.original.isEmpty()) view->SetOnDisk(IdentityOf(recovery.original));
    RefreshTitle();
    // Kept by this session before the old one's copy goes.
    QString error;
    if (!m_recovery->Keep(view->Unit(), *view->Drawing(), recovery.original, error)) {
        statusBar()->showMessage(tr("Autosave of %1 failed: %2").arg(recovery.original, error), kMessageMilliseconds);
        return false;
    }
    return true;
}

}  // namespace kwdraw
