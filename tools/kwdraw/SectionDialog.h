#pragma once
// The section outline's values: the shape, each dimension labelled by what it is (with a small
// picture of the outline as typed), the angle and the detail scale. A section is drawn at its
// detail scale on the drawing's sheet: 1:20 on a 1:100 sheet is five times its true size.
#include <QDialog>
#include <array>
#include <string>

#include "SectionOutline.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace kwdraw {

class SectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit SectionDialog(QWidget* parent = nullptr);
    std::string Shape() const;
    std::array<float, kwutil::kSectionDimensions> Dimensions() const;
    double AngleDegrees() const;
    int DetailScale() const;

private:
    void Refresh();

    QComboBox* m_shape;
    std::array<QLabel*, kwutil::kSectionDimensions> m_labels{};
    std::array<QDoubleSpinBox*, kwutil::kSectionDimensions> m_dims{};
    QDoubleSpinBox* m_angle;
    QSpinBox* m_detailScale;
    QLabel* m_picture;
};

}  // namespace kwdraw
