#pragma once
// The properties panel: what the selected entities of the current drawing are drawn with (layer,
// colour by layer or from the engine's palette, line type, width), for texts their content,
// height, width factor and angle, for one line or one arc its coordinates. A value the selected
// entities do not share shows "*varies*". An edit applies at once to every selected entity, as
// one command (so one undo step) the window runs.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace ckw::engine {
class Drawing;
struct Entity;
}  // namespace ckw::engine

namespace kwdraw {

class DrawingView;

class PropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertiesPanel(QWidget* parent = nullptr);
    // Shows the selection of view's drawing (an empty panel for none); refills only when the
    // drawing or the selection has changed since.
    void Show(DrawingView* view);
    void SetLightGround(bool light) { m_light = light; }

signals:
    // A change of every selected entity, to run as one command called `name`.
    void Edit(const QString& name, const std::function<void()>& change);

private:
    // Which selections a row is shown for.
    enum class Rows { Common, Text, Line, Arc };
    struct NumberField {
        QLineEdit* edit;
        QString label;  // also the name of the command an edit runs
        Rows rows;
        double (*get)(const ckw::engine::Entity&);
        void (*set)(ckw::engine::Entity&, double);
        bool positive;  // the value must be above zero (a width: not below zero; coordinates: any)
    };

    void Fill();
    // True (and the panel shown anew) when the drawing or the selection has changed since it was
    // filled: an edit then applies to nothing rather than to entities the panel did not show.
    bool Refilled();
    QLineEdit* AddLine(const char* objectName, const QString& label, Rows rows);
    void AddNumber(const char* objectName, const QString& label, Rows rows, double (*get)(const ckw::engine::Entity&),
                   void (*set)(ckw::engine::Entity&, double), bool positive = false);
    // Runs change on every selected entity as one command called after the field's label.
    void Apply(const QString& label, const std::function<void(ckw::engine::Entity&)>& change);
    void NumberEdited(const NumberField& field);
    void ContentEdited();
    void ChooseColour();

    QFormLayout* m_form;
    QComboBox* m_layer;
    QPushButton* m_colour;
    QComboBox* m_lineType;
    QLineEdit* m_content;
    std::vector<NumberField> m_numbers;
    std::vector<std::pair<QWidget*, Rows>> m_rows;
    DrawingView* m_view = nullptr;
    const ckw::engine::Drawing* m_drawing = nullptr;
    uint64_t m_revision = ~uint64_t{0}, m_selection = ~uint64_t{0};
    std::vector<size_t> m_selected;
    bool m_filling = false;
    bool m_light = false;
};

}  // namespace kwdraw
