// The drawing window driven through its real widgets on the offscreen platform: mouse and key
// events on the canvas, the command line, the menus, the library's dialogs and loaded programs.
// Pictures of each step go to screenshots/ in the build tree.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <thread>

#include <ckw/DrawingPara.h>
#include <ckw/DrawingRecords.h>

#include "AnswerText.h"
#include "DxfWriter.h"
#include "DrawingView.h"
#include "LayerEditor.h"
#include <ckw/HostEngine.h>
#include "MainWindow.h"
#include "Plot.h"
#include "Programs.h"
#include "WindowInput.h"

#ifndef CKW_PROGRAM_FORTRAN
#define CKW_PROGRAM_FORTRAN ""
#endif

#include "WindowFixture.h"

namespace {

TEST_F(Window, OpensADrawingZoomsAtTheCursorPansAndHidesLayers) {
    // A drawing of two lines on two layers, saved as a .T file.
    ckw::engine::Drawing d;
    d.DefineLayer({10, "BEAM", 1, 500, 2, 0});
    d.DefineLayer({20, "COLU", 1, 250, 6, 0});
    for (int layer : {10, 20}) {
        ckw::engine::Entity line;
        line.kind = ckw::engine::kLine;
        line.attributes = {layer, 1, 0, 256, 0, 0, 0};
        line.values = {0, float(layer * 100), 10000, float(layer * 100)};
        d.Add(line);
    }
    const QString path = g_home->path() + "/two-lines.T";
    std::string error;
    ASSERT_TRUE(ckw::engine::WriteDrawingFile(path.toStdString(), d, error)) << error;

    ASSERT_NE(window->OpenDrawing(path), nullptr);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("two-lines.T")));
    EXPECT_FALSE(window->isWindowModified());
    ASSERT_EQ(window->LayerPanel()->topLevelItemCount(), 2);
    QWidget* canvas = &View();

    // The wheel zooms about the point under the cursor.
    const QPoint at(200, 150);
    const QPointF before = View().ToWorld(at);
    const double scale = View().Scale();
    QWheelEvent wheel(at, canvas->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_NEAR(View().Scale(), scale * 1.5625, scale * 1e-9);
    EXPECT_NEAR(View().ToWorld(at).x(), before.x(), 1e-6 * std::abs(before.x()) + 1e-6);
    EXPECT_NEAR(View().ToWorld(at).y(), before.y(), 1e-6 * std::abs(before.y()) + 1e-6);

    // The middle button drags the drawing along.
    QTest::mousePress(canvas, Qt::MiddleButton, {}, at);
    MouseMove(canvas, at + QPoint(40, 30));
    QTest::mouseRelease(canvas, Qt::MiddleButton, {}, at + QPoint(40, 30));
    EXPECT_NEAR(View().ToWorld(at + QPoint(40, 30)).x(), before.x(), 1e-6 * std::abs(before.x()) + 1e-6);
    EXPECT_FALSE(window->CoordinatesLabel()->text().isEmpty()) << "the status bar shows where the cursor is";

    // Unticking a layer hides it from the canvas.
    window->LayerPanel()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_TRUE(View().HiddenLayers().contains(10));
    window->Action(QStringLiteral("viewFit"))->trigger();
    Screenshot(*window, "kwdraw-open-zoom-pan");
}

TEST_F(Window, SheetFrameIsDraggedIntoPlaceWithTabChangingTheSheetAndPlotsAtPaperSize) {
    const QPoint first(300, 300), picked(120, 500);
    QWidget* canvas = &View();
    bool dialogSeen = false;
    QPointF corner;
    steps = {
        [&] { MouseMove(canvas, first); },  // the rubber band follows the cursor
        [&] {
            EXPECT_EQ(ckw::engine::DefaultEngine().TemporaryShapes(), 1u);
            Screenshot(*window, "kwdraw-frame-rubber-band");
            // [TAB] opens "图框设定": the sheet is lengthened by 200 mm.
            WhenModal([&](QWidget& dialog) {
                dialogSeen = dialog.windowTitle() == QStringLiteral("图框设定");
                auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("ctl2000"));
                ASSERT_NE(grid, nullptr);
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualItemRect(grid->item(2, 1)).center());
                QTest::qWait(20);
                QTest::keyClick(grid, Qt::Key_F2);
                QTest::qWait(20);
                auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                ASSERT_NE(editor, nullptr);
                editor->selectAll();
                QTest::keyClicks(editor, QStringLiteral("200"));
                QTest::keyClick(editor, Qt::Key_Return);
                Screenshot(dialog, "kwdraw-frame-settings");
                QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
            });
            QTest::keyClick(canvas, Qt::Key_Tab);
        },
        [&] { MouseMove(canvas, picked); },
        [&] {
            corner = View().ToWorld(picked);
            QTest::mouseClick(canvas, Qt::LeftButton, {}, picked);
        },
    };
    window->Action(QStringLiteral("drawFrame"))->trigger();
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(window->isWindowModified()) << "the title shows the drawing changed";

    std::array<double, 4> frame{};
    ASSERT_TRUE(ckw::paint::FindSheetFrame(View().Model(), frame));
    EXPECT_NEAR(frame[0], corner.x(), 1);
    EXPECT_NEAR(frame[1], corner.y(), 1);
    EXPECT_NEAR(frame[2] - frame[0], 104100, 1);  // (841 + 200) mm at 1:100
    EXPECT_NEAR(frame[3] - frame[1], 59400, 1);
    window->Action(QStringLiteral("viewFit"))->trigger();
    Screenshot(*window, "kwdraw-frame-placed");

    // The frame's layer carries the parameter library's name, colour and width, in the panel and
    // in the exported DXF.
    QTreeWidgetItem* frameRow = window->LayerPanel()->Row(7);
    ASSERT_NE(frameRow, nullptr);
    EXPECT_EQ(frameRow->text(kwdraw::LayerEditor::kName), QStringLiteral("7 图框"));
    EXPECT_EQ(frameRow->text(kwdraw::LayerEditor::kWidth), QStringLiteral("0.70"));
    const QString dxf = g_home->path() + "/sheet.dxf";
    std::string why;
    ASSERT_TRUE(ckw::dxf::WriteDxf(*View().Drawing(), std::filesystem::path(dxf.toStdString()), why)) << why;
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); l=d.layers.get('图框'); "
                                 "print(l.dxf.color, l.dxf.lineweight)"),
                  dxf});
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(), QStringLiteral("7 70"))
        << reader.readAllStandardError().toStdString();

    // The sheet on a PDF page of its paper size, the frame visible on the page.
    const QString pdf = g_home->path() + "/sheet.pdf";
    QString error;
    ckw::paint::PlotRequest sheet = window->PlotDefaults();
    EXPECT_EQ(sheet.area, ckw::paint::PlotArea::Frame) << "a drawing with a frame plots its sheet";
    ASSERT_TRUE(window->Plot(pdf, sheet, error)) << error.toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished());
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(text);
    ASSERT_TRUE(size.hasMatch()) << text.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble() * 25.4 / 72, 1041, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble() * 25.4 / 72, 594, 0.5);
    const QString png = QStringLiteral(CKW_SCREENSHOT_DIR "/kwdraw-sheet-plot");
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"),
                                                       QStringLiteral("20"), QStringLiteral("-singlefile"), pdf, png}),
        0);
    QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    // The inner border runs 25 mm in from the paper's left edge: a dark column of pixels there.
    const int x = static_cast<int>(25 / 25.4 * 20), y = page.height() / 2;
    int dark = 0;
    for (int dx = -1; dx <= 1; ++dx) dark += qGray(page.pixel(x + dx, y)) < 128;
    EXPECT_GT(dark, 0);
}

// Texts of a PDF as pdftotext reads them.
QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(Window, PlotDialogPrintsWhatTheWindowShowsOnTheChosenPaperAndWindow) {
    // A frame of 420 x 297 mm at 1:100, a text on layer 10 and one on layer 20, which the person
    // switches off in the layer panel.
    View().Drawing()->DefineLayer({10, "TEXT", 1, 0, 2, 0});
    View().Drawing()->DefineLayer({20, "NOTE", 1, 0, 1, 0});
    m_pCfg->HostSetPen(10, 1, 0, 256, 1);
    m_pCfg->HostDrawText("SHOWN", 5, 5000, 15000, 400, 500, 101, 101, 0);
    m_pCfg->HostSetPen(20, 1, 0, 256, 1);
    m_pCfg->HostDrawText("SWITCHEDOFF", 11, 5000, 20000, 400, 500, 101, 101, 0);
    m_pCfg->HostSetPen(30, 1, 0, 7, 1);
    const float xs[] = {0, 42000, 42000, 0, 0}, ys[] = {0, 0, 29700, 29700, 0};
    m_pCfg->HostDrawPolyline(5, xs, ys);
    window->LayerPanel()->Show(&View());
    View().Fit();
    window->LayerPanel()->Row(20)->setCheckState(kwdraw::LayerEditor::kName, Qt::Unchecked);

    const QString pdf = g_home->path() + "/window.pdf";
    QString firstPrompt, reopenedArea;
    size_t bands = 0;
    bool previewShown = false;
    auto corner = [this](float x, float y) { return View().ToDevice({x, y}).toPoint(); };
    WhenModal(
        [&](QWidget& dialog) {
            auto* paper = dialog.findChild<QComboBox*>(QStringLiteral("paper"));
            paper->setCurrentIndex(paper->findText(QStringLiteral("A3")));
            dialog.findChild<QCheckBox*>(QStringLiteral("fit"))->setChecked(true);
            auto* pens = dialog.findChild<QComboBox*>(QStringLiteral("pens"));
            pens->setCurrentIndex(1);  // monochrome
            Screenshot(dialog, "kwdraw-plot-dialog");
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("pickWindow")), Qt::LeftButton);
        },
        QStringLiteral("Plot"));
    steps = {
        [&] {
            firstPrompt = window->PromptLabel()->text();
            QTest::mouseClick(&View(), Qt::LeftButton, {}, corner(-1000, -1000));
        },
        [&] { MouseMove(&View(), corner(43000, 30700)); },
        [&] {
            bands = ckw::engine::DefaultEngine().TemporaryShapes();
            Screenshot(*window, "kwdraw-plot-window-band");
            WhenModal(
                [&](QWidget& dialog) {
                    reopenedArea = dialog.findChild<QComboBox*>(QStringLiteral("area"))->currentText();
                    auto* preview = dialog.findChild<QLabel*>(QStringLiteral("preview"));
                    previewShown = preview && !preview->pixmap().isNull();
                    WhenModal([&](QWidget& save) {
                        auto* name = save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                        ASSERT_NE(name, nullptr);
                        name->setText(pdf);
                        QTest::keyClick(name, Qt::Key_Return);
                    });
                    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                                      Qt::LeftButton);
                },
                QStringLiteral("Plot"));
            QTest::mouseClick(&View(), Qt::LeftButton, {}, corner(43000, 30700));
        },
    };
    window->Action(QStringLiteral("filePlot"))->trigger();
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(firstPrompt.isEmpty()) << "the window's corners are asked on the prompt line";
    EXPECT_EQ(bands, 1u) << "a box follows the cursor from the first corner";
    EXPECT_TRUE(window->PromptLabel()->text().isEmpty()) << "the prompt line is cleared when the command ends";
    EXPECT_EQ(reopenedArea, QStringLiteral("The window picked"));
    EXPECT_TRUE(previewShown);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished());
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"))
                                             .match(QString::fromUtf8(info.readAllStandardOutput()));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble() * 25.4 / 72, 420, 1) << "A3 across";
    EXPECT_NEAR(size.captured(2).toDouble() * 25.4 / 72, 297, 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("SHOWN"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("SWITCHEDOFF"))) << "a layer off in the window is left out";
}

TEST_F(Window, PicksAnEntityTakesTypedCoordinatesAndEscapes) {
    ckw::engine::Drawing& d = *View().Drawing();
    ckw::engine::Entity line;
    line.kind = ckw::engine::kLine;
    line.attributes = {0, 1, 0, 3, 0, 0, 0};
    line.values = {0, 0, 1000, 0};
    d.Add(line);
    View().Fit();
    const QPoint onLine = View().ToDevice({500, 0}).toPoint() + QPoint(0, 2);
    steps = {
        [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, onLine); },
        [&] { Type(QStringLiteral("100,200")); },
        [&] { Type(QStringLiteral("@50,-20")); },
        [&] { QTest::keyClick(&View(), Qt::Key_Escape); },
    };
    int kind = 0, pickStatus = -1, status1 = -1, status2 = -1, key = -1;
    float px = 0, py = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, tx = 0, ty = 0;
    window->RunCommand(QStringLiteral("test"), [&] {
        ckw::engine::DefaultEngine().SetPickAperture(static_cast<float>(6 / View().Scale()));
        m_pCfg->HostPickEntity(px, py, kind, pickStatus);
        m_pCfg->HostGetCursorPoint(x1, y1, status1);
        m_pCfg->HostGetCursorPoint(x2, y2, status2);
        m_pCfg->HostTrackCursor(tx, ty, key);
    });
    EXPECT_EQ(pickStatus, 0);
    EXPECT_EQ(kind, ckw::engine::kLine);
    EXPECT_EQ(status1, 0);
    EXPECT_FLOAT_EQ(x1, 100);
    EXPECT_FLOAT_EQ(y1, 200);
    EXPECT_EQ(status2, 0);
    EXPECT_FLOAT_EQ(x2, 150);
    EXPECT_FLOAT_EQ(y2, 180);
    EXPECT_EQ(key, 1) << "[Esc] ends the tracking";
}

TEST_F(Window, LayerSettingsDialogRunsFromTheMenuAndItsColourCellOffersTheEnginePalette) {
    QString title, picked;
    bool palette = false;
    WhenModal([&](QWidget& dialog) {
        title = dialog.windowTitle();
        Screenshot(dialog, "kwdraw-layer-settings");
        // The first layer's colour cell opens the engine's index palette; blue (5) is picked.
        auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("ctl2000"));
        ASSERT_NE(grid, nullptr);
        WhenModal([&](QWidget& swatches) {
            palette = swatches.objectName() == QStringLiteral("indexPalette");
            Screenshot(swatches, "kwdraw-layer-settings-palette");
            QTest::mouseClick(swatches.findChild<QAbstractButton*>(QStringLiteral("colour5")), Qt::LeftButton);
        });
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 4)).center());
        QTest::qWait(20);  // the grid shows the dialog's answer once back in the event loop
        picked = grid->item(1, 4)->text().trimmed();
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("ctl2")), Qt::LeftButton);  // 取消
    });
    window->Action(QStringLiteral("setLayers"))->trigger();
    EXPECT_EQ(title, QStringLiteral("图层设置"));
    EXPECT_TRUE(palette) << "the engine's palette, not a general colour dialog";
    EXPECT_EQ(picked, QStringLiteral("蓝"));
    EXPECT_FALSE(window->CommandRunning());
}

TEST_F(Window, DrawingProgramsInCppAndFortranRunAsPlugins) {
    struct Case {
        const char* path;
        const char* action;
        std::string text;  // a text the command draws
    };
    std::vector<Case> cases = {{CKW_PROGRAM_CPP, "beamelev.BeamElevation", "KL1(2) 300x600"}};
    if (std::string(CKW_PROGRAM_FORTRAN) != "") cases.push_back({CKW_PROGRAM_FORTRAN, "coltable.COLTABLE", "KZ1"});
    for (const Case& c : cases) {
        QString error;
        ASSERT_TRUE(window->LoadProgram(QString::fromUtf8(c.path), error)) << error.toStdString();
        QAction* action = window->Action(QString::fromLatin1(c.action));
        ASSERT_NE(action, nullptr) << c.action;
        steps = {[&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(100, 300)); }};
        action->trigger();
        EXPECT_EQ(TextsReading(c.text), 1) << c.action;
    }
    window->Action(QStringLiteral("viewFit"))->trigger();
    Screenshot(*window, "kwdraw-programs");
}

// A line on layer, colour by layer, from (0, y) to (10000, y).
ckw::engine::Entity LineOn(int layer, float y) {
    ckw::engine::Entity line;
    line.kind = ckw::engine::kLine;
    line.attributes = {layer, 1, 0, 256, 0, 0, 0};
    line.values = {0, y, 10000, y};
    return line;
}

QWidget* VisibleWindow(const QString& objectName) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == objectName && widget->isVisible()) return widget;
    return nullptr;
}

bool GridShows(QWidget& window, const QString& text) {
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("ctl2000"));
    for (int r = 0; grid && r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->item(r, c) && grid->item(r, c)->text().trimmed() == text) return true;  // values are indented
    return false;
}

TEST_F(Window, ExtendedDataManagerStaysOpenWhileThePersonPicksOnTheCanvas) {
    ckw::engine::Drawing& d = *View().Drawing();
    d.Add(LineOn(0, 0));
    ckw::engine::Entity tagged = LineOn(0, 2000);
    // "$KW_COLUM" holding the integer 4321.
    tagged.xdata = {10000, '{', 10010, 3, 0x5F574B24, 0x554C4F43, 'M', 10001, 4321, 10099, '}'};
    d.Add(tagged);
    View().Fit();
    ckw::engine::DefaultEngine().SetPickAperture(static_cast<float>(6 / View().Scale()));
    auto on = [this](float y) { return View().ToDevice({5000, y}).toPoint(); };
    bool openAfterFirst = false, openAfterSecond = false, showsTagged = false, aboveTheWindow = false;
    steps = {
        [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, on(0)); },
        [&] {
            // The window is up beside the drawing, the drawing takes the next pick.
            QWidget* manager = VisibleWindow(QStringLiteral("dlg1016"));
            openAfterFirst = manager && !manager->isModal() && !QApplication::activeModalWidget();
            aboveTheWindow = manager && manager->windowHandle() &&
                             manager->windowHandle()->transientParent() == window->windowHandle();
            EXPECT_FALSE(manager && GridShows(*manager, QStringLiteral("4321")));
            QTest::mouseClick(&View(), Qt::LeftButton, {}, on(2000));
        },
        [&] {
            QWidget* manager = VisibleWindow(QStringLiteral("dlg1016"));
            openAfterSecond = manager != nullptr;
            showsTagged = manager && GridShows(*manager, QStringLiteral("4321"));
            if (manager) Screenshot(*manager, "kwdraw-xdata-manager-beside");
            Screenshot(*window, "kwdraw-xdata-manager-drawing");
            QTest::keyClick(&View(), Qt::Key_Escape);
        },
    };
    window->Action(QStringLiteral("xdataManage"))->trigger();
    EXPECT_TRUE(openAfterFirst) << "a modeless window after the first pick";
    EXPECT_TRUE(aboveTheWindow) << "it stays above the main window while the person picks";
    EXPECT_TRUE(openAfterSecond) << "still open after picking on the canvas";
    EXPECT_TRUE(showsTagged) << "the window shows the entity picked second";
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(VisibleWindow(QStringLiteral("dlg1016")), nullptr) << "[Esc] ends the command and its window";
}

TEST_F(Window, SameEntityEditorRepaintsAtOnceStaysAboveAndOneEscEndsIt) {
    ckw::engine::Drawing& d = *View().Drawing();
    ckw::engine::Entity line = LineOn(0, 0);
    line.attributes[3] = 3;  // green
    d.Add(line);
    View().Fit();
    // Close enough that a click lands within the command's hit tolerance (10 drawing units).
    View().ZoomBy(20, View().ToDevice({5000, 0}));
    const QPoint on = View().ToDevice({5000, 0}).toPoint();
    bool above = false, repainted = false, palette = false;
    steps = {
        [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, on); },
        [&] {
            QWidget* editor = VisibleWindow(QStringLiteral("dlg2008"));
            if (!editor) {
                ADD_FAILURE() << "no same-entity editor";
                QTest::keyClick(&View(), Qt::Key_Escape);
                return;
            }
            above = editor->windowHandle() && editor->windowHandle()->transientParent() == window->windowHandle();
            auto* grid = editor->findChild<QTableWidget*>(QStringLiteral("ctl2007"));
            ASSERT_NE(grid, nullptr);
            WhenModal([&](QWidget& swatches) {
                palette = swatches.objectName() == QStringLiteral("indexPalette");
                QTest::mouseClick(swatches.findChild<QAbstractButton*>(QStringLiteral("colour5")), Qt::LeftButton);
            });
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 1)).center());
            QTest::mouseClick(editor->findChild<QAbstractButton*>(QStringLiteral("ctl2008")), Qt::LeftButton);
            // No event reaches the canvas, yet its picture shows the change.
            QTest::qWait(300);
            repainted = View().Arrived();
            const QImage canvas = View().grab().toImage();
            int blue = 0;
            for (int x = 0; x < canvas.width(); ++x)
                for (int dy = -2; dy <= 2; ++dy) {
                    const QColor c = canvas.pixelColor(x, std::clamp(on.y() + dy, 0, canvas.height() - 1));
                    blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
                }
            EXPECT_GT(blue, canvas.width() / 2) << "in the new colour";
            Screenshot(*window, "kwdraw-same-entity-editor");
            QTest::keyClick(grid, Qt::Key_Escape);
        },
    };
    window->Action(QStringLiteral("sameEntity"))->trigger();
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(palette);
    EXPECT_EQ(View().Drawing()->Entities().back().attributes[3], 5);
    EXPECT_TRUE(repainted) << "the canvas shows the new colour at once";
    EXPECT_TRUE(above);
    EXPECT_FALSE(window->CommandRunning()) << "one [Esc] in the editor ends the command";
    EXPECT_EQ(VisibleWindow(QStringLiteral("dlg2008")), nullptr);
}

#ifdef CKW_TDWGCONV
// The live entities of the current drawing on "$_" layers (imported) or on others (the user's).
std::vector<ckw::engine::Entity> Drawn(const ckw::engine::Drawing& d, bool imported) {
    std::vector<ckw::engine::Entity> found;
    for (const auto& e : d.Entities()) {
        if (e.deleted || e.kind >= 10000) continue;
        auto layer = d.Layer(e.Layer());
        if ((layer && layer->name.rfind("$_", 0) == 0) == imported) found.push_back(e);
    }
    return found;
}

TEST_F(Window, ImportedDxfIsMovedAndErasedAsOneLeavingTheUsersEntities) {
    const QString dxf = g_home->path() + "/angle.dxf";
    QFile::remove(dxf);
    ASSERT_TRUE(QFile::copy(QStringLiteral(CKW_TEST_DATA_DIR "/dxf/angle.dxf"), dxf));
    ckw::engine::Drawing& d = *View().Drawing();
    d.DefineLayer({1, "AXIS", 1, 0, 3, 0});
    d.Add(LineOn(1, -500));
    const auto mine = Drawn(d, false);

    bool insertionAsked = false;
    WhenModal([&](QWidget& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(dxf);
        Screenshot(dialog, "kwdraw-import-file");
        QTest::keyClick(name, Qt::Key_Return);
        WhenModal(
            [&](QWidget& insertion) {
                insertionAsked = true;
                Screenshot(insertion, "kwdraw-import-layers");
                QTest::mouseClick(insertion.findChild<QAbstractButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
            },
            g_home->path() + QStringLiteral("/ANGLE.T"));  // "拷贝他层" shows the converted drawing
    });
    window->Action(QStringLiteral("importDrawing"))->trigger();
    EXPECT_TRUE(insertionAsked);
    const auto imported = Drawn(d, true);
    ASSERT_EQ(imported.size(), 8u) << "angle.dxf holds eight lines";

    QString basePrompt;
    size_t bands = 0;
    steps = {[&] {
                 basePrompt = window->PromptLabel()->text();
                 Type(QStringLiteral("0,0"));
             },
             [&] { MouseMove(&View(), QPoint(200, 200)); },
             [&] {
                 bands = ckw::engine::DefaultEngine().TemporaryShapes();
                 Type(QStringLiteral("1000,0"));
             }};
    window->Action(QStringLiteral("importedMove"))->trigger();
    EXPECT_FALSE(basePrompt.isEmpty()) << "the base point is asked on the prompt line";
    EXPECT_EQ(bands, 1u) << "a line follows the cursor from the base point";
    EXPECT_TRUE(window->PromptLabel()->text().isEmpty());
    const auto moved = Drawn(d, true);
    ASSERT_EQ(moved.size(), imported.size());
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_FLOAT_EQ(moved[i].values[0], imported[i].values[0] + 1000);
        EXPECT_FLOAT_EQ(moved[i].values[1], imported[i].values[1]);
    }
    EXPECT_EQ(Drawn(d, false), mine);
    window->Action(QStringLiteral("viewFit"))->trigger();
    Screenshot(*window, "kwdraw-import-moved");

    window->Action(QStringLiteral("importedErase"))->trigger();
    EXPECT_TRUE(Drawn(d, true).empty());
    EXPECT_EQ(Drawn(d, false), mine) << "the user's own line stays as it was";
    // The erase is one step: one undo brings every imported entity back where it was moved to.
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_EQ(Drawn(d, true), moved);
    EXPECT_EQ(Drawn(d, false), mine);
}
#endif

TEST_F(Window, LayerColourFromThePanelRepaintsAndIsSavedWithTheDrawing) {
    ckw::engine::Drawing source;
    source.DefineLayer({10, "BEAM", 1, 500, 1, 0});
    source.Add(LineOn(10, 1000));
    const QString path = g_home->path() + "/layers.T";
    std::string error;
    ASSERT_TRUE(ckw::engine::WriteDrawingFile(path.toStdString(), source, error)) << error;
    ASSERT_NE(window->OpenDrawing(path), nullptr);

    // Double-clicking the colour opens the palette; a swatch sets the layer's colour.
    auto pick = [this](int colour) {
        WhenModal([colour](QWidget& picker) {
            Screenshot(picker, "kwdraw-layer-colour-picker");
            QTest::mouseClick(picker.findChild<QAbstractButton*>(QStringLiteral("colour%1").arg(colour)),
                              Qt::LeftButton);
        });
        kwdraw::LayerEditor* panel = window->LayerPanel();
        QTreeWidgetItem* row = panel->Row(10);
        ASSERT_NE(row, nullptr);
        const QRect cell =
            panel->visualRect(panel->model()->index(panel->indexOfTopLevelItem(row), kwdraw::LayerEditor::kColour));
        QTest::mouseClick(panel->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::qWait(QApplication::doubleClickInterval());  // a click of its own, not half of the double click
        QTest::mouseDClick(panel->viewport(), Qt::LeftButton, {}, cell.center());
    };
    pick(5);
    EXPECT_EQ(View().Drawing()->Layer(10)->colour, 5);
    EXPECT_TRUE(window->isWindowModified());
    // The canvas paints the line in the layer's new colour (pure blue).
    const QImage canvas = View().grab().toImage();
    const int y = View().ToDevice({5000, 1000}).toPoint().y();
    int blue = 0;
    for (int x = 0; x < canvas.width(); ++x)
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor c = canvas.pixelColor(x, std::clamp(y + dy, 0, canvas.height() - 1));
            blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_GT(blue, canvas.width() / 2);
    Screenshot(*window, "kwdraw-layer-colour");
    ASSERT_TRUE(window->SaveDrawing(&View()));

    // Another colour, closed without saving: the drawing comes back with the saved one.
    pick(3);
    WhenModal([](QWidget& ask) {
        QTest::mouseClick(qobject_cast<QMessageBox*>(&ask)->button(QMessageBox::Discard), Qt::LeftButton);
    });
    window->Action(QStringLiteral("fileClose"))->trigger();
    ASSERT_NE(window->OpenDrawing(path), nullptr);
    EXPECT_EQ(View().Drawing()->Layer(10)->colour, 5);
    EXPECT_EQ(window->LayerPanel()->Row(10)->text(kwdraw::LayerEditor::kColour), QStringLiteral("5"));
}

TEST_F(Window, FileMenuOpensAnEarlierDrawingInATabAndExportsDxf) {
    // An earlier paper-space drawing of plan, floor 2, and the working one of the same plan and floor.
    const QString folder = g_home->path() + "/plans";
    ASSERT_TRUE(QDir().mkpath(folder));
    kwWrite_DrawingInfo(2005, "PLAN", 2, 100);
    View().Drawing()->Add(LineOn(0, 0));
    ASSERT_TRUE(window->SaveDrawing(&View(), folder + "/plan-2-old.T"));
    window->NewDrawing();
    kwWrite_DrawingInfo(2005, "PLAN", 2, 100);

    WhenModal([&](QWidget& ask) {
        // The query comes filled from the working drawing's record; the folder is typed.
        EXPECT_EQ(ask.findChild<QLineEdit*>(QStringLiteral("drawingName"))->text(), QStringLiteral("PLAN"));
        EXPECT_EQ(ask.findChild<QSpinBox*>(QStringLiteral("floor"))->value(), 2);
        EXPECT_EQ(ask.findChild<QComboBox*>(QStringLiteral("kind"))->currentText(),
                  QStringLiteral("Paper space (2005)"))
            << "the kind by its name";
        auto* where = ask.findChild<QLineEdit*>(QStringLiteral("folder"));
        where->selectAll();
        QTest::keyClicks(where, folder);
        WhenModal(
            [](QWidget& browser) {
                auto* grid = browser.findChild<QTableWidget*>(QStringLiteral("ctl1005"));
                ASSERT_NE(grid, nullptr);
                ASSERT_EQ(grid->rowCount(), 2) << "the heading and the one earlier drawing";
                grid->item(1, 0)->setCheckState(Qt::Checked);
                Screenshot(browser, "kwdraw-old-drawing-browser");
                QTest::mouseClick(browser.findChild<QAbstractButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
            },
            QStringLiteral("请选择要打开的旧图"));
        QTest::keyClick(where, Qt::Key_Return);
    });
    window->Action(QStringLiteral("fileOpenOld"))->trigger();
    QTest::qWait(50);  // the picked drawing opens once the command has ended
    ASSERT_EQ(window->DrawingCount(), 3);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("plan-2-old.T")));

    // The drawing as DXF, read back by an independent reader.
    const QString dxf = g_home->path() + "/plan.dxf";
    WhenModal([&](QWidget& save) {
        auto* name = save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(dxf);
        QTest::keyClick(name, Qt::Key_Return);
    });
    window->Action(QStringLiteral("fileExportDxf"))->trigger();
    QProcess reader;
    reader.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import ezdxf,sys; print(len(ezdxf.readfile(sys.argv[1]).modelspace().query('LINE')))"), dxf});
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(), QStringLiteral("1"))
        << reader.readAllStandardError().toStdString();
}

TEST_F(Window, DrawingScaleIsKeptWithTheDrawingAndForNewDrawings) {
    auto choose = [this](int scale) {
        WhenModal([scale](QWidget& ask) {
            auto* box = ask.findChild<QSpinBox*>();
            ASSERT_NE(box, nullptr);
            box->selectAll();
            QTest::keyClicks(box, QString::number(scale));
            QTest::keyClick(box, Qt::Key_Return);
        });
        window->Action(QStringLiteral("setScale"))->trigger();
    };
    choose(50);
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 50);
    const QString path = g_home->path() + "/scale-50.T";
    ASSERT_TRUE(window->SaveDrawing(&View(), path));

    // A new window, the library back at its start-up scale: a new drawing takes the last choice.
    window.reset();
    m_exDrawingPara.SetDrawingScale(100);
    window = std::make_unique<kwdraw::MainWindow>();
    window->show();
    window->NewDrawing();
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 50);
    choose(200);
    kwdraw::DrawingView* fresh = &View();
    // The saved drawing keeps its own scale, and each tab brings back its drawing's.
    ASSERT_NE(window->OpenDrawing(path), nullptr);
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 50);
    int kind = 0, floor = 0, scale = 0;
    char name[64] = {};
    kwRead_DrawingInfo(kind, name, sizeof name, floor, scale);
    EXPECT_EQ(scale, 50) << "kept in the drawing-information record";
    EXPECT_EQ(floor, 999) << "a drawing that had no record is not offered by the browser";
    window->findChild<QTabWidget*>()->setCurrentWidget(fresh);
    EXPECT_EQ(m_exDrawingPara.GetDrawingScale(), 200);
    QSettings().remove(QStringLiteral("drawingScale"));  // the tests after this one start at 1:100
    m_exDrawingPara.SetDrawingScale(100);
}

TEST_F(Window, DrawingOpenedBeforeTheWindowShowsIsFittedAndZoomWindowTakesTwoClicks) {
    ckw::engine::Drawing d;
    d.Add(LineOn(0, 0));
    d.Add(LineOn(0, 5000));
    const QString path = g_home->path() + "/fitted.T";
    std::string error;
    ASSERT_TRUE(ckw::engine::WriteDrawingFile(path.toStdString(), d, error)) << error;
    // As kwdraw DRAWING.T does: the drawing opens before the window is laid out and shown.
    window = std::make_unique<kwdraw::MainWindow>();
    ASSERT_NE(window->OpenDrawing(path), nullptr);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const double across = View().ToDevice({10000, 0}).x() - View().ToDevice({0, 0}).x();
    EXPECT_GT(across, View().width() * 0.8) << "fitted to the canvas, not a dot";

    // Zoom window by two clicks: the prompt line says which corner, a box follows the cursor.
    window->Action(QStringLiteral("viewZoomWindow"))->trigger();
    EXPECT_FALSE(window->PromptLabel()->text().isEmpty());
    const QPoint first = View().ToDevice({0, 0}).toPoint(), second = View().ToDevice({2500, 5000}).toPoint();
    QTest::mouseClick(&View(), Qt::LeftButton, {}, first);
    const QString secondPrompt = window->PromptLabel()->text();
    MouseMove(&View(), second);
    Screenshot(*window, "kwdraw-zoom-window-band");
    QTest::mouseClick(&View(), Qt::LeftButton, {}, second);
    EXPECT_FALSE(secondPrompt.isEmpty());
    EXPECT_TRUE(window->PromptLabel()->text().isEmpty()) << "cleared when the zoom is done";
    // Clicks land on whole pixels: a pixel or two off in drawing units.
    EXPECT_NEAR(View().ToWorld(QPointF(View().width() / 2.0, View().height() / 2.0)).x(), 1250, 20);
    EXPECT_NEAR(View().Scale(), View().height() / 5000.0, View().Scale() * 0.02)
        << "the window's height fills the canvas";
}

TEST_F(Window, SectionDialogLabelsItsDimensionsAndDrawsAtTheDetailScale) {
    QString h0, o0;
    bool picture = false;
    WhenModal(
        [&](QWidget& dialog) {
            h0 = dialog.findChild<QLabel*>(QStringLiteral("label0"))->text();
            auto* shape = dialog.findChild<QComboBox*>(QStringLiteral("shape"));
            shape->setCurrentText(QStringLiteral("O"));
            o0 = dialog.findChild<QLabel*>(QStringLiteral("label0"))->text();
            shape->setCurrentText(QStringLiteral("H"));
            auto* shown = dialog.findChild<QLabel*>(QStringLiteral("picture"));
            picture = shown && !shown->pixmap().isNull();
            auto* scale = dialog.findChild<QSpinBox*>(QStringLiteral("detailScale"));
            scale->setValue(20);
            Screenshot(dialog, "kwdraw-section-dialog");
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        },
        QStringLiteral("Section outline"));
    size_t bands = 0;
    steps = {
        [&] { MouseMove(&View(), QPoint(300, 300)); },
        [&] {
            bands = ckw::engine::DefaultEngine().TemporaryShapes();
            QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(300, 300));
        },
    };
    window->Action(QStringLiteral("drawSection"))->trigger();
    EXPECT_EQ(h0, QStringLiteral("d0 top flange width"));
    EXPECT_EQ(o0, QStringLiteral("d0 left wall"));
    EXPECT_TRUE(picture);
    EXPECT_EQ(bands, 1u) << "the outline follows the cursor";
    std::array<float, 4> box{};
    ASSERT_TRUE(View().Model().Extents(box));
    // 300 x 390 mm at 1:20 on a 1:100 sheet: five times its true size in drawing units.
    EXPECT_NEAR(box[2] - box[0], 1500, 1);
    EXPECT_NEAR(box[3] - box[1], 1950, 1);
}

TEST_F(Window, FloorElevationTableIsAGridOfFloorsCheckedBeforeDrawing) {
    QString refusal;
    WhenModal(
        [&](QWidget& dialog) {
            auto* floors = dialog.findChild<QTableWidget*>(QStringLiteral("floors"));
            ASSERT_NE(floors, nullptr);
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("addFloor")), Qt::LeftButton);
            ASSERT_EQ(floors->rowCount(), 4);
            EXPECT_EQ(floors->item(3, 0)->text(), QStringLiteral("11.350")) << "on top of the last floor";
            floors->item(1, 1)->setText(QStringLiteral("abc"));
            WhenModal([&](QWidget& box) {
                refusal = qobject_cast<QMessageBox*>(&box)->text();
                QTest::mouseClick(qobject_cast<QMessageBox*>(&box)->button(QMessageBox::Ok), Qt::LeftButton);
            });
            auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            floors->item(1, 1)->setText(QStringLiteral("3900"));
            Screenshot(dialog, "kwdraw-floor-table");
            QTest::mouseClick(ok, Qt::LeftButton);
        },
        QStringLiteral("Floor elevation table"));
    steps = {[&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(300, 300)); }};
    window->Action(QStringLiteral("drawFloorTable"))->trigger();
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("Floor 2, Storey height (mm)"))) << refusal.toStdString();
    EXPECT_EQ(TextsReading("11.350"), 1);
    EXPECT_EQ(TextsReading("3.900"), 1);
}

// What the command line understands.
TEST(CommandLine, AnswersTheWaitingCall) {
    using Type = InputEvent::Type;
    struct Case {
        const char* text;
        InputWant want;
        bool answers;
        Type type;
        double x, y;
    };
    const kwdraw::LastPoint last{true, 10, 20};
    const Case cases[] = {
        {"100,200", InputWant::Point, true, Type::Point, 100, 200},
        {" -3.5 , 4 ", InputWant::Track, true, Type::Point, -3.5, 4},
        {"@50,0", InputWant::Point, true, Type::Point, 60, 20},
        {"", InputWant::Point, true, Type::Esc, 0, 0},
        {"2.5", InputWant::Value, true, Type::Value, 2.5, 0},
        {"1,2", InputWant::Value, false, Type::Esc, 0, 0},
        {"12", InputWant::Point, false, Type::Esc, 0, 0},
        // Where a point or a number answers (an angle picked or typed), a number is a value.
        {"-30", InputWant::TrackOrValue, true, Type::Value, -30, 0},
        {"@5,5", InputWant::TrackOrValue, true, Type::Point, 15, 25},
        {"12", InputWant::Track, false, Type::Esc, 0, 0},
        {"1e999,0", InputWant::Point, false, Type::Esc, 0, 0},
        {"a,b", InputWant::Entity, false, Type::Esc, 0, 0},
    };
    for (const Case& c : cases) {
        auto answer = kwdraw::ParseAnswer(c.text, c.want, last);
        ASSERT_EQ(answer.has_value(), c.answers) << c.text;
        if (!answer) continue;
        EXPECT_EQ(answer->type, c.type) << c.text;
        EXPECT_EQ(c.type == Type::Value ? answer->value : answer->x, c.x) << c.text;
        if (c.type == Type::Point) {
            EXPECT_EQ(answer->y, c.y) << c.text;
        }
    }
    EXPECT_EQ(kwdraw::ParseAnswer("@5,5", InputWant::Point, {})->x, 5) << "with no point yet, relative to the origin";
}

TEST(Programs, CommandListsNameEachCommandOnce) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(kwdraw::CommandNames("BeamElevation BeamSheet"), (Names{"BeamElevation", "BeamSheet"}));
    EXPECT_EQ(kwdraw::CommandNames(" A,B\nC;;A "), (Names{"A", "B", "C"}));
    EXPECT_EQ(kwdraw::CommandNames(""), Names{});
    EXPECT_EQ(kwdraw::CommandNames(nullptr), Names{});
    std::string error;
    EXPECT_EQ(kwdraw::Program::Load("/nonexistent/libnothing.so", error), nullptr);
    EXPECT_FALSE(error.empty());
}

}  // namespace

namespace {

// Waits, a while at most, until this process runs on its main thread alone.
void WaitForOtherThreadsToEnd(std::chrono::milliseconds atMost) {
    const auto until = std::chrono::steady_clock::now() + atMost;
    auto threads = [] {
        std::error_code ec;
        const auto tasks = std::filesystem::directory_iterator("/proc/self/task", ec);
        return ec ? 1 : std::distance(tasks, std::filesystem::directory_iterator());
    };
    while (threads() > 1 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen whatever desktop the tests are run from, also when CTest lists them; the programs
    // the window starts inherit it.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    // The painting threads Qt starts are told to end when the application goes, and finish their
    // ending a moment later. The sanitizers' leak check at exit stops every thread; one still
    // ending then was reported as a leak of its thread data, or crashed the check.
    WaitForOtherThreadsToEnd(std::chrono::seconds(2));
    return status;
}
