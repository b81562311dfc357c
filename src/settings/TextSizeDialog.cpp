#include "settings/TextSizeDialog.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <ckw/DrawingPara.h>
#include "drawpara/ParaRows.h"
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "drawpara/LibraryStep.h"
#include "settings/SettingsGrid.h"
#include "settings/WriteBack.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::settings {

using namespace ckw::res;
namespace dao = ckw::dao;
using ckw::drawpara::RunLibraryStep;
using ckw::drawpara::StepMode;

namespace {
constexpr int kTextTab = 0;
constexpr int kDimTab = 1;

std::string Number(float value) { return ckw::text::FormatFixed(value, 2); }

// Text and dimension records are both keyed by their type.

// The row's key names what is set (钢筋标注); its description follows as the explanation.
template <typename Record>
std::string KeyAndDescription(const Record& record) {
    const std::string key = ckw::text::TrimRight(record.GetTextType());
    const std::string description = ckw::text::TrimRight(record.GetTextDes());
    if (description.empty() || description == key) return key;
    if (key.empty()) return description;
    return key + "：" + description;
}

template <typename Record>
Record* LastOfType(std::vector<Record>& list, const std::string& key) {
    return WithKey(list, key, [](const Record& record) { return std::string_view(record.GetTextType()); });
}
}  // namespace

TextSizeDialog::TextSizeDialog() : Dialog(DialogResource(IDD_TEXT)) {}

TextSizeDialog::TextSizeDialog(const SettingsPaths& paths)
    : Dialog(DialogResource(IDD_TEXT)), m_usePathsGiven(true), m_paths(paths) {}

ckw::dlg::GridModel& TextSizeDialog::TheGrid() { return Grid(IDC_GRID); }

int TextSizeDialog::CurrentTab() { return Item(IDC_TAB).GetCurSel(); }

bool TextSizeDialog::OnInitDialog() {
    if (!m_usePathsGiven) m_paths = SettingsPaths::FromConfiguration();
    Read();
    ckw::dlg::Control& tab = Item(IDC_TAB);
    tab.ResetContent();
    tab.InsertItem(kTextTab, "文字标注");
    tab.InsertItem(kDimTab, "尺寸标注");
    tab.SetCurSel(kTextTab);
    FillTexts();
    return true;
}

void TextSizeDialog::Read() {
    std::vector<CkwTextDef_> texts;
    std::vector<CkwDimDef_> dims;
    bool done = RunLibraryStep(m_paths.userLibrary, StepMode::Read, [&](dao::Database& db) {
        texts = ReadRecords<CkwTextDef_>(db, "select * from 系统文字标注高宽表", ckw::drawpara::TextSizeFromRow);
        dims = ReadRecords<CkwDimDef_>(db, "select * from 系统尺寸标注表", ckw::drawpara::DimensionFromRow);
    });
    if (!done) return;
    m_texts = m_textsAsRead = std::move(texts);
    m_dims = m_dimsAsRead = std::move(dims);
}

void TextSizeDialog::FillCommon(int cols) {
    ckw::dlg::GridModel& grid = TheGrid();
    for (short r = 1; r < grid.GridGetRows(); ++r) {
        for (short c = 1; c < cols; ++c) grid.GridSetCellEditMode(r, c, 1);
        LockCell(grid, r, 1);
    }
}

void TextSizeDialog::FillTexts() {
    ckw::dlg::GridModel& grid = TheGrid();
    const int n = static_cast<int>(m_texts.size());
    grid.GridSetRows(static_cast<short>(n + 1));
    grid.GridSetCols(4);
    const int w = (Item(IDC_GRID).GetRect().Width() - 65) / 4;
    grid.GridSetColWidth(0, 40);
    grid.GridSetColWidth(1, static_cast<short>(2 * w));
    grid.GridSetColWidth(2, static_cast<short>(w));
    grid.GridSetColWidth(3, static_cast<short>(w));
    SetGridHeader(grid, {"序号", "标注类型", "高度", "宽度"});
    for (short k = 1; k <= n; ++k) {
        const CkwTextDef_& text = m_texts[static_cast<size_t>(k - 1)];
        grid.GridSetCellText(k, 0, std::to_string(k).c_str());
        grid.GridSetCellText(k, 1, KeyAndDescription(text).c_str());
        grid.GridSetCellText(k, 2, Number(text.GetTextHeight()).c_str());
        grid.GridSetCellText(k, 3, Number(text.GetTextWidth()).c_str());
    }
    FillCommon(4);
}

void TextSizeDialog::FillDims() {
    ckw::dlg::GridModel& grid = TheGrid();
    const int n = static_cast<int>(m_dims.size());
    grid.GridSetRows(static_cast<short>(n + 1));
    grid.GridSetCols(3);
    const int w = (Item(IDC_GRID).GetRect().Width() - 65) / 3;
    grid.GridSetColWidth(0, 40);
    grid.GridSetColWidth(1, static_cast<short>(2 * w));
    grid.GridSetColWidth(2, static_cast<short>(w));
    SetGridHeader(grid, {"序号", "项目", "数值"});
    for (short k = 1; k <= n; ++k) {
        const CkwDimDef_& dim = m_dims[static_cast<size_t>(k - 1)];
        grid.GridSetCellText(k, 0, std::to_string(k).c_str());
        grid.GridSetCellText(k, 1, KeyAndDescription(dim).c_str());
        grid.GridSetCellText(k, 2, Number(dim.GetTextValue()).c_str());
    }
    FillCommon(3);
}

void TextSizeDialog::TakeBackTexts() {
    ckw::dlg::GridModel& grid = TheGrid();
    for (short k = 1; k < grid.GridGetRows() && k <= static_cast<int>(m_texts.size()); ++k) {
        const std::string key = m_texts[static_cast<size_t>(k - 1)].GetTextType();
        CkwTextDef_* record = LastOfType(m_texts, key);
        record->SetTextHeight(static_cast<float>(ckw::text::ParseNumber(grid.GridGetCellText(k, 2).str())));
        record->SetTextWidth(static_cast<float>(ckw::text::ParseNumber(grid.GridGetCellText(k, 3).str())));
    }
}

void TextSizeDialog::TakeBackDims() {
    ckw::dlg::GridModel& grid = TheGrid();
    for (short k = 1; k < grid.GridGetRows() && k <= static_cast<int>(m_dims.size()); ++k) {
        const std::string key = m_dims[static_cast<size_t>(k - 1)].GetTextType();
        CkwDimDef_* record = LastOfType(m_dims, key);
        record->SetTextValue(static_cast<float>(ckw::text::ParseNumber(grid.GridGetCellText(k, 2).str())));
    }
}

void TextSizeDialog::OnTabChanged(int, int index) {
    if (index == kDimTab) {
        TakeBackTexts();
        FillDims();
    } else {
        TakeBackDims();
        FillTexts();
    }
    TheGrid().GridRefresh();
}

bool TextSizeDialog::Write() {
    return RunLibraryStep(m_paths.userLibrary, StepMode::Write, [&](dao::Database& db) {
        dao::Recordset rs(db);
        rs.Open("select * from 系统文字标注高宽表");
        ckw::settings::WriteBackByKey(
            rs, "标注内容", m_textsAsRead, m_texts, [](const CkwTextDef_& t) { return std::string(t.GetTextType()); },
            [](const CkwTextDef_& t) {
                return FieldValues{{"文字高度", dao::Variant::Single(t.GetTextHeight())},
                                   {"文字宽度", dao::Variant::Single(t.GetTextWidth())}};
            });
        rs.Open("select * from 系统尺寸标注表");
        ckw::settings::WriteBackByKey(
            rs, "内容", m_dimsAsRead, m_dims, [](const CkwDimDef_& d) { return std::string(d.GetTextType()); },
            [](const CkwDimDef_& d) {
                return FieldValues{{"数值", dao::Variant::Single(d.GetTextValue())}};
            });
    });
}

void TextSizeDialog::OnOK() {
    if (CurrentTab() == kDimTab) {
        TakeBackDims();
    } else {
        TakeBackTexts();
    }
    // A failed write keeps the dialog open with the edits (its message has been shown).
    if (!Write()) return;
    m_texts.clear();
    m_dims.clear();
    m_exDrawingPara.ReadTextDef_FromDbLib();
    EndDialog(ckw::dlg::IDOK);
}

void TextSizeDialog::OnCancel() {
    m_texts.clear();
    m_dims.clear();
    EndDialog(ckw::dlg::IDCANCEL);
}

void TextSizeDialog::OnCommand(int id) {
    if (id != IDC_RELOAD) return;
    Read();
    if (CurrentTab() == kDimTab) {
        FillDims();
    } else {
        FillTexts();
    }
}

}  // namespace ckw::settings
