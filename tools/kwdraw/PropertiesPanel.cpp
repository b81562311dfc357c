#include "PropertiesPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include <ckw/ReferenceEngine.h>

#include "ColourPicker.h"
#include "DisplayModel.h"
#include "DrawingView.h"
#include "GbkQt.h"
#include "LayerEditor.h"
#include "TypedNumbers.h"

namespace kwdraw {

namespace {

using ckw::engine::DefaultEngine;
using ckw::engine::Entity;

constexpr int kColourByLayer = 256;
constexpr int kNoValue = -1;  // the data of the "*varies*" entry of a list

QString Varies() { return QStringLiteral("*varies*"); }
QString Number(double value) { return QString::fromStdString(ckw::engine::FormatNumber(value)); }

bool IsText(const Entity& e) {
    return e.kind == ckw::engine::kChineseText || e.kind == ckw::engine::kWesternText ||
           e.kind == ckw::engine::kMultilineText;
}

float Value(const Entity& e, size_t i) { return i < e.values.size() ? e.values[i] : 0.0f; }
void SetValue(Entity& e, size_t i, double value) {
    if (e.values.size() <= i) e.values.resize(i + 1, 0.0f);
    e.values[i] = static_cast<float>(value);
}

// A multi-line text's lines are shown and typed joined by "\n" written out.
QString Shown(const std::string& gbk) { return FromGbk(gbk).replace(QLatin1Char('\n'), QStringLiteral("\\n")); }

// The one value all of them share, or nothing when they differ.
template <typename T, typename Get>
std::optional<T> Shared(const ckw::engine::Drawing& d, const std::vector<size_t>& selected, Get get) {
    std::optional<T> shared;
    for (size_t index : selected) {
        const T value = get(d.Entities()[index]);
        if (shared && !(*shared == value)) return std::nullopt;
        shared = value;
    }
    return shared;
}

// A list showing `value`, or "*varies*" for none.
void ShowInList(QComboBox* list, std::optional<int> value) {
    const int at = list->findData(kNoValue);
    if (at >= 0) list->removeItem(at);
    if (!value) {
        list->insertItem(0, Varies(), kNoValue);
        list->setCurrentIndex(0);
        return;
    }
    if (list->findData(*value) < 0) list->addItem(QString::number(*value), *value);
    list->setCurrentIndex(list->findData(*value));
}

}  // namespace

PropertiesPanel::PropertiesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("propertiesPanel"));
    m_form = new QFormLayout(this);
    m_layer = new QComboBox;
    m_layer->setObjectName(QStringLiteral("propLayer"));
    m_form->addRow(tr("Layer"), m_layer);
    m_rows.emplace_back(m_layer, Rows::Common);
    connect(m_layer, &QComboBox::activated, this, [this](int index) {
        const int layer = m_layer->itemData(index).toInt();
        if (!m_filling && layer != kNoValue) Apply(tr("Layer"), [layer](Entity& e) { e.attributes[0] = layer; });
    });
    m_colour = new QPushButton;
    m_colour->setObjectName(QStringLiteral("propColour"));
    auto* colours = new QMenu(m_colour);
    colours
        ->addAction(tr("By layer"), this,
                    [this] { Apply(tr("Colour"), [](Entity& e) { e.attributes[3] = kColourByLayer; }); })
        ->setObjectName(QStringLiteral("propColourByLayer"));
    colours->addAction(tr("Index..."), this, [this] { ChooseColour(); })
        ->setObjectName(QStringLiteral("propColourIndex"));
    m_colour->setMenu(colours);
    m_form->addRow(tr("Colour"), m_colour);
    m_rows.emplace_back(m_colour, Rows::Common);
    m_lineType = new QComboBox;
    m_lineType->setObjectName(QStringLiteral("propLineType"));
    m_form->addRow(tr("Line type"), m_lineType);
    m_rows.emplace_back(m_lineType, Rows::Common);
    connect(m_lineType, &QComboBox::activated, this, [this](int index) {
        const int type = m_lineType->itemData(index).toInt();
        if (!m_filling && type != kNoValue) Apply(tr("Line type"), [type](Entity& e) { e.attributes[1] = type; });
    });
    // The width code is the width on the sheet in thousandths of a millimetre.
    AddNumber(
        "propWidth", tr("Width (mm)"), Rows::Common, [](const Entity& e) { return e.WidthCode() / 1000.0; },
        [](Entity& e, double mm) {
            // A typed number may reach a billion: the code stays within what an int holds.
            e.attributes[2] = static_cast<int>(std::min(std::lround(mm * 1000), long{std::numeric_limits<int>::max()}));
        });

    m_content = AddLine("propContent", tr("Content"), Rows::Text);
    connect(m_content, &QLineEdit::editingFinished, this, [this] { ContentEdited(); });
    // A new height keeps the text's width factor.
    AddNumber(
        "propHeight", tr("Height"), Rows::Text, [](const Entity& e) { return double(Value(e, 0)); },
        [](Entity& e, double h) {
            const double factor = Value(e, 0) > 0 ? Value(e, 1) / Value(e, 0) : 1;
            SetValue(e, 0, h);
            SetValue(e, 1, factor * h);
        },
        true);
    AddNumber(
        "propWidthFactor", tr("Width factor"), Rows::Text,
        [](const Entity& e) { return Value(e, 0) > 0 ? double(Value(e, 1)) / Value(e, 0) : 0.0; },
        [](Entity& e, double factor) { SetValue(e, 1, factor * Value(e, 0)); }, true);
    AddNumber(
        "propAngle", tr("Angle"), Rows::Text, [](const Entity& e) { return double(Value(e, 4)); },
        [](Entity& e, double a) { SetValue(e, 4, a); });

    const struct {
        const char* name;
        QString label;
        Rows rows;
        bool positive;
    } coordinates[] = {
        {"propStartX", tr("Start X"), Rows::Line, false},    {"propStartY", tr("Start Y"), Rows::Line, false},
        {"propEndX", tr("End X"), Rows::Line, false},        {"propEndY", tr("End Y"), Rows::Line, false},
        {"propCentreX", tr("Centre X"), Rows::Arc, false},   {"propCentreY", tr("Centre Y"), Rows::Arc, false},
        {"propRadius", tr("Radius"), Rows::Arc, true},       {"propStartAngle", tr("Start angle"), Rows::Arc, false},
        {"propEndAngle", tr("End angle"), Rows::Arc, false},
    };
    // A line's values are x1, y1, x2, y2; an arc's cx, cy, r, start, end: the rows in that order.
    static constexpr double (*kGet[])(const Entity&) = {
        [](const Entity& e) { return double(Value(e, 0)); }, [](const Entity& e) { return double(Value(e, 1)); },
        [](const Entity& e) { return double(Value(e, 2)); }, [](const Entity& e) { return double(Value(e, 3)); },
        [](const Entity& e) { return double(Value(e, 4)); }};
    static constexpr void (*kSet[])(Entity&, double) = {
        [](Entity& e, double v) { SetValue(e, 0, v); }, [](Entity& e, double v) { SetValue(e, 1, v); },
        [](Entity& e, double v) { SetValue(e, 2, v); }, [](Entity& e, double v) { SetValue(e, 3, v); },
        [](Entity& e, double v) { SetValue(e, 4, v); }};
    size_t slot = 0;
    Rows previous = Rows::Line;
    for (const auto& c : coordinates) {
        if (c.rows != previous) slot = 0, previous = c.rows;
        AddNumber(c.name, c.label, c.rows, kGet[slot], kSet[slot], c.positive);
        ++slot;
    }
    Fill();
}

QLineEdit* PropertiesPanel::AddLine(const char* objectName, const QString& label, Rows rows) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    m_form->addRow(label, edit);
    m_rows.emplace_back(edit, rows);
    return edit;
}

void PropertiesPanel::AddNumber(const char* objectName, const QString& label, Rows rows, double (*get)(const Entity&),
                                void (*set)(Entity&, double), bool positive) {
    QLineEdit* edit = AddLine(objectName, label, rows);
    m_numbers.push_back({edit, label, rows, get, set, positive});
    const size_t at = m_numbers.size() - 1;
    connect(edit, &QLineEdit::editingFinished, this, [this, at] { NumberEdited(m_numbers[at]); });
}

void PropertiesPanel::Show(DrawingView* view) {
    auto& engine = DefaultEngine();
    const auto* d = view ? view->Drawing() : nullptr;
    if (view == m_view && d == m_drawing && d && d->Revision() == m_revision &&
        engine.SelectionRevision() == m_selection)
        return;
    m_view = view;
    Fill();
}

void PropertiesPanel::Fill() {
    auto& engine = DefaultEngine();
    const auto* d = m_view ? m_view->Drawing() : nullptr;
    m_drawing = d;
    m_revision = d ? d->Revision() : 0;
    m_selection = engine.SelectionRevision();
    m_selected = d && engine.CurrentUnit() == m_view->Unit() ? engine.SelectedEntities() : std::vector<size_t>{};
    m_filling = true;
    const bool any = !m_selected.empty();
    bool texts = any, oneLine = false, oneArc = false;
    if (any) {
        for (size_t index : m_selected) texts = texts && IsText(d->Entities()[index]);
        oneLine = m_selected.size() == 1 && d->Entities()[m_selected[0]].kind == ckw::engine::kLine;
        oneArc = m_selected.size() == 1 && d->Entities()[m_selected[0]].kind == ckw::engine::kArc;
    }
    auto shown = [&](Rows rows) {
        switch (rows) {
        case Rows::Common:
            return any;
        case Rows::Text:
            return texts;
        case Rows::Line:
            return oneLine;
        case Rows::Arc:
            return oneArc;
        }
        return false;
    };
    for (const auto& [widget, rows] : m_rows) m_form->setRowVisible(widget, shown(rows));
    if (any) {
        // Layers of the drawing's table and of the selection, by number.
        std::map<int, QString> layers;
        for (size_t index : d->LayerEntries())
            if (auto layer = d->Layer(d->Entities()[index].attributes[0]))
                layers[layer->number] = QStringLiteral("%1 %2").arg(layer->number).arg(FromGbk(layer->name));
        for (size_t index : m_selected) layers.try_emplace(d->Entities()[index].Layer(), QString());
        m_layer->clear();
        for (const auto& [number, name] : layers)
            m_layer->addItem(name.isEmpty() ? QString::number(number) : name, number);
        ShowInList(m_layer, Shared<int>(*d, m_selected, [](const Entity& e) { return e.Layer(); }));
        m_lineType->clear();
        for (const auto& [type, name] : LineTypesOf(*d))
            m_lineType->addItem(name.isEmpty() ? QString::number(type) : QStringLiteral("%1 %2").arg(type).arg(name),
                                type);
        ShowInList(m_lineType, Shared<int>(*d, m_selected, [](const Entity& e) { return e.LineType(); }));
        const auto colour = Shared<int>(*d, m_selected, [](const Entity& e) { return e.Colour(); });
        m_colour->setText(!colour ? Varies() : *colour == kColourByLayer ? tr("By layer") : QString::number(*colour));
        for (const NumberField& field : m_numbers) {
            if (!shown(field.rows)) continue;
            const auto value = Shared<double>(*d, m_selected, field.get);
            field.edit->setText(value ? Number(*value) : Varies());
        }
        if (texts) {
            const auto content = Shared<std::string>(*d, m_selected, [](const Entity& e) { return e.text; });
            m_content->setText(content ? Shown(*content) : Varies());
        }
    }
    m_filling = false;
}

bool PropertiesPanel::Refilled() {
    const auto* d = m_view ? m_view->Drawing() : nullptr;
    if (d == m_drawing && (!d || d->Revision() == m_revision) && DefaultEngine().SelectionRevision() == m_selection)
        return false;
    Fill();
    return true;
}

void PropertiesPanel::Apply(const QString& label, const std::function<void(Entity&)>& change) {
    if (Refilled()) return;
    const std::vector<size_t> selected = m_selected;
    const int unit = m_view ? m_view->Unit() : 0;
    emit Edit(label, [selected, unit, change] {
        auto* d = DefaultEngine().DrawingOn(unit);
        if (!d) return;
        for (size_t index : selected)
            if (index < d->Entities().size() && !d->Entities()[index].deleted) change(d->At(index));
    });
    Fill();
}

void PropertiesPanel::NumberEdited(const NumberField& field) {
    if (m_filling || Refilled() || m_selected.empty()) return;
    const QString text = field.edit->text().trimmed();
    if (text == Varies()) return;
    const auto value = kwutil::ReadNumber(text.toStdString());
    const bool outOfRange = value && (field.positive ? !(*value > 0) : field.rows == Rows::Common && *value < 0);
    if (!value || outOfRange) {
        Fill();  // back to what the entities hold
        return;
    }
    // Nothing to do when the entities hold this value already (the field merely lost focus).
    const auto* d = m_view->Drawing();
    if (d && Shared<double>(*d, m_selected, field.get) == *value) return;
    auto set = field.set;
    const double typed = *value;
    Apply(field.label, [set, typed](Entity& e) { set(e, typed); });
}

void PropertiesPanel::ContentEdited() {
    if (m_filling || Refilled() || m_selected.empty() || m_content->text() == Varies()) return;
    QString text = m_content->text();
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const std::string gbk = ToGbk(text);
    const auto* d = m_view->Drawing();
    if (!d || gbk.size() > static_cast<size_t>(ckw::engine::kMaxEntityText)) {
        Fill();  // longer than an entity holds
        return;
    }
    if (Shared<std::string>(*d, m_selected, [](const Entity& e) { return e.text; }) == gbk) return;
    Apply(tr("Content"), [gbk](Entity& e) { e.text = gbk; });
}

void PropertiesPanel::ChooseColour() {
    const auto* d = m_view ? m_view->Drawing() : nullptr;
    if (!d || Refilled() || m_selected.empty()) return;
    const int current = Shared<int>(*d, m_selected, [](const Entity& e) { return e.Colour(); }).value_or(7);
    const auto colour = ColourPicker::Choose(this, current == kColourByLayer ? 7 : current, m_light);
    if (!colour) return;
    const int chosen = *colour;
    Apply(tr("Colour"), [chosen](Entity& e) { e.attributes[3] = chosen; });
}

}  // namespace kwdraw
