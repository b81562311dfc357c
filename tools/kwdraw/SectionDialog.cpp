#include "SectionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSpinBox>
#include <cmath>
#include <numbers>

namespace kwdraw {

namespace {

constexpr int kPicturePixels = 160, kPictureMargin = 12;
constexpr int kDefaultDetailScale = 20, kLargestScale = 10000;
constexpr double kLargestDimension = 1e6;

}  // namespace

SectionDialog::SectionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sectionDialog"));
    setWindowTitle(tr("Section outline"));
    auto* form = new QFormLayout;
    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("shape"));
    for (const std::string& name : kwutil::SectionShapes()) m_shape->addItem(QString::fromStdString(name));
    m_shape->setCurrentText(QStringLiteral("H"));
    form->addRow(tr("Shape"), m_shape);
    const double defaults[kwutil::kSectionDimensions] = {300, 10, 300, 16, 390, 16};
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) {
        m_labels[i] = new QLabel;
        m_labels[i]->setObjectName(QStringLiteral("label%1").arg(i));
        m_dims[i] = new QDoubleSpinBox;
        m_dims[i]->setObjectName(QStringLiteral("d%1").arg(i));
        m_dims[i]->setRange(-kLargestDimension, kLargestDimension);
        m_dims[i]->setSuffix(QStringLiteral(" mm"));
        m_dims[i]->setValue(defaults[i]);
        form->addRow(m_labels[i], m_dims[i]);
        connect(m_dims[i], &QDoubleSpinBox::valueChanged, this, &SectionDialog::Refresh);
    }
    m_angle = new QDoubleSpinBox;
    m_angle->setObjectName(QStringLiteral("angle"));
    m_angle->setRange(-360, 360);
    form->addRow(tr("Angle (degrees)"), m_angle);
    m_detailScale = new QSpinBox;
    m_detailScale->setObjectName(QStringLiteral("detailScale"));
    m_detailScale->setRange(1, kLargestScale);
    m_detailScale->setPrefix(QStringLiteral("1 : "));
    m_detailScale->setValue(kDefaultDetailScale);
    form->addRow(tr("Detail scale"), m_detailScale);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedSize(kPicturePixels, kPicturePixels);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addWidget(m_picture, 0, Qt::AlignTop);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);
    connect(m_shape, &QComboBox::currentIndexChanged, this, &SectionDialog::Refresh);
    connect(m_angle, &QDoubleSpinBox::valueChanged, this, &SectionDialog::Refresh);
    Refresh();
}

std::string SectionDialog::Shape() const { return m_shape->currentText().toStdString(); }

std::array<float, kwutil::kSectionDimensions> SectionDialog::Dimensions() const {
    std::array<float, kwutil::kSectionDimensions> d{};
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) d[i] = static_cast<float>(m_dims[i]->value());
    return d;
}

double SectionDialog::AngleDegrees() const { return m_angle->value(); }
int SectionDialog::DetailScale() const { return m_detailScale->value(); }

void SectionDialog::Refresh() {
    const std::vector<std::string> names = kwutil::SectionDimensionNames(Shape());
    for (int i = 0; i < kwutil::kSectionDimensions; ++i) {
        const QString name = i < int(names.size()) ? QString::fromStdString(names[i]) : QString();
        m_labels[i]->setText(QStringLiteral("d%1 %2").arg(i).arg(name));
        m_dims[i]->setEnabled(name != QStringLiteral("(unused)"));
    }
    // The outline as typed, fitted into the picture (y up).
    float d[kwutil::kSectionDimensions];
    const auto dims = Dimensions();
    std::copy(dims.begin(), dims.end(), d);
    std::vector<kwutil::SectionRing> rings;
    QPixmap picture(kPicturePixels, kPicturePixels);
    picture.fill(Qt::white);
    if (kwutil::SectionRings(Shape(), d, 0, 0, static_cast<float>(AngleDegrees() * std::numbers::pi / 180), rings)) {
        QPainterPath path;
        for (const auto& ring : rings) {
            if (ring.empty()) continue;
            path.moveTo(ring[0].first, -ring[0].second);
            for (size_t i = 1; i < ring.size(); ++i) path.lineTo(ring[i].first, -ring[i].second);
            path.closeSubpath();
        }
        const QRectF box = path.boundingRect();
        const double room = kPicturePixels - 2 * kPictureMargin;
        const double k = room / std::max({box.width(), box.height(), 1e-9});
        if (std::isfinite(k) && k > 0) {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(kPicturePixels / 2.0, kPicturePixels / 2.0);
            painter.scale(k, k);
            painter.translate(-box.center());
            QPen pen(Qt::black);
            pen.setCosmetic(true);
            pen.setWidthF(1.5);
            painter.setPen(pen);
            painter.setBrush(QColor(200, 220, 255));
            painter.drawPath(path);
        }
    }
    m_picture->setPixmap(picture);
}

}  // namespace kwdraw
