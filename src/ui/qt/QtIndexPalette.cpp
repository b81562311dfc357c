#include "QtIndexPalette.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QToolButton>

#include <ckw/HostEngine.h>

#include "QtText.h"

namespace ckw::qt {

namespace {

constexpr int kFirstColour = 1, kLastColour = 255;
constexpr int kColumns = 16;
constexpr int kSwatch = 18;

}  // namespace

QtIndexPalette::QtIndexPalette(long current, QWidget* parent) : QDialog(parent), m_chosen(current) {
    setObjectName(QStringLiteral("indexPalette"));
    setWindowTitle(tr("Colour"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    bool marked = false;
    for (int colour = kFirstColour; colour <= kLastColour; ++colour) {
        int rgb = 0;
        m_pCfg->HostColorIndexToRgb(colour, rgb);
        auto* swatch = new QToolButton;
        swatch->setObjectName(QStringLiteral("colour%1").arg(colour));
        swatch->setToolTip(QString::number(colour));
        swatch->setFixedSize(kSwatch, kSwatch);
        // The first swatch of the cell's colour is the one marked (7 and 255 can share white).
        const bool isCurrent = !marked && rgb == current;
        marked = marked || isCurrent;
        swatch->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: 1px solid %2; }")
                .arg(FromColorRef(rgb).name(), isCurrent ? QStringLiteral("#ff8000") : QStringLiteral("#404040")));
        connect(swatch, &QToolButton::clicked, this, [this, rgb] {
            m_chosen = rgb;
            accept();
        });
        const int at = colour - kFirstColour;
        grid->addWidget(swatch, at / kColumns, at % kColumns);
    }
}

std::optional<long> QtIndexPalette::Choose(long current, QWidget* parent) {
    if (!m_pCfg) {
        const QColor colour = QColorDialog::getColor(FromColorRef(current), parent);
        if (!colour.isValid()) return std::nullopt;
        return ToColorRef(colour);
    }
    QtIndexPalette palette(current, parent);
    if (palette.exec() != QDialog::Accepted) return std::nullopt;
    return palette.m_chosen;
}

}  // namespace ckw::qt
