#pragma once
// The engine's index palette for a colour cell: layers and entities take one of the 255 colour
// numbers, so a cell offers those (as the host engine paints them), not any RGB colour. Each
// swatch is a button named "colourN".
#include <QDialog>
#include <optional>

namespace ckw::qt {

class QtIndexPalette : public QDialog {
public:
    // current: the cell's colour (COLORREF); the swatch of the same colour is marked.
    QtIndexPalette(long current, QWidget* parent = nullptr);

    // The COLORREF of the colour picked, or nothing when the palette was closed without one.
    // Without a host engine there is no palette: a general colour dialog is offered instead.
    static std::optional<long> Choose(long current, QWidget* parent);

private:
    long m_chosen;
};

}  // namespace ckw::qt
