#include "settings/TextSizeDialog.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DrawingPara.h"
#include "framework/Dao.h"
#include "framework/GbkText.h"
#include "framework/Ui.h"
#include "drawpara/LibraryStep.h"
#include "settings/WriteBack.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::settings {

using namespace ckw::res;
namespace dao = ckw::dao;
using ckw::drawpara::RunLibraryStep;
using ckw::drawpara::StepMode;

namespace {
constexpr long kLineColor = 0xA8A8A8;
constexpr long kLockedBack = 0xC0C0C0;
constexpr int kTextTab = 0;
constexpr int kDimTab = 1;

std::string Number(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

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
Record* LastWithKey(std::vector<Record>& list, const std::string& key) {
    Record* found = nullptr;
    for (Record& record : list)
        if (key == record.GetTextType()) found = &record;
    return found;
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
        dao::Recordset rs(db);
        rs.Open("select * from 系统文字标注高宽表");
        if (rs.GetRecordCount() > 0) rs.MoveFirst();
        for (; !rs.IsEOF(); rs.MoveNext()) {
            CkwTextDef_ text;
            text.SetTextType(rs.GetFieldValue("标注内容").AsText().c_str());
            text.SetTextHeight(rs.GetFieldValue("文字高度").AsSingle());
            text.SetTextWidth(rs.GetFieldValue("文字宽度").AsSingle());
            text.SetTextDes(rs.GetFieldValue("说明").AsText().c_str());
            texts.push_back(std::move(text));
        }
        rs.Close();
        rs.Open("select * from 系统尺寸标注表");
        if (rs.GetRecordCount() > 0) rs.MoveFirst();
        for (; !rs.IsEOF(); rs.MoveNext()) {
            CkwDimDef_ dim;
            dim.SetTextType(rs.GetFieldValue("内容").AsText().c_str());
            dim.SetTextValue(rs.GetFieldValue("数值").AsSingle());
            dim.SetTextDes(rs.GetFieldValue("说明").AsText().c_str());
            dims.push_back(std::move(dim));
        }
    });
    if (!done) return;
    m_texts = std::move(texts);
    m_dims = std::move(dims);
}

void TextSizeDialog::FillCommon(int cols) {
    ckw::dlg::GridModel& grid = TheGrid();
    grid.GridSetLineColor(kLineColor);
    for (short r = 1; r < grid.GridGetRows(); ++r) {
        for (short c = 1; c < cols; ++c) grid.GridSetCellEditMode(r, c, 1);
        grid.GridSetCellReadOnly(r, 1, true);
        grid.GridSetCellBackColor(r, 1, kLockedBack);
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
    const char* captions[] = {"序号", "标注类型", "高度", "宽度"};
    for (short c = 0; c < 4; ++c) grid.GridSetCellText(0, c, captions[c]);
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
    const char* captions[] = {"序号", "项目", "数值"};
    for (short c = 0; c < 3; ++c) grid.GridSetCellText(0, c, captions[c]);
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
        CkwTextDef_* record = LastWithKey(m_texts, key);
        record->SetTextHeight(static_cast<float>(std::strtod(grid.GridGetCellText(k, 2), nullptr)));
        record->SetTextWidth(static_cast<float>(std::strtod(grid.GridGetCellText(k, 3), nullptr)));
    }
}

void TextSizeDialog::TakeBackDims() {
    ckw::dlg::GridModel& grid = TheGrid();
    for (short k = 1; k < grid.GridGetRows() && k <= static_cast<int>(m_dims.size()); ++k) {
        const std::string key = m_dims[static_cast<size_t>(k - 1)].GetTextType();
        CkwDimDef_* record = LastWithKey(m_dims, key);
        record->SetTextValue(static_cast<float>(std::strtod(grid.GridGetCellText(k, 2), nullptr)));
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
            rs, "标注内容", m_texts, [](const CkwTextDef_& t) { return std::string(t.GetTextType()); },
            [](dao::Recordset& row, const CkwTextDef_& t) {
                row.SetFieldValue("文字高度", dao::Variant::Single(t.GetTextHeight()));
                row.SetFieldValue("文字宽度", dao::Variant::Single(t.GetTextWidth()));
            });
        rs.Open("select * from 系统尺寸标注表");
        ckw::settings::WriteBackByKey(
            rs, "内容", m_dims, [](const CkwDimDef_& d) { return std::string(d.GetTextType()); },
            [](dao::Recordset& row, const CkwDimDef_& d) {
                row.SetFieldValue("数值", dao::Variant::Single(d.GetTextValue()));
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
