#include "LayerEditor.h"

#include <QComboBox>
#include <QHeaderView>
#include <map>
#include <optional>

#include <ckw/ReferenceEngine.h>

#include "ColourPicker.h"
#include "DisplayPainter.h"
#include "GbkQt.h"
#include "DrawingView.h"

namespace kwdraw {

namespace {

using ckw::engine::LayerInfo;

constexpr int kSolid = 1;
constexpr int kLayerOff = 1;  // the entry flag of a layer switched off (0: on)

// The layer's table entry, or what a layer without one is drawn with.
LayerInfo EntryOf(const ckw::engine::Drawing& d, int number) {
    if (auto layer = d.Layer(number)) return *layer;
    LayerInfo layer;
    layer.number = number;
    return layer;
}

int LayerOf(const QTreeWidgetItem* item) { return item->data(LayerEditor::kName, Qt::UserRole).toInt(); }

}  // namespace

std::map<int, QString> LineTypesOf(const ckw::engine::Drawing& d) {
    std::map<int, QString> types{{kSolid, QString()}};
    for (const auto& e : d.Entities())
        if (e.kind == ckw::engine::kLineTypeEntry && !e.deleted) types[e.attributes[0]] = FromGbk(e.text);
    return types;
}

LayerEditor::LayerEditor(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("layerPanel"));
    setHeaderLabels({tr("Layer"), tr("Colour"), tr("Line type"), tr("Width")});
    setRootIsDecorated(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!m_filling && column == kName) VisibilityChanged(item);
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int column) {
        if (column == kColour) ChooseColour(item);
    });
}

void LayerEditor::Show(DrawingView* view) {
    m_view = view;
    Fill();
}

QTreeWidgetItem* LayerEditor::Row(int layer) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (LayerOf(topLevelItem(i)) == layer) return topLevelItem(i);
    return nullptr;
}

void LayerEditor::Fill() {
    m_filling = true;
    clear();
    auto* d = m_view ? m_view->Drawing() : nullptr;
    if (d) {
        std::map<int, std::optional<LayerInfo>> layers;
        for (size_t index : d->LayerEntries())
            if (auto layer = d->Layer(d->Entities()[index].attributes[0])) layers[layer->number] = layer;
        for (int layer : m_view->LayersInUse()) layers.try_emplace(layer);
        const std::map<int, QString> lineTypes = LineTypesOf(*d);
        for (const auto& [number, layer] : layers) {
            auto* item = new QTreeWidgetItem(this);
            item->setText(
                kName, layer ? QStringLiteral("%1 %2").arg(number).arg(FromGbk(layer->name)) : QString::number(number));
            item->setData(kName, Qt::UserRole, number);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(kName, m_view->HiddenLayers().contains(number) ? Qt::Unchecked : Qt::Checked);
            const LayerInfo shown = EntryOf(*d, number);
            item->setText(kColour, QString::number(shown.colour));
            item->setBackground(kColour, ckw::paint::PaletteColour(shown.colour, m_light));
            item->setToolTip(kColour, tr("Double-click to choose the colour"));
            item->setText(kWidth, QString::number(shown.widthCode / 1000.0, 'f', 2));
            auto* types = new QComboBox;
            types->setObjectName(QStringLiteral("lineType%1").arg(number));
            for (const auto& [type, name] : lineTypes)
                types->addItem(name.isEmpty() ? QString::number(type) : QStringLiteral("%1 %2").arg(type).arg(name),
                               type);
            if (types->findData(shown.lineType) < 0) types->addItem(QString::number(shown.lineType), shown.lineType);
            types->setCurrentIndex(types->findData(shown.lineType));
            connect(types, &QComboBox::currentIndexChanged, this, [this, number, types](int index) {
                if (!m_filling && index >= 0) SetLineType(number, types->itemData(index).toInt());
            });
            setItemWidget(item, kLineType, types);
        }
    }
    m_filling = false;
}

template <typename Change>
void LayerEditor::Edit(int number, Change change) {
    auto* d = m_view ? m_view->Drawing() : nullptr;
    if (!d) return;
    LayerInfo layer = EntryOf(*d, number);
    change(layer);
    auto& engine = ckw::engine::DefaultEngine();
    engine.BeginStep(ToGbk(tr("Layer %1").arg(number)));  // one undo step
    d->DefineLayer(layer);
    engine.EndStep();
    emit LayerEdited();
}

void LayerEditor::VisibilityChanged(QTreeWidgetItem* item) {
    if (!m_view) return;
    const int number = LayerOf(item);
    const bool on = item->checkState(kName) == Qt::Checked;
    QSet<int> hidden = m_view->HiddenLayers();
    if (on)
        hidden.remove(number);
    else
        hidden.insert(number);
    m_view->SetHiddenLayers(hidden);
    Edit(number, [on](LayerInfo& layer) { layer.flag = on ? 0 : kLayerOff; });
}

void LayerEditor::ChooseColour(QTreeWidgetItem* item) {
    auto* d = m_view ? m_view->Drawing() : nullptr;
    if (!d) return;
    const int number = LayerOf(item);
    const auto colour = ColourPicker::Choose(this, EntryOf(*d, number).colour, m_light);
    if (!colour) return;
    Edit(number, [&](LayerInfo& layer) { layer.colour = *colour; });
    // Refilled once the double click is done with its row.
    QMetaObject::invokeMethod(
        this, [this] { Fill(); }, Qt::QueuedConnection);
}

void LayerEditor::SetLineType(int number, int lineType) {
    Edit(number, [lineType](LayerInfo& layer) { layer.lineType = lineType; });
}

}  // namespace kwdraw
