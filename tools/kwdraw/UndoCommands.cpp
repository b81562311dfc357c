// Undo and redo in the window: the Edit menu's entries name the step they undo or redo, and the
// drawing, its layers and its changed mark follow the history.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>

#include "DrawingView.h"
#include "GbkQt.h"
#include "MainWindow.h"

namespace kwdraw {

using ckw::engine::DefaultEngine;

namespace {

constexpr int kDroppedMessageMilliseconds = 10000;
constexpr int kDefaultBudgetMiB = 256;

}  // namespace

void MainWindow::BuildUndoMenu(QMenu* edit) {
    // The memory each drawing's steps may take (setting undo/budgetMiB).
    const int budget = QSettings().value(QStringLiteral("undo/budgetMiB"), kDefaultBudgetMiB).toInt();
    DefaultEngine().SetHistoryBudget(size_t(std::max(1, budget)) << 20);
    m_undo = edit->addAction(tr("&Undo"), this, [this] { UndoCommand(false); });
    m_undo->setObjectName(QStringLiteral("editUndo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = edit->addAction(tr("&Redo"), this, [this] { UndoCommand(true); });
    m_redo->setObjectName(QStringLiteral("editRedo"));
    // Ctrl+Y as well where the platform's redo is another key.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y); !redoKeys.contains(ctrlY)) redoKeys.append(ctrlY);
    m_redo->setShortcuts(redoKeys);
    connect(edit, &QMenu::aboutToShow, this, [this] { RefreshUndo(); });
    RefreshUndo();
}

void MainWindow::UndoCommand(bool redo) {
    DrawingView* view = CurrentView();
    if (!view || m_running) return;
    auto& engine = DefaultEngine();
    const int unit = view->Unit();
    const QString name = FromGbk(redo ? engine.RedoName(unit) : engine.UndoName(unit));
    if (!(redo ? engine.Redo(unit) : engine.Undo(unit))) {
        statusBar()->showMessage(redo ? tr("Nothing to redo") : tr("Nothing to undo"), 3000);
        return;
    }
    statusBar()->showMessage(redo ? tr("Redone: %1").arg(name) : tr("Undone: %1").arg(name), 3000);
    RefreshView();
    RefreshLayers();
}

void MainWindow::RefreshUndo() {
    if (!m_undo) return;
    DrawingView* view = CurrentView();
    auto& engine = DefaultEngine();
    const int unit = view ? view->Unit() : 0;
    const bool idle = view && !m_running;
    const bool canUndo = idle && engine.CanUndo(unit), canRedo = idle && engine.CanRedo(unit);
    m_undo->setEnabled(canUndo);
    m_redo->setEnabled(canRedo);
    m_undo->setText(canUndo ? tr("&Undo %1").arg(FromGbk(engine.UndoName(unit))).trimmed() : tr("&Undo"));
    m_redo->setText(canRedo ? tr("&Redo %1").arg(FromGbk(engine.RedoName(unit))).trimmed() : tr("&Redo"));
}

void MainWindow::NoteDroppedSteps(int unit, size_t droppedBefore) {
    const size_t dropped = DefaultEngine().DroppedSteps(unit) - droppedBefore;
    if (dropped > 0)
        statusBar()->showMessage(
            tr("The undo history is full: its %n oldest step(s) were dropped", nullptr, static_cast<int>(dropped)),
            kDroppedMessageMilliseconds);
}

bool MainWindow::TakesUndoKeys(QObject* watched, QEvent* event) const {
    // The command line undoes its own typing while it holds text; empty, it leaves the keys to the
    // drawing.
    if (watched != m_commandLine || event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool undoKey =
        m_undo && (m_undo->shortcuts().contains(pressed) || (m_redo && m_redo->shortcuts().contains(pressed)));
    return undoKey && m_commandLine->text().isEmpty();
}

}  // namespace kwdraw
