#include "settings/LayerDialog.h"

#include <cstdio>
#include <cstdlib>

#include "drawpara/ParaRows.h"
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "drawpara/LayerTable.h"
#include "drawpara/LibraryStep.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "settings/HostColours.h"
#include "settings/LayerText.h"
#include "settings/LineTypeDialog.h"
#include "settings/LineTypeTable.h"
#include "settings/SettingsGrid.h"
#include "settings/WriteBack.h"
#include "settings/TwoChoiceDialog.h"
#include "settings/WriteBack.h"

namespace ckw::settings {

using namespace ckw::res;
namespace dao = ckw::dao;
using ckw::drawpara::RunLibraryStep;
using ckw::drawpara::StepMode;
using ckw::text::NameKey;
using ckw::text::ToUpper;
using ckw::text::TrimRight;

namespace {
constexpr int kColCount = 7;
constexpr int kColType = 1, kColNumber = 2, kColName = 3, kColColour = 4, kColLineType = 5, kColWidth = 6;
// Colour 15 does not show on the grid's white: its line-type text takes colour 7's.
constexpr int kUnreadableColour = 15;
constexpr int kReadableColour = 7;
}  // namespace

LayerDialog::LayerDialog(const CStringArray& shownTypes) : Dialog(DialogResource(IDD_LAYER)) {
    m_callerTypes.Copy(shownTypes);
}

LayerDialog::LayerDialog(const CStringArray& shownTypes, const SettingsPaths& paths)
    : Dialog(DialogResource(IDD_LAYER)), m_usePathsGiven(true), m_paths(paths) {
    m_callerTypes.Copy(shownTypes);
}

ckw::dlg::GridModel& LayerDialog::TheGrid() { return Grid(IDC_GRID); }

bool LayerDialog::OnInitDialog() {
    m_shown.clear();
    for (const CString& type : m_callerTypes) m_shown.push_back(type.str());
    m_scale = 1.0f;
    m_startWidth = Width();
    if (!m_usePathsGiven) m_paths = SettingsPaths::FromConfiguration();
    LoadColours();
    LoadLineTypes();
    LoadLayers();
    Layout();
    Fill();
    return true;
}

void LayerDialog::LoadColours() {
    std::vector<CColorDef_> read;
    bool done = RunLibraryStep(m_paths.userLibrary, StepMode::Read, [&](dao::Database& db) {
        read = ReadRecords<CColorDef_>(db, "select * from 颜色表", ckw::drawpara::ColourFromRow);
    });
    if (done) m_colours = std::move(read);
}

void LayerDialog::LoadLineTypes() { ckw::settings::LoadLineTypes(m_paths.userLibrary, true, m_lineTypes); }

void LayerDialog::LoadLayers() {
    std::vector<CkwLayerDef_> rows;
    if (!ckw::drawpara::ReadLayerTable(m_paths.userLibrary, rows)) return;
    const bool showAll = m_shown.empty();
    m_layers = m_layersAsRead = std::move(rows);
    if (showAll)
        for (const CkwLayerDef_& layer : m_layers) m_shown.push_back(layer.GetComponentKind());
}

int LayerDialog::ColourNumber(const std::string& colourText) const {
    const std::string key = NameKey(colourText);
    int number = 0;
    bool found = false;
    for (const CColorDef_& colour : m_colours) {
        if (NameKey(colour.GetColorName()) == key || NameKey(colour.GetColorDes()) == key) {
            number = colour.GetColorValue();
            found = true;
        }
    }
    return found ? number : std::atoi(colourText.c_str());
}

std::string LayerDialog::ColourText(int colourNumber) const {
    std::string text = std::to_string(colourNumber);
    for (const CColorDef_& colour : m_colours)
        if (colour.GetColorValue() == colourNumber) text = colour.GetColorName();
    return text;
}

std::string LayerDialog::LineTypeDescription(const std::string& lineTypeName) const {
    const std::string key = ToUpper(lineTypeName);
    std::string description = "实线";
    for (const CkwLineTypeDef_& lineType : m_lineTypes)
        if (ToUpper(lineType.GetLineTypeName()) == key) description = lineType.GetLineTypeDes();
    return description;
}

int LayerDialog::RecordOfRow(int row) const {
    if (row < 1 || row > static_cast<int>(m_shown.size())) return -1;
    const std::string shown = TrimRight(m_shown[static_cast<size_t>(row - 1)]);
    int found = -1;
    for (size_t i = 0; i < m_layers.size(); ++i)
        if (TrimRight(m_layers[i].GetComponentKind()) == shown) found = static_cast<int>(i);
    return found;
}

void LayerDialog::Layout() {
    const ckw::dlg::Rect ok = Item(ckw::dlg::IDOK).GetRect();
    const int W = Width(), H = Height(), w = ok.Width(), h = ok.Height();
    Item(IDC_GRID).MoveWindow({15, 15, 15 + W - 40, 15 + H - h - 75});
    const int top = H - 40 - h;
    const int helpLeft = W - 25 - w;
    Item(IDC_HELP).MoveWindow({helpLeft, top, helpLeft + w, top + h});
    const int cancelLeft = helpLeft - w / 3 - w;
    Item(ckw::dlg::IDCANCEL).MoveWindow({cancelLeft, top, cancelLeft + w, top + h});
    const int okLeft = cancelLeft - w / 3 - w;
    Item(ckw::dlg::IDOK).MoveWindow({okLeft, top, okLeft + w, top + h});
    const ckw::dlg::Rect init = Item(IDC_INIT_SYSTEM).GetRect();
    Item(IDC_INIT_SYSTEM).MoveWindow({25, top, 25 + init.Width(), top + init.Height()});
}

void LayerDialog::Fill() {
    ckw::dlg::GridModel& grid = TheGrid();
    const int rows = static_cast<int>(m_shown.size());
    grid.GridSetRows(static_cast<short>(rows + 1));
    grid.GridSetCols(kColCount);
    const int c = Item(IDC_GRID).GetRect().Width() - 25;
    const int w0 = static_cast<int>(40 * m_scale), w60 = static_cast<int>(60 * m_scale), sixth = c / 6;
    grid.GridSetColWidth(0, static_cast<short>(w0));
    grid.GridSetColWidth(kColNumber, static_cast<short>(w60));
    grid.GridSetColWidth(kColWidth, static_cast<short>(w60));
    grid.GridSetColWidth(kColType, static_cast<short>(sixth));
    grid.GridSetColWidth(kColName, static_cast<short>(sixth));
    grid.GridSetColWidth(kColColour, static_cast<short>(sixth));
    grid.GridSetColWidth(kColLineType, static_cast<short>(c - w0 - 2 * w60 - 3 * sixth));
    SetGridHeader(grid, {"序号", "构件类型", "层号", "层名", "颜色", "线型", "线宽"});

    for (short r = 1; r <= rows; ++r) {
        grid.GridSetCellText(r, 0, std::to_string(r).c_str());
        grid.GridSetCellText(r, kColType, m_shown[static_cast<size_t>(r - 1)].c_str());
        const int index = RecordOfRow(r);
        if (index < 0) {
            // A type the table does not have: shown, but nothing to edit.
            for (short col = kColNumber; col < kColCount; ++col) {
                grid.GridSetCellText(r, col, "");
                grid.GridSetCellKind(r, col, ckw::grid::kKindPlain, 0);
                grid.GridSetCellBackColor(r, col, kLockedCellColour);
            }
            for (short col = 1; col < kColCount; ++col) grid.GridSetCellReadOnly(r, col, true);
            grid.GridSetCellBackColor(r, kColType, kLockedCellColour);
            continue;
        }
        const CkwLayerDef_& layer = m_layers[static_cast<size_t>(index)];
        const int colour = ColourNumber(layer.GetColor());
        grid.GridSetCellText(r, kColNumber, layer.GetLayerNumber());
        grid.GridSetCellText(r, kColName, layer.GetLayerName());
        // The colour's name (or number) beside its swatch: colours close to each other stay apart.
        grid.GridSetCellText(r, kColColour, ColourText(colour).c_str());
        grid.GridSetCellKind(r, kColColour, ckw::grid::kKindColor, -1);
        grid.GridSetCellBackColor(r, kColColour, ColourIndexToRgb(colour));
        grid.GridSetCellText(r, kColLineType, LineTypeDescription(layer.GetLineType()).c_str());
        grid.GridSetCellTextColor(r, kColLineType,
                                  ColourIndexToRgb(colour == kUnreadableColour ? kReadableColour : colour));
        grid.GridSetCellText(r, kColWidth, ckw::text::FormatFixed(layer.GetLineWidth(), 2).c_str());
        // The width column is an edit field too: its text is read back as the layer's width.
        for (short col = 1; col < kColCount; ++col) grid.GridSetCellEditMode(r, col, 1);
        for (short col = 1; col < kColCount; ++col)
            grid.GridSetCellReadOnly(r, col, col == kColType || col == kColNumber || col == kColLineType);
        grid.GridSetCellBackColor(r, kColType, kLockedCellColour);
        grid.GridSetCellBackColor(r, kColNumber, kLockedCellColour);
    }
    grid.GridSetUserResize(0, true);
}

void LayerDialog::ReadBack() {
    ckw::dlg::GridModel& grid = TheGrid();
    for (short r = 1; r < grid.GridGetRows(); ++r) {
        const int index = RecordOfRow(r);
        if (index < 0) continue;
        CkwLayerDef_& layer = m_layers[static_cast<size_t>(index)];
        layer.SetLayerName(grid.GridGetCellText(r, kColName));
        layer.SetLineWidth(static_cast<float>(grid.GridGetCellNumber(r, kColWidth)));
    }
}

bool LayerDialog::Save() {
    ReadBack();
    bool saved = RunLibraryStep(m_paths.userLibrary, StepMode::Write, [&](dao::Database& db) {
        dao::Recordset rs(db);
        rs.Open("select * from 系统构件图层表");
        auto fieldsOf = [](const CkwLayerDef_& layer) {
            return FieldValues{{"层名", dao::Variant::Text(layer.GetLayerName())},
                               {"颜色", dao::Variant::Text(layer.GetColor())},
                               {"线型", dao::Variant::Text(layer.GetLineType())},
                               {"线宽", dao::Variant::Single(layer.GetLineWidth())}};
        };
        auto kindOf = [](const CkwLayerDef_& layer) { return std::string(layer.GetComponentKind()); };
        WriteBackByKey(rs, "构件类型", m_layersAsRead, m_layers, kindOf, fieldsOf, KeyMatch::First);
    });
    if (saved) m_layersAsRead = m_layers;
    return saved;
}

void LayerDialog::ReloadAndRewrite() {
    m_layers.clear();
    LoadLayers();
    Fill();
    // A failed rewrite has shown its message and left the table as it was.
    static_cast<void>(RunLibraryStep(m_paths.userLibrary, StepMode::Write,
                                     [&](dao::Database& db) { ckw::drawpara::RewriteLayerTable(db, m_layers); }));
}

void LayerDialog::InitialiseFromSystem() {
    TwoChoiceDialog format(TwoChoiceDialog::Use::LayerNameFormat, ckw::drawpara::kLayerNamesChinese);
    if (format.DoModal() != ckw::dlg::IDOK) return;
    // Shown again either way: a failed rebuild has shown its message and left the table as it was.
    static_cast<void>(
        ckw::drawpara::RebuildLayerTableFromSystem(m_paths.systemLibrary, m_paths.userLibrary, format.Choice()));
    m_layers.clear();
    LoadLayers();
    Fill();
}

void LayerDialog::OnOK() {
    // A failed save keeps the dialog open with the edits (its message has been shown).
    if (!Save()) return;
    m_layers.clear();
    m_lineTypes.clear();
    m_colours.clear();
    EndDialog(ckw::dlg::IDOK);
}

void LayerDialog::OnCancel() {
    m_layers.clear();
    m_lineTypes.clear();
    m_colours.clear();
    EndDialog(ckw::dlg::IDCANCEL);
}

void LayerDialog::OnCommand(int id) {
    if (id == IDC_INIT_SYSTEM) InitialiseFromSystem();
}

void LayerDialog::OnSize(int width, int) {
    if (m_startWidth > 0) m_scale = static_cast<float>(width) / static_cast<float>(m_startWidth);
    Layout();
    Fill();
}

void LayerDialog::RunMenuCommand(int command) {
    switch (command) {
    case ID_LOAD_ACCESS:
        LoadLineTypes();
        LoadLayers();
        Fill();
        break;
    case ID_SAVE_ACCESS:
        Save();
        break;
    case ID_EDIT_ACCESS:
        EditUserLibraryTable(m_paths, "系统构件图层表");
        break;
    case ID_DATA_INIT:
        ReloadAndRewrite();
        break;
    case ID_EXPORT_TXT:
        ExportLayerText(m_paths.userLibrary, m_paths.layerText);
        break;
    case ID_IMPORT_TXT:
        ImportLayerText(m_paths.layerText, m_paths.userLibrary);
        m_shown.clear();
        LoadLayers();
        Fill();
        break;
    default:
        break;
    }
}

void LayerDialog::GridRightClicked(int, short, short, long, const char*) {
    RunMenuCommand(TrackPopupMenu(MenuResource(IDR_LAYER_MENU)));
}

void LayerDialog::PickLineType(int row) {
    const int index = RecordOfRow(row);
    if (index < 0) return;
    LineTypeDialog picker(m_paths);
    if (picker.DoModal() != ckw::dlg::IDOK) return;
    LoadLineTypes();
    // No row was current in the picker: the layer keeps its line type.
    if (picker.SelectedName().empty()) return;
    m_layers[static_cast<size_t>(index)].SetLineType(picker.SelectedName().c_str());
    TheGrid().GridSetCellText(static_cast<short>(row), kColLineType,
                              LineTypeDescription(picker.SelectedName()).c_str());
}

void LayerDialog::GridCellClicked(int, short row, short col, long, const char*) {
    if (row > 0 && col == kColLineType) PickLineType(row);
}

void LayerDialog::GridColorPicked(int, short row, short col, long colour) {
    if (row <= 0 || col != kColColour) return;
    const int index = RecordOfRow(row);
    if (index < 0) return;
    TheGrid().GridSetCellTextColor(row, kColLineType, colour);
    const std::string text = ColourText(RgbToColourIndex(colour));
    TheGrid().GridSetCellText(row, kColColour, text.c_str());
    m_layers[static_cast<size_t>(index)].SetColor(text.c_str());
}

}  // namespace ckw::settings
