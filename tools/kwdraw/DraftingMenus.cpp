// The menu entries of the window's own drafting and measuring commands.
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <memory>

#include "Drafting.h"
#include "DrawingView.h"
#include "MainWindow.h"
#include "Measure.h"

namespace kwdraw {

void MainWindow::BuildDraftingMenus(QMenu* draw) {
    AddCommand(draw, QStringLiteral("draftLine"), tr("&Line"), [] { LineCommand(); });
    AddCommand(draw, QStringLiteral("draftPolyline"), tr("&Polyline"), [] { PolylineCommand(); });
    AddCommand(draw, QStringLiteral("draftCircle"), tr("&Circle"), [] { CircleCommand(); });
    AddCommand(draw, QStringLiteral("draftArc"), tr("&Arc"), [] { ArcCommand(); });
    AddCommand(draw, QStringLiteral("draftText"), tr("&Text"), [this] {
        if (auto* view = CurrentView()) TextCommand(*view);
    });
    AddCommand(draw, QStringLiteral("draftLinearDimension"), tr("Linear &dimension"), [] { DimensionCommand(false); });
    AddCommand(draw, QStringLiteral("draftAlignedDimension"), tr("Ali&gned dimension"), [] { DimensionCommand(true); });
    draw->addSeparator();

    // What was measured stays on the prompt line once the command has ended.
    QMenu* measure = menuBar()->addMenu(tr("&Measure"));
    auto add = [this, measure](const char* name, const QString& text, QString (*command)()) {
        auto shown = std::make_shared<QString>();
        QAction* action =
            AddCommand(measure, QString::fromLatin1(name), text, [shown, command] { *shown = command(); });
        connect(action, &QAction::triggered, this, [this, shown] {
            if (!shown->isEmpty()) m_prompt->setText(*shown);
            shown->clear();
        });
    };
    add("measureDistance", tr("&Distance and angle"), MeasureDistanceCommand);
    add("measureArea", tr("&Area and perimeter"), MeasureAreaCommand);

    // Whether snaps and ortho are on stays in sight: buttons in the status bar, as the menu's entries.
    for (const char* name : {"viewSnaps", "viewOrtho"}) {
        auto* button = new QToolButton;
        button->setDefaultAction(Action(QString::fromLatin1(name)));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        statusBar()->addPermanentWidget(button);
    }
}

}  // namespace kwdraw
