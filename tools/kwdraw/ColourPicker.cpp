#include "ColourPicker.h"

#include <QGridLayout>
#include <QToolButton>

#include "DisplayPainter.h"

namespace kwdraw {

namespace {

constexpr int kFirstColour = 1, kLastColour = 255;
constexpr int kColumns = 16;
constexpr int kSwatch = 18;

}  // namespace

ColourPicker::ColourPicker(int current, bool lightGround, QWidget* parent) : QDialog(parent), m_chosen(current) {
    setObjectName(QStringLiteral("colourPicker"));
    setWindowTitle(tr("Layer colour"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    for (int colour = kFirstColour; colour <= kLastColour; ++colour) {
        auto* swatch = new QToolButton;
        swatch->setObjectName(QStringLiteral("colour%1").arg(colour));
        swatch->setToolTip(QString::number(colour));
        swatch->setFixedSize(kSwatch, kSwatch);
        swatch->setCheckable(true);
        swatch->setChecked(colour == current);
        const QColor shown = ckw::paint::PaletteColour(colour, lightGround);
        swatch->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: 1px solid %2; }")
                .arg(shown.name(), colour == current ? QStringLiteral("#ff8000") : QStringLiteral("#404040")));
        connect(swatch, &QToolButton::clicked, this, [this, colour] {
            m_chosen = colour;
            accept();
        });
        const int at = colour - kFirstColour;
        grid->addWidget(swatch, at / kColumns, at % kColumns);
    }
}

std::optional<int> ColourPicker::Choose(QWidget* parent, int current, bool lightGround) {
    ColourPicker picker(current, lightGround, parent);
    if (picker.exec() != QDialog::Accepted) return std::nullopt;
    return picker.Chosen();
}

}  // namespace kwdraw
