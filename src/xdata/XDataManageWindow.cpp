#include "XDataManageWindow.h"

#include <vector>

#include "CellValues.h"
#include "XDataEngine.h"
#include "base/XDataParser.h"
#include "XDataRecords.h"
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::xdata {

namespace {

using namespace ckw::res;

constexpr short kLevelApp = 1;
constexpr short kLevelItem = 2;
constexpr long kAppRowGrey = 0xC0C0C0;  // RGB 192, 192, 192
constexpr const char* kTypeItems = "1-INT\n2-REAL\n3-CHAR";
constexpr const char* kTypeNames[] = {"1-INT", "2-REAL", "3-CHAR"};
constexpr short kNumberColumnWidth = 20;
constexpr int kValueColumnLess = 108;  // column 1 takes the grid's width less this
constexpr short kTypeColumnWidth = 80;
constexpr int kGridMarginRight = 33;
constexpr int kGridMarginBottom = 22;
constexpr int kButtonMarginRight = 13;
constexpr int kButtons[] = {IDC_XDATA_ADD_APP,    IDC_XDATA_ADD_ITEM,   IDC_XDATA_DELETE,
                            IDC_XDATA_SET_NEW,    IDC_XDATA_APPEND_NEW, IDC_XDATA_CLOSE_NEW,
                            IDC_XDATA_SET_ENTITY, IDC_XDATA_SET_DB,     IDC_XDATA_GET_DB};

std::string ValueText(const XData_Resbuf_& item) {
    switch (item.restype) {
    case kXDataInteger:
        return std::to_string(item.resval.nInt);
    case kXDataReal:
        return RealText(item.resval.fReal);
    case kXDataString:
        return item.resval.pString ? item.resval.pString : "";
    default:
        return {};
    }
}

int TypeIndex(short restype) { return restype == kXDataReal ? 1 : restype == kXDataString ? 2 : 0; }

void RefuseCell(int row, const std::string& text, const char* what) {
    ckw::ui::MessageBox("第" + std::to_string(row) + "行的值\"" + text + "\"不是" + what + "!");
}

// Stored blocks of the entity matched to the grid's blocks by name key, so that a block the grid
// writes back keeps the name and name words it was stored with.
class StoredNames {
public:
    explicit StoredNames(std::vector<ParsedBlock> stored) : m_stored(std::move(stored)), m_used(m_stored.size()) {}
    NamedItems Named(const XData_ResbufA_& block) {
        const std::string_view shown = StoredName(block.appName);
        const std::string key = text::NameKey(shown);
        for (size_t i = 0; i < m_stored.size(); ++i) {
            const ParsedBlock& stored = m_stored[i];
            if (m_used[i] || key.empty() || text::NameKey(stored.name) != key) continue;
            m_used[i] = true;
            const bool withNul = stored.nameWords == NameWordCount(stored.name.size(), NameWords::WithNul);
            return {stored.name, &block.items, withNul ? NameWords::WithNul : NameWords::Packed};
        }
        return {shown, &block.items, NameWords::Packed};
    }

private:
    std::vector<ParsedBlock> m_stored;
    std::vector<bool> m_used;
};

}  // namespace

XDataManageWindow::XDataManageWindow() : Dialog(DialogResource(IDD_XDATA_MANAGE)) {}

void XDataManageWindow::SetEntity(int kind, const int id[2], const XDataBlockList* blocks) {
    m_kind = kind;
    m_id = {id[0], id[1]};
    m_blocks = blocks;
}

bool XDataManageWindow::OnInitDialog() {
    auto& grid = Grid(IDC_GRID);
    grid.GridSetCols(3);
    grid.GridSetRows(1);
    grid.GridSetLineColor(grid::kDefaultLineColor);
    grid.GridSetCellText(0, 1, "数据");
    grid.GridSetCellText(0, 2, "类型");
    ApplyColumnWidths();
    Refill();
    return true;
}

void XDataManageWindow::Refill() {
    if (m_blocks) {
        Fill(*m_blocks);
    } else {
        XDataBlockList none;
        Fill(none);
    }
}

void XDataManageWindow::Fill(const XDataBlockList& blocks) {
    auto& grid = Grid(IDC_GRID);
    grid.GridSetRows(1);
    for (const XData_ResbufA_* block : blocks) {
        if (!block) continue;
        std::string name = text::TrimRight(StoredName(block->appName));
        AddAppRow(name.empty() ? kEmptyNameShown : name);
        if (block->items.IsEmpty()) AddItemRow({}, 0);
        for (const XData_Resbuf_* item : block->items)
            if (item) AddItemRow(ValueText(*item), TypeIndex(item->restype));
    }
    if (grid.GridGetRows() == 1) {
        AddAppRow(kDefaultAppName);
        AddItemRow({}, 0);
    }
    ApplyColumnWidths();
}

short XDataManageWindow::AddRow(short level, const std::string& text) {
    auto& grid = Grid(IDC_GRID);
    const short row = grid.GridGetRows();
    grid.GridSetRows(static_cast<short>(row + 1));
    grid.GridSetRowLevel(row, level);
    grid.GridSetCellText(row, 0, std::to_string(row).c_str());
    grid.GridSetCellText(row, 1, text.c_str());
    grid.GridSetCellEditMode(row, 1, 1);
    return row;
}

void XDataManageWindow::AddAppRow(const std::string& name) {
    auto& grid = Grid(IDC_GRID);
    const short row = AddRow(kLevelApp, name);
    grid.GridSetCellText(row, 2, "AppName");
    grid.GridSetCellReadOnly(row, 2, true);
    grid.GridSetCellBackColor(row, 2, kAppRowGrey);
}

void XDataManageWindow::AddItemRow(const std::string& text, int typeIndex) {
    auto& grid = Grid(IDC_GRID);
    const short row = AddRow(kLevelItem, text);
    grid.GridSetCellItems(row, 2, kTypeItems);
    grid.GridSetCellKind(row, 2, grid::kKindDropDown, typeIndex);
    grid.GridSetCellText(row, 2, kTypeNames[typeIndex]);
}

void XDataManageWindow::ApplyColumnWidths() {
    auto& grid = Grid(IDC_GRID);
    const int width = Item(IDC_GRID).GetRect().Width();
    grid.GridSetColWidth(0, kNumberColumnWidth);
    grid.GridSetColWidth(1, static_cast<short>(std::max(0, width - kValueColumnLess)));
    grid.GridSetColWidth(2, kTypeColumnWidth);
}

void XDataManageWindow::OnSize(int width, int height) {
    const ckw::dlg::Rect at = Item(IDC_GRID).GetRect();
    const int column = kXDataButtonColumn;
    Item(IDC_GRID).MoveWindow({at.left, at.top, width - column - kGridMarginRight, height - kGridMarginBottom});
    // The button column keeps its distance from the right edge.
    for (int id : kButtons) {
        const ckw::dlg::Rect b = Item(id).GetRect();
        const int left = width - column - kButtonMarginRight;
        Item(id).MoveWindow({left, b.top, left + b.Width(), b.bottom});
    }
    ApplyColumnWidths();
}

bool XDataManageWindow::ReadGrid(XDataBlockList& blocks) {
    auto& grid = Grid(IDC_GRID);
    for (short row = 1; row < grid.GridGetRows(); ++row) {
        const std::string text = grid.GridGetCellText(row, 1).GetString();
        if (grid.GridGetRowLevel(row) == kLevelApp) {
            auto* block = new XData_ResbufA_;
            block->appName = NewString(text, text.size() + 1);
            blocks.Add(block);
            continue;
        }
        if (blocks.IsEmpty()) continue;  // values above the first application belong to none
        auto* item = new XData_Resbuf_;
        blocks[blocks.GetSize() - 1]->items.Add(item);
        if (text.empty()) continue;  // type 0: left out when stored
        switch (grid.GridGetCellItemIndex(row, 2)) {
        case 1: {
            const std::optional<float> value = ParseRealText(text);
            if (!value) return RefuseCell(row, text, "实数"), false;
            item->restype = kXDataReal;
            item->resval.fReal = *value;
            break;
        }
        case 2:
            item->restype = kXDataString;
            item->resval.pString = NewString(text, text.size() + 1);
            break;
        default: {
            const std::optional<int> value = ParseIntText(text);
            if (!value) return RefuseCell(row, text, "整数"), false;
            item->restype = kXDataInteger;
            item->resval.nInt = *value;
            break;
        }
        }
    }
    return true;
}

void XDataManageWindow::OnCommand(int id) {
    auto& grid = Grid(IDC_GRID);
    switch (id) {
    case IDC_XDATA_ADD_APP:
        AddAppRow(kNewAppName);
        AddItemRow({}, 0);
        ApplyColumnWidths();
        break;
    case IDC_XDATA_ADD_ITEM:
        AddItemRow({}, 0);
        ApplyColumnWidths();
        break;
    case IDC_XDATA_DELETE:
        if (grid.GridGetCurrentRow() > 0) grid.GridDeleteRow(grid.GridGetCurrentRow());
        break;
    case IDC_XDATA_SET_ENTITY:
        WriteEntity();
        break;
    case IDC_XDATA_SET_NEW:
        SetNew();
        break;
    case IDC_XDATA_APPEND_NEW:
        AppendNew();
        break;
    case IDC_XDATA_CLOSE_NEW:
        CXDataUtil().Close_XData();
        break;
    case IDC_XDATA_SET_DB:
        SetDrawingData();
        break;
    case IDC_XDATA_GET_DB:
        ShowDrawingData();
        break;
    default:
        break;
    }
}

void XDataManageWindow::WriteEntity() {
    HostEngine* engine = m_pCfg;
    if (!engine) return;
    XDataBlockList blocks;
    if (ReadGrid(blocks) && !blocks.IsEmpty()) {
        // Blocks the entity holds keep their names as stored (the grid shows them upper-cased).
        int found = 0;
        engine->HostFindEntity(0, m_kind, m_id[0], m_id[1], found);
        const std::optional<Words> stream = found ? ReadEntityStream(*engine) : std::nullopt;
        StoredNames stored(stream ? ReadAllBlocks(*stream) : std::vector<ParsedBlock>{});
        std::vector<NamedItems> named;
        for (const XData_ResbufA_* block : blocks) named.push_back(stored.Named(*block));
        SetEntityBlocks(m_kind, m_id.data(), named, CXDataUtil().m_writeMode);
    }
    CXDataUtil::XRemove_Array(blocks);
}

void XDataManageWindow::SetNew() {
    XDataBlockList blocks;
    if (ReadGrid(blocks)) CXDataUtil().XNew_XData(blocks);
    CXDataUtil::XRemove_Array(blocks);
}

void XDataManageWindow::AppendNew() {
    XDataBlockList blocks;
    if (ReadGrid(blocks) && !blocks.IsEmpty()) CXDataUtil().Append_newXData(blocks[0]->appName, blocks[0]->items);
    CXDataUtil::XRemove_Array(blocks);
}

void XDataManageWindow::SetDrawingData() {
    XDataBlockList blocks;
    if (ReadGrid(blocks)) {
        CXDataUtil util;
        for (XData_ResbufA_* block : blocks) util.Set_DbData(block->appName, &block->items);
    }
    CXDataUtil::XRemove_Array(blocks);
}

void XDataManageWindow::ShowDrawingData() {
    XDataBlockList blocks;
    CXDataUtil().XGet_DbData(&blocks);
    Fill(blocks);
    CXDataUtil::XRemove_Array(blocks);
}

}  // namespace ckw::xdata
