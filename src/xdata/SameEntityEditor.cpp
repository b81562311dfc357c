#include "SameEntityEditor.h"

#include <algorithm>
#include <map>
#include <string>

#include "base/GbkText.h"

#include "CellValues.h"
#include "XDataEngine.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::xdata {

namespace {

using namespace ckw::res;

enum Row : short { kColourRow = 1, kLineTypeRow, kWidthRow, kHeightRow, kCharWidthRow };
constexpr const char* kRowCaptions[] = {"", "颜色", "线型", "线宽", "字符高", "字符宽"};
constexpr int kAttributeLineType = 2;
constexpr int kAttributeWidth = 3;
constexpr int kAttributeColour = 4;
constexpr int kWriteMode = 12;
constexpr int kDeleteMode = -2;
constexpr int kLayerEntry = 10009;
// An entity of this colour is drawn in its layer's colour.
constexpr int kColourByLayer = 256;

EntityProperties PropertiesOf(const EntityRecord& record) {
    EntityProperties p;
    p.layer = record.attributes[0];
    p.lineType = record.attributes[1];
    p.width = record.attributes[2];
    p.colour = record.attributes[3];
    if (IsTextLikeKind(record.kind) && record.valueCount >= 2) {
        p.charHeight = record.values[0];
        p.charWidth = record.values[1];
    }
    return p;
}

// The colour of each layer of the current drawing, from its layer-table entries (the walk makes
// each entry current in turn).
std::map<int, int> LayerColours(HostEngine& engine) {
    std::map<int, int> colours;
    int unit = 0;
    engine.HostGetCurrentDrawing(unit);
    EntityRecord record;
    for (int kind = 0;;) {
        engine.HostNextSelected(unit, kind);
        if (kind == 0) break;
        if (kind != kLayerEntry) continue;
        record.Read(engine, kind);
        colours[record.attributes[0]] = record.attributes[3];
    }
    return colours;
}

// The properties as the entity is drawn: a colour "by layer" is its layer's colour, so that it
// shows as it looks and matches entities given that colour directly.
EntityProperties Resolved(EntityProperties p, const std::map<int, int>& layerColours) {
    if (p.colour != kColourByLayer) return p;
    auto layer = layerColours.find(p.layer);
    if (layer != layerColours.end()) p.colour = layer->second;
    return p;
}

std::string Decimal1(float value) { return ckw::text::FormatFixed(value, 1); }

// The engine's defined line types: the solid line 1 always, then each next type up to the first
// one without dashes.
std::vector<int> DefinedLineTypes(HostEngine& engine) {
    std::vector<int> counts(kHostLineTypeCount);
    std::vector<float> dashes(static_cast<size_t>(kHostLineTypeCount) * kHostDashCount);
    engine.HostGetLineTypes(counts.data(), dashes.data());
    std::vector<int> numbers{1};
    for (int n = 2; n <= kHostLineTypeCount && counts[static_cast<size_t>(n - 1)] > 0; ++n) numbers.push_back(n);
    return numbers;
}

}  // namespace

EntityProperties ReadEntityProperties(int kind) {
    if (!m_pCfg) return {};
    EntityRecord record;
    record.Read(*m_pCfg, kind);
    const EntityProperties properties = PropertiesOf(record);
    return properties.colour == kColourByLayer ? Resolved(properties, LayerColours(*m_pCfg)) : properties;
}

SameEntityEditor::SameEntityEditor() : Dialog(DialogResource(IDD_SAME_ENTITY)) {}

void SameEntityEditor::SetReference(int kind, const EntityProperties& reference) {
    m_kind = kind;
    m_reference = reference;
}

bool SameEntityEditor::OnInitDialog() {
    Refill();
    return true;
}

void SameEntityEditor::Refill() {
    HostEngine* engine = m_pCfg;
    if (!engine) return;
    SetWindowText("同类实体编辑器:" + std::to_string(m_kind) + "," +
                  std::string(FindEntityKind(m_kind) ? FindEntityKind(m_kind)->label : ""));
    auto& grid = Grid(IDC_SAME_GRID);
    const bool text = IsTextLikeKind(m_kind);
    grid.GridSetCols(2);
    grid.GridSetRows(text ? 6 : 4);
    grid.GridSetLineColor(grid::kDefaultLineColor);
    const int width = Item(IDC_SAME_GRID).GetRect().Width();
    grid.GridSetColWidth(0, static_cast<short>(width / 2));
    grid.GridSetColWidth(1, static_cast<short>(width - width / 2 - 4));
    grid.GridSetCellText(0, 0, "项目");
    grid.GridSetCellText(0, 1, "属性");
    for (short row = 1; row < grid.GridGetRows(); ++row) grid.GridSetCellText(row, 0, kRowCaptions[row]);

    int rgb = 0;
    engine->HostColorIndexToRgb(m_reference.colour, rgb);
    m_shownColour = rgb & 0xFFFFFF;
    grid.GridSetCellText(kColourRow, 1, "");
    grid.GridSetCellKind(kColourRow, 1, grid::kKindColor, -1);
    grid.GridSetCellBackColor(kColourRow, 1, m_shownColour);

    m_lineTypes = DefinedLineTypes(*engine);
    // A line type the engine does not define is still offered, so that it shows as it is.
    if (std::find(m_lineTypes.begin(), m_lineTypes.end(), m_reference.lineType) == m_lineTypes.end())
        m_lineTypes.insert(std::upper_bound(m_lineTypes.begin(), m_lineTypes.end(), m_reference.lineType),
                           m_reference.lineType);
    std::string items;
    for (int number : m_lineTypes) items += (items.empty() ? "" : "\n") + std::to_string(number);
    const long selected = std::find(m_lineTypes.begin(), m_lineTypes.end(), m_reference.lineType) - m_lineTypes.begin();
    grid.GridSetCellItems(kLineTypeRow, 1, items.c_str());
    grid.GridSetCellKind(kLineTypeRow, 1, grid::kKindDropDown, selected);
    grid.GridSetCellText(kLineTypeRow, 1, std::to_string(m_reference.lineType).c_str());

    m_shown.assign(6, {});
    m_shown[kWidthRow] = std::to_string(m_reference.width);
    if (text) {
        m_shown[kHeightRow] = Decimal1(m_reference.charHeight);
        m_shown[kCharWidthRow] = Decimal1(m_reference.charWidth);
    }
    for (short row = kWidthRow; row < grid.GridGetRows(); ++row) {
        grid.GridSetCellText(row, 1, m_shown[static_cast<size_t>(row)].c_str());
        grid.GridSetCellEditMode(row, 1, 1);
    }
}

bool SameEntityEditor::ReadGrid(EntityProperties& values) {
    HostEngine* engine = m_pCfg;
    auto& grid = Grid(IDC_SAME_GRID);
    values = m_reference;
    const long rgb = grid.GridGetCellBackColor(kColourRow, 1) & 0xFFFFFF;
    if (rgb != m_shownColour) engine->HostRgbToColorIndex(static_cast<int>(rgb), values.colour);
    const long index = grid.GridGetCellItemIndex(kLineTypeRow, 1);
    if (index >= 0 && index < static_cast<long>(m_lineTypes.size()))
        values.lineType = m_lineTypes[static_cast<size_t>(index)];

    for (short row = kWidthRow; row < grid.GridGetRows(); ++row) {
        const std::string text = grid.GridGetCellText(row, 1).GetString();
        if (text == m_shown[static_cast<size_t>(row)]) continue;
        bool read = false;
        if (row == kWidthRow) {
            const std::optional<int> width = ParseIntText(text);
            if ((read = width.has_value())) values.width = *width;
        } else {
            const std::optional<float> size = ParseRealText(text);
            if ((read = size.has_value())) (row == kHeightRow ? values.charHeight : values.charWidth) = *size;
        }
        if (!read) {
            ckw::ui::MessageBox(std::string(kRowCaptions[row]) + "\"" + text + "\"不是有效的数值!");
            return false;
        }
    }
    return true;
}

template <typename Action>
void SameEntityEditor::ForEachMatching(Action matching) {
    HostEngine& engine = *m_pCfg;
    // The command clears the selection while it waits for the next point: select anew.
    const std::map<int, int> layerColours = LayerColours(engine);
    engine.HostClearSelection();
    engine.HostSelectAllOfKind(0, m_kind);
    EntityRecord record;
    for (int kind = 0;;) {
        engine.HostNextSelected(0, kind);
        if (kind == 0) break;
        if (kind < 0) continue;
        record.Read(engine, kind);
        if (record.kind != m_kind || Resolved(PropertiesOf(record), layerColours) != m_reference) continue;
        matching(engine, record);
    }
}

void SameEntityEditor::Apply() {
    if (!m_pCfg) return;
    EntityProperties values;
    if (!ReadGrid(values) || values == m_reference) return;
    const EntityProperties before = m_reference;
    ForEachMatching([&](HostEngine& engine, EntityRecord& record) {
        if (IsTextLikeKind(m_kind) &&
            (values.charHeight != before.charHeight || values.charWidth != before.charWidth)) {
            record.values[0] = values.charHeight;
            record.values[1] = values.charWidth;
        }
        if (values.colour != before.colour) engine.HostSetEntityAttribute(kAttributeColour, values.colour);
        if (values.lineType != before.lineType) engine.HostSetEntityAttribute(kAttributeLineType, values.lineType);
        if (values.width != before.width) engine.HostSetEntityAttribute(kAttributeWidth, values.width);
        // The entity keeps its extended data through the rewrite.
        const std::optional<Words> stream = ReadEntityStream(engine);
        const Words kept = stream ? *stream : Words{};
        engine.HostSetXData(static_cast<int>(kept.size()), kept.data());
        record.Update(engine, kWriteMode);
    });
    // Nothing stays pending for the next entity written anywhere.
    m_pCfg->HostSetXData(0, nullptr);
    m_pCfg->HostUseWorldCoords();
    // The entities changed now carry the new values: they are what the editor matches next.
    m_reference = values;
    Refill();
}

void SameEntityEditor::Delete() {
    if (!m_pCfg) return;
    ForEachMatching([](HostEngine& engine, EntityRecord& record) { record.Update(engine, kDeleteMode); });
    m_pCfg->HostUseWorldCoords();
    m_pCfg->HostRedraw();
}

void SameEntityEditor::OnCommand(int id) {
    if (id == IDC_SAME_APPLY) Apply();
    if (id == IDC_SAME_DELETE) Delete();
}

}  // namespace ckw::xdata
