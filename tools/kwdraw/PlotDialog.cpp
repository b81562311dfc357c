#include "PlotDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

namespace kwdraw {

namespace {

using ckw::paint::Paper;
using ckw::paint::PlotArea;

constexpr int kPreviewPixels = 360;
constexpr int kLargestScale = 100000;
enum Pens { kColour, kMono, kTable };

}  // namespace

PlotDialog::PlotDialog(const ckw::engine::DisplayModel& model, const ckw::paint::PlotRequest& request, QWidget* parent)
    : QDialog(parent), m_model(model), m_request(request) {
    setObjectName(QStringLiteral("plotDialog"));
    setWindowTitle(tr("Plot"));
    auto* form = new QFormLayout;

    m_paper = new QComboBox;
    m_paper->setObjectName(QStringLiteral("paper"));
    m_paper->addItem(tr("The area's own size"), int(Paper::Own));
    for (Paper p : {Paper::A0, Paper::A1, Paper::A2, Paper::A3, Paper::A4})
        m_paper->addItem(QStringLiteral("A%1").arg(int(p) - int(Paper::A0)), int(p));
    m_paper->setCurrentIndex(m_paper->findData(int(request.paper)));
    m_orientation = new QComboBox;
    m_orientation->setObjectName(QStringLiteral("orientation"));
    m_orientation->addItem(tr("Landscape"), true);
    m_orientation->addItem(tr("Portrait"), false);
    m_orientation->setCurrentIndex(request.landscape ? 0 : 1);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(m_paper, 1);
    paperRow->addWidget(m_orientation);
    form->addRow(tr("Paper"), paperRow);

    m_area = new QComboBox;
    m_area->setObjectName(QStringLiteral("area"));
    m_area->addItem(tr("Sheet frame"), int(PlotArea::Frame));
    m_area->addItem(tr("Everything drawn"), int(PlotArea::Extents));
    if (request.area == PlotArea::Window) m_area->addItem(tr("The window picked"), int(PlotArea::Window));
    m_area->setCurrentIndex(m_area->findData(int(request.area)));
    auto* pick = new QPushButton(tr("Pick a window..."));
    pick->setObjectName(QStringLiteral("pickWindow"));
    connect(pick, &QPushButton::clicked, this, [this] { done(PickWindow); });
    auto* areaRow = new QHBoxLayout;
    areaRow->addWidget(m_area, 1);
    areaRow->addWidget(pick);
    form->addRow(tr("Area"), areaRow);

    m_scale = new QSpinBox;
    m_scale->setObjectName(QStringLiteral("scale"));
    m_scale->setRange(1, kLargestScale);
    m_scale->setPrefix(QStringLiteral("1 : "));
    m_scale->setValue(static_cast<int>(std::lround(std::clamp(request.scale, 1.0, double(kLargestScale)))));
    m_fit = new QCheckBox(tr("Fit to the paper"));
    m_fit->setObjectName(QStringLiteral("fit"));
    m_fit->setChecked(request.fit);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(m_scale, 1);
    scaleRow->addWidget(m_fit);
    form->addRow(tr("Scale"), scaleRow);

    m_centred = new QCheckBox(tr("Centred on the paper"));
    m_centred->setObjectName(QStringLiteral("centred"));
    m_centred->setChecked(request.centred);
    form->addRow(QString(), m_centred);

    m_pens = new QComboBox;
    m_pens->setObjectName(QStringLiteral("pens"));
    m_pens->addItem(tr("The drawing's colours"), kColour);
    m_pens->addItem(tr("Monochrome (all black)"), kMono);
    m_pens->addItem(tr("Pen table"), kTable);
    m_penFile = new QLineEdit;
    m_penFile->setObjectName(QStringLiteral("penFile"));
    m_penFile->setPlaceholderText(tr("pen-table file"));
    auto* browse = new QPushButton(tr("..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Pen table"), QString(), tr("Pen tables (*.pens)"));
        if (!path.isEmpty()) SetPenFile(path);
    });
    auto* pensRow = new QHBoxLayout;
    pensRow->addWidget(m_pens);
    pensRow->addWidget(m_penFile, 1);
    pensRow->addWidget(browse);
    form->addRow(tr("Pens"), pensRow);

    m_page = new QLabel;
    m_page->setObjectName(QStringLiteral("pageSize"));
    form->addRow(tr("Page"), m_page);
    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setMinimumSize(kPreviewPixels, kPreviewPixels);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setStyleSheet(QStringLiteral("QLabel#preview { background: #808080; }"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Plot..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(m_preview, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns, 1);
    all->addWidget(buttons);

    for (QComboBox* box : {m_paper, m_orientation, m_area, m_pens})
        connect(box, &QComboBox::currentIndexChanged, this, &PlotDialog::Refresh);
    connect(m_scale, &QSpinBox::valueChanged, this, &PlotDialog::Refresh);
    for (QCheckBox* box : {m_fit, m_centred}) connect(box, &QCheckBox::toggled, this, &PlotDialog::Refresh);
    connect(m_penFile, &QLineEdit::editingFinished, this, &PlotDialog::Refresh);
    Refresh();
}

QString PlotDialog::PenFile() const { return m_penFile->text(); }

void PlotDialog::SetPenFile(const QString& path) {
    m_penFile->setText(path);
    m_pens->setCurrentIndex(m_pens->findData(kTable));
    Refresh();
}

QString PlotDialog::PensError() const {
    if (m_pens->currentData().toInt() != kTable) return {};
    if (m_penFile->text().isEmpty()) return tr("Choose a pen-table file");
    if (auto table = ckw::paint::PenTable::Read(m_penFile->text().toStdString()); !table)
        return QString::fromStdString(table.why());
    return {};
}

ckw::paint::PlotRequest PlotDialog::Request() const {
    ckw::paint::PlotRequest r = m_request;
    r.paper = static_cast<Paper>(m_paper->currentData().toInt());
    r.landscape = m_orientation->currentData().toBool();
    r.area = static_cast<PlotArea>(m_area->currentData().toInt());
    r.scale = m_scale->value();
    r.fit = m_fit->isChecked() && r.paper != Paper::Own;
    r.centred = m_centred->isChecked();
    switch (m_pens->currentData().toInt()) {
    case kMono:
        r.pens = ckw::paint::PenTable::Monochrome();
        break;
    case kTable: {
        auto table = ckw::paint::PenTable::Read(m_penFile->text().toStdString());
        r.pens = table ? *table : ckw::paint::PenTable::Monochrome();
        break;
    }
    default:
        r.pens = ckw::paint::PenTable::ByColour();
    }
    return r;
}

void PlotDialog::Refresh() {
    const bool standard = m_paper->currentData().toInt() != int(Paper::Own);
    m_orientation->setEnabled(standard);
    m_fit->setEnabled(standard);
    m_centred->setEnabled(standard);
    m_scale->setEnabled(!(standard && m_fit->isChecked()));
    m_penFile->setEnabled(m_pens->currentData().toInt() == kTable);
    const ckw::paint::PlotRequest request = Request();
    QString problem = PensError();
    const auto laidOut = ckw::paint::LayOut(m_model, request);
    if (problem.isEmpty() && !laidOut) problem = QString::fromStdString(laidOut.why());
    if (auto* ok = findChild<QDialogButtonBox*>()) ok->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
    if (!problem.isEmpty()) {
        m_page->setText(problem);
        m_preview->setPixmap(QPixmap());
        return;
    }
    const ckw::paint::PlotLayout& layout = *laidOut;
    m_page->setText(tr("%1 x %2 mm at 1:%3")
                        .arg(layout.pageWidthMm, 0, 'f', 0)
                        .arg(layout.pageHeightMm, 0, 'f', 0)
                        .arg(layout.scale, 0, 'f', layout.scale < 10 ? 2 : 0));
    const auto preview = ckw::paint::PlotPreview(m_model, request, kPreviewPixels);
    m_preview->setPixmap(preview ? QPixmap::fromImage(*preview) : QPixmap());
}

}  // namespace kwdraw
