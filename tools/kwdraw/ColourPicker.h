#pragma once
// A colour of the engine's 256-colour palette picked from a grid of swatches (1 to 255; colour 0
// is left out: it is no layer's colour). Each swatch is a button named "colourN".
#include <QDialog>
#include <optional>

namespace kwdraw {

class ColourPicker : public QDialog {
    Q_OBJECT
public:
    ColourPicker(int current, bool lightGround, QWidget* parent = nullptr);
    int Chosen() const { return m_chosen; }

    // The colour picked, or nothing when the picker was closed without one.
    static std::optional<int> Choose(QWidget* parent, int current, bool lightGround);

private:
    int m_chosen;
};

}  // namespace kwdraw
