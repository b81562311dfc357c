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
#include "FloorList.h"
#include <ckw/HostEngine.h>
#include "MainWindow.h"
#include "SectionOutline.h"
#include "WindowInput.h"

namespace kwdraw {

namespace {

constexpr int kSectionColour = 4;  // cyan, as kwutil section draws them

float DrawingScale() {
    int scale = m_exDrawingPara.GetDrawingScale();
    return static_cast<float>(scale > 0 ? scale : kDefaultDrawingScale);
}

// Asks a point on the prompt line; false on [Esc].
bool AskPoint(const char* promptGbk, float& x, float& y) {
    const int length = static_cast<int>(std::char_traits<char>::length(promptGbk));
    m_pCfg->HostPrompt(promptGbk, length);
    int status = 1;
    m_pCfg->HostGetCursorPoint(x, y, status);
    m_pCfg->HostClearPrompt();
    return status == 0;
}

}  // namespace

QAction* MainWindow::AddCommand(QMenu* menu, const QString& objectName, const QString& text,
                                const std::function<void()>& command) {
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    const QString name = QString(text).remove(QLatin1Char('&'));
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
    for (bool frame : {true, false}) {
        add(file, frame ? "plotSheet" : "plotDrawing",
            frame ? tr("Plot the sheet to PDF...") : tr("Plot the drawing to PDF..."), QKeySequence(), [this, frame] {
                QString path = QFileDialog::getSaveFileName(this, tr("Plot to PDF"), QString(), tr("PDF (*.pdf)"));
                QString error;
                if (!path.isEmpty() && !Plot(path, frame, error)) QMessageBox::warning(this, tr("Plot"), error);
            });
    }
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
    AddCommand(tables, QStringLiteral("userTableDesign"), QStringLiteral(u"用户表格设计..."),
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
    bool ok = false;
    QString text = QInputDialog::getMultiLineText(
        this, tr("Floor elevation table"), tr("Floors from floor 1 up, ELEVATION_M:HEIGHT_MM separated by commas:"),
        QStringLiteral("-0.050:4200,4.150:3600,7.750:3600"), &ok);
    if (!ok) return;
    kwutil::FloorList floors;
    std::string error;
    if (!kwutil::ParseFloors(text.toStdString(), floors, error)) {
        QMessageBox::warning(this, tr("Floor elevation table"), QString::fromStdString(error));
        return;
    }
    CUtil().kwDrawFloorTable(DrawingScale(), static_cast<int>(floors.elevations.size()), floors.elevations.data(),
                             floors.heights.data());
}

void MainWindow::SectionCommand() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("sectionDialog"));
    dialog.setWindowTitle(tr("Section outline"));
    auto* form = new QFormLayout(&dialog);
    auto* shape = new QComboBox;
    shape->setObjectName(QStringLiteral("shape"));
    for (const std::string& name : kwutil::SectionShapes()) shape->addItem(QString::fromStdString(name));
    shape->setCurrentText(QStringLiteral("H"));
    form->addRow(tr("Shape"), shape);
    QDoubleSpinBox* dims[kwutil::kSectionDimensions];
    const double defaults[kwutil::kSectionDimensions] = {300, 10, 300, 16, 390, 16};
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) {
        dims[i] = new QDoubleSpinBox;
        dims[i]->setObjectName(QStringLiteral("d%1").arg(i));
        dims[i]->setRange(-1e6, 1e6);
        dims[i]->setValue(defaults[i]);
        form->addRow(QStringLiteral("d%1").arg(i), dims[i]);
    }
    auto* angle = new QDoubleSpinBox;
    angle->setRange(-360, 360);
    form->addRow(tr("Angle (degrees)"), angle);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return;
    float d[kwutil::kSectionDimensions];
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) d[i] = static_cast<float>(dims[i]->value());
    float x = 0, y = 0;
    if (!AskPoint("请点取截面位置", x, y)) return;
    m_pCfg->HostSetPen(0, 1, 0, kSectionColour, 1);
    kwutil::DrawSectionOutline(shape->currentText().toStdString(), d, x, y,
                               static_cast<float>(angle->value() * 3.14159265358979323846 / 180));
}

void MainWindow::BreakLineCommand() {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!AskPoint("请点取折断线起点", x1, y1) || !AskPoint("请点取折断线终点", x2, y2)) return;
    CUtil().kw_BreakLine(KeloPoint2d(x1, y1), KeloPoint2d(x2, y2), 0);
}

}  // namespace kwdraw
