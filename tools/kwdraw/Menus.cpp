// The window's menus: drawings, view, and one entry per command of the library and of each loaded
// drawing program. Commands run through RunCommand, on the current drawing.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>

#include <ckw/DrawingFiles.h>
#include <ckw/DrawingPara.h>
#include <ckw/FortranInterface.h>
#include <ckw/SettingsDialogs.h>
#include <ckw/SheetCommands.h>
#include <ckw/Util.h>
#include <ckw/XDataCommands.h>

#include "DrawingInfo.h"
#include "DrawingView.h"
#include "FloorTableDialog.h"
#include <ckw/HostEngine.h>
#include "MainWindow.h"
#include "PointPrompt.h"
#include "SectionDialog.h"
#include "SectionOutline.h"
#include "WindowInput.h"

namespace kwdraw {

namespace {

constexpr int kSectionColour = 4;  // cyan, as kwutil section draws them

// A command's name from its menu text: without the mnemonic ("&Frame...", "图框(&F)...") and the
// dots, as the status bar and the undo entries name it.
QString CommandName(const QString& menuText) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$"));
    return QString(menuText).remove(mnemonic).trimmed();
}

}  // namespace

QAction* MainWindow::AddCommand(QMenu* menu, const QString& objectName, const QString& text,
                                const std::function<void()>& command) {
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    const QString name = CommandName(text);
    connect(action, &QAction::triggered, this, [this, name, command] { RunCommand(name, command); });
    m_commandActions.push_back(action);
    return action;
}

QAction* MainWindow::Action(const QString& objectName) const { return findChild<QAction*>(objectName); }

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, QKeySequence keys, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) action->setShortcut(keys);
        return action;
    };
    add(file, "fileNew", tr("&New"), QKeySequence::New, [this] { NewDrawing(); });
    add(file, "fileOpen", tr("&Open..."), QKeySequence::Open, [this] {
        QString path = QFileDialog::getOpenFileName(this, tr("Open drawing"), QString(), tr("Drawings (*.T *.t)"));
        if (!path.isEmpty()) OpenDrawing(path);
    });
    m_recentMenu = file->addMenu(tr("Open &recent"));
    RefreshRecent();
    AddCommand(file, QStringLiteral("fileOpenOld"), tr("Open an &earlier drawing..."),
               [this] { OpenOldDrawingCommand(); });
    add(file, "fileSave", tr("&Save"), QKeySequence::Save, [this] { SaveDrawing(CurrentView()); });
    add(file, "fileSaveAs", tr("Save &as..."), QKeySequence::SaveAs, [this] {
        QString path = QFileDialog::getSaveFileName(this, tr("Save drawing as"), QString(), tr("Drawings (*.T)"));
        if (!path.isEmpty()) SaveDrawing(CurrentView(), path);
    });
    file->addSeparator();
    add(file, "filePlot", tr("&Plot..."), QKeySequence::Print, [this] { PlotCommand(); });
    AddCommand(file, QStringLiteral("fileExportDxf"), tr("&Export DXF..."), [this] { ExportDxfCommand(); });
    file->addSeparator();
    add(file, "loadProgram", tr("&Load drawing program..."), QKeySequence(), [this] {
        QString path = QFileDialog::getOpenFileName(this, tr("Load drawing program"), QString(), tr("Programs (*.so)"));
        QString error;
        if (!path.isEmpty() && !LoadProgram(path, error)) QMessageBox::warning(this, tr("Load drawing program"), error);
    });
    add(file, "fileClose", tr("&Close drawing"), QKeySequence::Close, [this] {
        if (m_tabs->currentIndex() >= 0) CloseTab(m_tabs->currentIndex());
    });
    add(file, "fileQuit", tr("&Quit"), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    BuildUndoMenu(edit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    add(view, "viewFit", tr("&Fit"), QKeySequence(Qt::Key_F5), [this] {
        if (auto* v = CurrentView()) v->Fit();
    });
    add(view, "viewZoomWindow", tr("Zoom &window"), QKeySequence(), [this] {
        if (auto* v = CurrentView()) v->StartZoomWindow();
    });
    add(view, "viewZoomIn", tr("Zoom &in"), QKeySequence::ZoomIn, [this] {
        if (auto* v = CurrentView()) v->ZoomBy(1.5, QPointF(v->width() / 2.0, v->height() / 2.0));
    });
    add(view, "viewZoomOut", tr("Zoom &out"), QKeySequence::ZoomOut, [this] {
        if (auto* v = CurrentView()) v->ZoomBy(1 / 1.5, QPointF(v->width() / 2.0, v->height() / 2.0));
    });
    QAction* light =
        add(view, "viewLight", tr("&Light background"), QKeySequence(), [this](bool on) { SetLightTheme(on); });
    light->setCheckable(true);
    view->addSeparator();
    QAction* snaps = add(view, "viewSnaps", tr("Object &snaps"), QKeySequence(Qt::Key_F3), [this](bool on) {
        m_snapSettings.snaps = on;
        statusBar()->showMessage(on ? tr("Object snaps on") : tr("Object snaps off"), 3000);
    });
    snaps->setCheckable(true);
    snaps->setChecked(m_snapSettings.snaps);
    QAction* ortho = add(view, "viewOrtho", tr("&Ortho"), QKeySequence(Qt::Key_F8), [this](bool on) {
        m_snapSettings.ortho = on;
        statusBar()->showMessage(on ? tr("Ortho on") : tr("Ortho off"), 3000);
    });
    ortho->setCheckable(true);

    BuildEditMenus();
    BuildLibraryMenus();
    m_programsMenu = menuBar()->addMenu(tr("&Programs"));
    m_programsMenu->setObjectName(QStringLiteral("programsMenu"));
}

void MainWindow::BuildLibraryMenus() {
    QMenu* settings = menuBar()->addMenu(tr("&Settings"));
    AddCommand(settings, QStringLiteral("setLineTypes"), tr("&Line types..."), [] { kwSetLineType(); });
    AddCommand(settings, QStringLiteral("setLayers"), tr("Component &layers..."), [] {
        CStringArray all;  // empty: every component type
        kwSetLayer(all);
    });
    AddCommand(settings, QStringLiteral("setText"), tr("&Text and dimension sizes..."), [] { kwSetText(); });
    AddCommand(settings, QStringLiteral("setUserPara"), tr("&User parameters..."), [] { kwSetUserPara("用户参数表"); });
    AddCommand(settings, QStringLiteral("setDrawingMode"), tr("Drawing &mode..."), [] { SetDrawingKind05_08(); });
    settings->addSeparator();
    AddCommand(settings, QStringLiteral("setScale"), tr("Drawing &scale..."), [this] {
        bool ok = false;
        int scale = QInputDialog::getInt(this, tr("Drawing scale"), tr("1 :"), static_cast<int>(DrawingScale()), 1,
                                         100000, 1, &ok);
        if (!ok) return;
        // Kept with the drawing, and as the scale of drawings that record none.
        m_exDrawingPara.SetDrawingScale(scale);
        RecordDrawingScale(scale);
        RememberDrawingScale(scale);
    });

    QMenu* draw = menuBar()->addMenu(tr("&Draw"));
    BuildDraftingMenus(draw);
    AddCommand(draw, QStringLiteral("drawFrame"), tr("Sheet &frame"), [] { DragDrawFrame(); });
    AddCommand(draw, QStringLiteral("drawFrameA2"), tr("Sheet frame A&2"),
               [] { CUtil().DragDrawingFrame(2, 0, 0, 0, DrawingScale(), 1); });
    AddCommand(draw, QStringLiteral("drawFloorTable"), tr("Floor &elevation table..."),
               [this] { FloorTableCommand(); });
    AddCommand(draw, QStringLiteral("drawSection"), tr("&Section outline..."), [this] { SectionCommand(); });
    AddCommand(draw, QStringLiteral("drawBreakLine"), tr("&Break line"), [this] { BreakLineCommand(); });

    QMenu* tables = menuBar()->addMenu(tr("&Tables"));
    AddCommand(tables, QStringLiteral("barAreaBars"), tr("Bar areas by &number of bars"), [] { exBarArea(1); });
    AddCommand(tables, QStringLiteral("barAreaSlab"), tr("Bar areas per metre of &slab"), [] { exBarArea(2); });
    AddCommand(tables, QStringLiteral("userTableDesign"), tr("User &table design..."),
               [] { CUtil().UserTableDesign(); });

    // Other drawings brought into this one; the imported one is then moved, scaled, rotated or
    // erased as a whole (the person's own entities stay as they are).
    QMenu* insert = menuBar()->addMenu(tr("&Insert"));
    AddCommand(insert, QStringLiteral("copyOtherFloor"), tr("Copy &other floor..."), [] { exCopyOtherFloor(); });
    AddCommand(insert, QStringLiteral("importDrawing"), tr("&Import DWG/DXF drawing..."), [] { Read_Dwg(); });
    insert->addSeparator();
    AddCommand(insert, QStringLiteral("importedMove"), tr("&Move the imported drawing"), [] { Move_Dwg(); });
    AddCommand(insert, QStringLiteral("importedScale"), tr("&Scale the imported drawing"), [] { Scale_Dwg(); });
    AddCommand(insert, QStringLiteral("importedRotate"), tr("&Rotate the imported drawing"), [] { Rotate_Dwg(); });
    AddCommand(insert, QStringLiteral("importedErase"), tr("&Erase the imported drawing"), [] { Erase_Dwg(); });

    // The modeless windows of these commands stay beside the drawing while the person picks.
    QMenu* xdata = menuBar()->addMenu(tr("E&xtended data"));
    AddCommand(xdata, QStringLiteral("xdataManage"), tr("&Manage extended data..."), [] { kwXData_Manage(); });
    AddCommand(xdata, QStringLiteral("xdataAdd"), tr("&Extended data of new entities..."), [] { kwXData_Add(); });
    AddCommand(xdata, QStringLiteral("sameEntity"), tr("&Same-entity editor..."), [] { ModifySameEntity(); });
}

void MainWindow::AddProgramMenu(const Program& program) {
    QMenu* menu = m_programsMenu->addMenu(QString::fromStdString(program.Name()));
    for (const ProgramCommand& command : program.Commands()) {
        auto run = command.run;
        AddCommand(menu, QString::fromStdString(program.Name() + "." + command.name),
                   QString::fromStdString(command.name), [run] { run(); });
    }
}

void MainWindow::FloorTableCommand() {
    FloorTableDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    std::vector<float> elevations = dialog.Elevations(), heights = dialog.Heights();
    CUtil().kwDrawFloorTable(DrawingScale(), static_cast<int>(elevations.size()), elevations.data(), heights.data());
}

void MainWindow::SectionCommand() {
    SectionDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Drawn at its detail scale on the drawing's sheet.
    const float factor = DrawingScale() / static_cast<float>(dialog.DetailScale());
    float d[kwutil::kSectionDimensions];
    const auto typed = dialog.Dimensions();
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) d[i] = typed[i] * factor;
    const std::string kind = dialog.Shape();
    const auto radians = static_cast<float>(dialog.AngleDegrees() * 3.14159265358979323846 / 180);
    // The outline follows the cursor until it is placed.
    m_pCfg->HostSetPen(0, 1, 0, kSectionColour, 1);
    auto outline = [&](float at, float to) {
        std::vector<kwutil::SectionRing> rings;
        if (!kwutil::SectionRings(kind, d, at, to, radians, rings)) return;
        for (const auto& ring : rings) {
            if (ring.empty()) continue;
            std::vector<float> xs, ys;
            for (auto [px, py] : ring) xs.push_back(px), ys.push_back(py);
            xs.push_back(ring[0].first), ys.push_back(ring[0].second);
            m_pCfg->HostDrawPolyline(static_cast<int>(xs.size()), xs.data(), ys.data());
        }
    };
    float x = 0, y = 0;
    if (!AskPoint("请点取截面位置", x, y, outline)) return;
    kwutil::DrawSectionOutline(kind, d, x, y, radians);
}

void MainWindow::BreakLineCommand() {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!AskPoint("请点取折断线起点", x1, y1) || !AskPoint("请点取折断线终点", x2, y2, LineFrom(x1, y1))) return;
    CUtil().kw_BreakLine(KeloPoint2d(x1, y1), KeloPoint2d(x2, y2), 0);
}

}  // namespace kwdraw
