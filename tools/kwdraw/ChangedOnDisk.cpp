// A drawing whose file another program wrote while it was open here (a kwutil command, another
// window): before the window writes over that file, the person chooses what happens to both.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "Autosave.h"
#include "DrawingView.h"
#include "FileIdentity.h"
#include "MainWindow.h"
#include "base/GbkText.h"

namespace kwdraw {

namespace {

QString FileOf(const DrawingView& view) {
    const auto* d = view.Drawing();
    return d ? QString::fromStdString(ckw::text::GbkToUtf8(d->FileName())) : QString();
}

}  // namespace

bool MainWindow::WrittenElsewhere(DrawingView* view, const QString& target) const {
    const QString own = FileOf(*view);
    // Only the file this window read or wrote is known; writing over another file was confirmed
    // in the file dialog.
    return view->OnDisk().exists && !own.isEmpty() &&
           QFileInfo(own).absoluteFilePath() == QFileInfo(target).absoluteFilePath() &&
           IdentityOf(target) != view->OnDisk();
}

bool MainWindow::MayWriteOver(DrawingView* view, const QString& target, bool& saved) {
    saved = false;
    const FileIdentity seen = IdentityOf(target);
    m_tabs->setCurrentWidget(view);
    QMessageBox ask(QMessageBox::Warning, tr("Save"),
                    tr("%1 has been changed or removed by another program since it was read here.").arg(target),
                    QMessageBox::NoButton, this);
    ask.setObjectName(QStringLiteral("changedOnDisk"));
    ask.setInformativeText(
        tr("Save this drawing under another name, reload the file (the changes made here are dropped), or "
           "overwrite what the other program wrote?"));
    auto button = [&ask](const QString& text, QMessageBox::ButtonRole role, const char* name) {
        QPushButton* b = ask.addButton(text, role);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    QPushButton* saveAs = button(tr("Save as..."), QMessageBox::AcceptRole, "saveAs");
    QPushButton* reload = button(tr("Reload"), QMessageBox::DestructiveRole, "reload");
    QPushButton* overwrite = button(tr("Overwrite"), QMessageBox::DestructiveRole, "overwrite");
    ask.setDefaultButton(saveAs);
    ask.setEscapeButton(ask.addButton(QMessageBox::Cancel));
    ask.exec();

    if (ask.clickedButton() == overwrite) {
        // What the person agreed to write over; a change made after the question asks again.
        view->SetOnDisk(seen);
        return true;
    }
    if (ask.clickedButton() == saveAs) {
        QString other = QFileDialog::getSaveFileName(this, tr("Save drawing as"), QString(), tr("Drawings (*.T)"));
        if (!other.isEmpty() && QFileInfo(other).suffix().isEmpty()) other += QStringLiteral(".T");
        saved = !other.isEmpty() && SaveDrawing(view, other);
    } else if (ask.clickedButton() == reload) {
        ReloadDrawing(view);
    }
    return false;
}

void MainWindow::ReloadDrawing(DrawingView* view) {
    const int index = m_tabs->indexOf(view);
    DrawingView* fresh = OpenDrawing(FileOf(*view));
    if (!fresh) return;  // the drawing stays as it is
    m_tabs->removeTab(m_tabs->indexOf(view));
    m_recovery->Remove(view->Unit());
    ckw::engine::DefaultEngine().Close(view->Unit());
    view->deleteLater();
    m_tabs->tabBar()->moveTab(m_tabs->indexOf(fresh), index);
    m_tabs->setCurrentWidget(fresh);
    const int unit = fresh->Unit();
    ckw::engine::DefaultEngine().HostSelectDrawing(unit);
}

}  // namespace kwdraw
