// The drawing-file commands of the File menu: the browser of earlier drawings, DXF export and the
// plot.
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <array>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include <ckw/DrawingFiles.h>

#include "DrawingInfo.h"
#include "DrawingView.h"
#include "DxfWriter.h"
#include "GbkQt.h"
#include "MainWindow.h"
#include "PlotDialog.h"
#include "sheet/PaperSpace.h"
#include "PointPrompt.h"

namespace kwdraw {

namespace {

constexpr int kPathCapacity = 260;
constexpr int kLargestNumber = 1000000;

// The folder of the current drawing's file (the working folder for a new drawing).
QString DrawingFolder(const DrawingView* view) {
    const auto* d = view ? view->Drawing() : nullptr;
    if (!d || d->FileName().empty()) return QDir::currentPath();
    return QFileInfo(FromGbk(d->FileName())).absolutePath();
}

// The kind by its name where it has one; any other number may be typed.
QComboBox* KindBox(int kind, const std::vector<std::pair<QString, int>>& named) {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("kind"));
    box->setEditable(true);
    box->setValidator(new QIntValidator(-kLargestNumber, kLargestNumber, box));
    for (const auto& [text, number] : named) box->addItem(text, number);
    const int known = box->findData(kind);
    if (known < 0) box->addItem(QString::number(kind), kind);
    box->setCurrentIndex(known >= 0 ? known : box->count() - 1);
    return box;
}

// The kind chosen by its name, or the number typed.
int ChosenKind(const QComboBox& box) {
    if (const int item = box.findText(box.currentText()); item >= 0) return box.itemData(item).toInt();
    return box.currentText().toInt();
}

QSpinBox* NumberBox(const char* name, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(-kLargestNumber, kLargestNumber);
    box->setValue(value);
    return box;
}

}  // namespace

void MainWindow::OpenOldDrawingCommand() {
    // What to look for: the current drawing's own record, which the person may change.
    const DrawingInfo info = ReadDrawingInfo();
    QDialog ask(this);
    ask.setObjectName(QStringLiteral("oldDrawingQuery"));
    ask.setWindowTitle(tr("Open an earlier drawing"));
    auto* form = new QFormLayout(&ask);
    auto* folder = new QLineEdit(DrawingFolder(CurrentView()));
    folder->setObjectName(QStringLiteral("folder"));
    auto* name = new QLineEdit(FromGbk(info.name));
    name->setObjectName(QStringLiteral("drawingName"));
    // The drawing kinds the library names (the drawing modes its settings offer); other programs'
    // kinds are numbers.
    using ckw::geom::kModelSpaceKind;
    using ckw::geom::kPaperSpaceKind;
    QComboBox* kind = KindBox(info.kind, {{tr("Paper space (%1)").arg(kPaperSpaceKind), kPaperSpaceKind},
                                          {tr("Model space (%1)").arg(kModelSpaceKind), kModelSpaceKind}});
    QSpinBox* floor = NumberBox("floor", info.floor);
    form->addRow(tr("Folder"), folder);
    form->addRow(tr("Drawing name"), name);
    form->addRow(tr("Kind"), kind);
    form->addRow(tr("Floor (999: every floor)"), floor);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    if (ask.exec() != QDialog::Accepted) return;

    int pickedKind = ChosenKind(*kind), pickedFloor = floor->value(), scale = 0;
    char path[kPathCapacity] = {};
    if (!kwOpen_OldDrawing(ToGbk(folder->text()).c_str(), ToGbk(name->text()).c_str(), pickedKind, pickedFloor, scale,
                           path, sizeof path) ||
        !path[0]) {
        statusBar()->showMessage(tr("No earlier drawing was opened"), 3000);
        return;
    }
    // Opened once the command has ended: a new tab is no place for a running command.
    const QString picked = FromGbk(path);
    QMetaObject::invokeMethod(
        this, [this, picked] { OpenDrawing(picked); }, Qt::QueuedConnection);
}

void MainWindow::ExportDxfCommand() {
    DrawingView* view = CurrentView();
    if (!view || !view->Drawing()) return;
    const QString folder = DrawingFolder(view);
    const QString base = view->Drawing()->FileName().empty()
                             ? tr("drawing")
                             : QFileInfo(FromGbk(view->Drawing()->FileName())).completeBaseName();
    QString path = QFileDialog::getSaveFileName(
        this, tr("Export DXF"), QDir(folder).filePath(base + QStringLiteral(".dxf")), tr("DXF drawings (*.dxf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dxf");
    std::string error;
    ckw::dxf::ExportCounts counts;
    if (!ckw::dxf::WriteDxf(*view->Drawing(), std::filesystem::path(path.toStdString()), error, &counts)) {
        QMessageBox::warning(this, tr("Export DXF"),
                             tr("Cannot write %1: %2").arg(path, QString::fromStdString(error)));
        return;
    }
    long written = 0, skipped = 0;
    for (const auto& [kind, n] : counts.written) written += n;
    for (const auto& [kind, n] : counts.skipped) skipped += n;
    statusBar()->showMessage(
        skipped ? tr("%1: %2 entities written, %3 without a DXF form left out").arg(path).arg(written).arg(skipped)
                : tr("%1: %2 entities written").arg(path).arg(written),
        5000);
}

void MainWindow::PlotCommand() {
    if (!CurrentView() || m_running) return;
    ckw::paint::PlotRequest request = PlotDefaults();
    QString penFile;
    for (;;) {
        DrawingView* view = CurrentView();
        PlotDialog dialog(view->Model(), request, this);
        if (!penFile.isEmpty()) dialog.SetPenFile(penFile);
        const int result = dialog.exec();
        request = dialog.Request();
        penFile = dialog.PenFile();
        if (result == PlotDialog::PickWindow) {
            // Two corners on the canvas, the second with a box from the first; the dialog comes
            // back with the window as the area (or as it was, on [Esc]).
            std::optional<std::array<double, 4>> picked;
            RunCommand(tr("Plot window"), [&picked] {
                float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                if (AskPoint("请点取打印窗口的第一角点", x0, y0) &&
                    AskPoint("请点取打印窗口的对角点", x1, y1, BoxFrom(x0, y0)))
                    picked = std::array<double, 4>{x0, y0, x1, y1};
            });
            if (picked) {
                request.window = *picked;
                request.area = ckw::paint::PlotArea::Window;
            }
            continue;
        }
        if (result != QDialog::Accepted) return;
        break;
    }
    const QString folder = DrawingFolder(CurrentView());
    QString path = QFileDialog::getSaveFileName(this, tr("Plot to PDF"), folder, tr("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    QString error;
    if (!Plot(path, request, error)) {
        QMessageBox::warning(this, tr("Plot"), tr("Cannot plot to %1: %2").arg(path, error));
        return;
    }
    statusBar()->showMessage(tr("Plotted to %1").arg(path), 5000);
}

}  // namespace kwdraw
