#pragma once
// "线型设置": edits the line-type table of the user library, adds and deletes line types and
// imports them from ".LIN" files. The layer settings run it as a picker and take the name of
// the row that was current when the user pressed OK.
#include <string>
#include <vector>

#include <ckw/ParaRecords.h>
#include "dialog/Dialog.h"
#include "settings/SettingsPaths.h"

namespace ckw::settings {

class LineTypeDialog : public ckw::dlg::Dialog {
public:
    LineTypeDialog();
    // Paths other than those of the configuration (tests, tools).
    explicit LineTypeDialog(const SettingsPaths& paths);

    // The line-type name of the current row after OK; empty when no data row was current.
    const std::string& SelectedName() const { return m_selectedName; }
    // The working list (emptied when the dialog closes).
    const std::vector<CkwLineTypeDef_>& Records() const { return m_records; }

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnSize(int width, int height) override;
    void GridCellClicked(int gridId, short row, short col, long button, const char* text) override;
    void GridRightClicked(int gridId, short row, short col, long button, const char* text) override;
    void GridCellEdited(int gridId, short row, short col, const char* newText) override;

private:
    ckw::dlg::GridModel& TheGrid();
    void Load();
    bool Save();
    void Layout();
    void Fill();
    void AddRow();
    void DeleteRow(int row);
    void ImportLinFile();
    void RunMenuCommand(int command, int row);

    bool m_usePathsGiven = false;
    SettingsPaths m_paths;
    std::vector<CkwLineTypeDef_> m_records;
    int m_currentRow = 0;
    std::string m_selectedName;
};

}  // namespace ckw::settings
