#pragma once
// The floor elevation table's floors as a grid: one row per floor from floor 1 up, its elevation
// in metres and its storey height in millimetres; rows are added and removed with buttons. OK
// reads every cell as a typed number and names the first one that is not.
#include <QDialog>
#include <vector>

class QTableWidget;

namespace kwdraw {

class FloorTableDialog : public QDialog {
    Q_OBJECT
public:
    explicit FloorTableDialog(QWidget* parent = nullptr);
    const std::vector<float>& Elevations() const { return m_elevations; }
    const std::vector<float>& Heights() const { return m_heights; }

    void accept() override;

private:
    void AddFloor();
    QTableWidget* m_floors;
    std::vector<float> m_elevations, m_heights;
};

}  // namespace kwdraw
