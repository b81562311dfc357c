#include "FloorTableDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <string>

#include "TypedNumbers.h"

namespace kwdraw {

namespace {

enum Column { kElevation = 0, kHeight };
constexpr double kDefaultHeightMm = 3600;

QString Number(double value) { return QString::number(value, 'f', value == std::floor(value) ? 0 : 3); }

}  // namespace

FloorTableDialog::FloorTableDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("floorTableDialog"));
    setWindowTitle(tr("Floor elevation table"));
    m_floors = new QTableWidget(0, 2);
    m_floors->setObjectName(QStringLiteral("floors"));
    m_floors->setHorizontalHeaderLabels({tr("Elevation (m)"), tr("Storey height (mm)")});
    m_floors->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const double floors[][2] = {{-0.05, 4200}, {4.15, 3600}, {7.75, 3600}};
    for (const auto& floor : floors) {
        const int row = m_floors->rowCount();
        m_floors->insertRow(row);
        m_floors->setItem(row, kElevation, new QTableWidgetItem(QString::number(floor[0], 'f', 3)));
        m_floors->setItem(row, kHeight, new QTableWidgetItem(Number(floor[1])));
    }
    auto* add = new QPushButton(tr("Add floor"));
    add->setObjectName(QStringLiteral("addFloor"));
    connect(add, &QPushButton::clicked, this, &FloorTableDialog::AddFloor);
    auto* remove = new QPushButton(tr("Remove floor"));
    remove->setObjectName(QStringLiteral("removeFloor"));
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = m_floors->currentRow() >= 0 ? m_floors->currentRow() : m_floors->rowCount() - 1;
        if (row >= 0) m_floors->removeRow(row);
    });
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &FloorTableDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_floors, 1);
    all->addLayout(rowButtons);
    all->addWidget(buttons);
    resize(420, 320);
}

void FloorTableDialog::AddFloor() {
    // The next floor stands on the last one: its elevation is the last plus the last height.
    const int row = m_floors->rowCount();
    double elevation = 0, height = kDefaultHeightMm;
    if (row > 0) {
        auto* e = m_floors->item(row - 1, kElevation);
        auto* h = m_floors->item(row - 1, kHeight);
        const auto lastElevation = kwutil::ReadNumber(e ? e->text().toStdString() : std::string());
        const auto lastHeight = kwutil::ReadNumber(h ? h->text().toStdString() : std::string());
        if (lastElevation && lastHeight) {
            elevation = *lastElevation + *lastHeight / 1000;
            height = *lastHeight;
        }
    }
    m_floors->insertRow(row);
    m_floors->setItem(row, kElevation, new QTableWidgetItem(QString::number(elevation, 'f', 3)));
    m_floors->setItem(row, kHeight, new QTableWidgetItem(Number(height)));
    m_floors->setCurrentCell(row, kElevation);
}

void FloorTableDialog::accept() {
    std::vector<float> elevations, heights;
    for (int row = 0; row < m_floors->rowCount(); ++row) {
        double values[2] = {};
        for (int column : {kElevation, kHeight}) {
            const auto* item = m_floors->item(row, column);
            const std::string text = item ? item->text().trimmed().toStdString() : std::string();
            const auto value = kwutil::ReadNumber(text);
            if (value) values[column] = *value;
            const std::string why = value ? std::string() : value.why();
            if (!why.empty()) {
                QMessageBox::warning(
                    this, windowTitle(),
                    tr("Floor %1, %2: %3")
                        .arg(row + 1)
                        .arg(m_floors->horizontalHeaderItem(column)->text(), QString::fromStdString(why)));
                m_floors->setCurrentCell(row, column);
                return;
            }
        }
        elevations.push_back(static_cast<float>(values[0]));
        heights.push_back(static_cast<float>(values[1]));
    }
    if (elevations.empty()) {
        QMessageBox::warning(this, windowTitle(), tr("The table needs at least one floor."));
        return;
    }
    m_elevations = std::move(elevations);
    m_heights = std::move(heights);
    QDialog::accept();
}

}  // namespace kwdraw
