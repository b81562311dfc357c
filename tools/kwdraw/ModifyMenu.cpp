// The Modify menu: selecting all, erasing and the edit commands, and what follows a change of the
// selection.
#include <QAction>
#include <QMenuBar>
#include <QStatusBar>

#include "DrawingView.h"
#include "EditCommands.h"
#include "MainWindow.h"
#include "PropertiesPanel.h"
#include "Selection.h"

namespace kwdraw {

namespace {

using ckw::engine::DefaultEngine;

}  // namespace

void MainWindow::BuildEditMenus() {
    QMenu* modify = menuBar()->addMenu(tr("&Modify"));
    // Selecting runs no command: the library's commands that ask for a selection get it.
    QAction* all = modify->addAction(tr("Select &all"), this, [this] {
        if (m_running || !CurrentView()) return;
        SelectAllShown(CurrentView()->PickingNow());
        SelectionChanged();
    });
    all->setObjectName(QStringLiteral("editSelectAll"));
    all->setShortcut(QKeySequence::SelectAll);
    modify->addSeparator();
    // Each command picks as the canvas does at its zoom when the command starts.
    auto picking = [this] {
        const DrawingView* view = CurrentView();
        return view ? view->PickingNow() : Picking{};
    };
    struct Entry {
        const char* name;
        QString text;
        void (*run)(const Picking&);
    };
    const Entry entries[] = {
        {"editErase", tr("&Erase"), edits::Erase},    {"editMove", tr("&Move"), edits::Move},
        {"editCopy", tr("&Copy"), edits::Copy},       {"editRotate", tr("&Rotate"), edits::Rotate},
        {"editScale", tr("&Scale"), edits::Scale},    {"editMirror", tr("M&irror"), edits::Mirror},
        {"editOffset", tr("&Offset"), edits::Offset},
    };
    for (const Entry& entry : entries) {
        auto run = entry.run;
        QAction* action =
            AddCommand(modify, QString::fromLatin1(entry.name), entry.text, [run, picking] { run(picking()); });
        if (run == edits::Erase) action->setShortcut(QKeySequence::Delete);
    }
}

void MainWindow::SelectionChanged() {
    if (auto* view = CurrentView()) view->update();
    m_properties->Show(CurrentView());
    const size_t count = DefaultEngine().SelectedEntities().size();
    if (m_running) return;
    // The count replaces only what it said before: other news in the status bar stays.
    const QString shown = statusBar()->currentMessage();
    if (!shown.isEmpty() && shown != m_selectionSaid) return;
    m_selectionSaid = count > 0 ? tr("%n selected", nullptr, static_cast<int>(count)) : QString();
    if (m_selectionSaid.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(m_selectionSaid);
}

}  // namespace kwdraw
