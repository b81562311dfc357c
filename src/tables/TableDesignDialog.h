#pragma once
// "用户表格设计": the user table in a grid (row 0 and column 0 show the column widths and row
// heights), cell texts typed in place, buttons for the table's size, rows, columns, merges, the
// attributes of a cell ("数据"), opening and saving .TDB files, and the text and line layers.
//
// Every change is kept at once in the working copy, so that an edit interrupted by a crash can be
// taken up again the next time; OK saves the table into its file, and OK and Cancel remove the
// working copy this edit wrote.
#include <string>

#include "dialog/Dialog.h"
#include "tables/UserTable.h"

namespace ckw::tables {

// A table for a file that does not exist yet.
UserTable DefaultUserTable();

class TableDesignDialog : public ckw::dlg::Dialog {
public:
    // Paths are GBK: the table file opened first (missing: a new table) and the working copy.
    TableDesignDialog(std::string tablePath, std::string workingCopyPath);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnComboChanged(int id) override;
    void GridCellEdited(int gridId, short row, short col, const char* newText) override;

    const UserTable& Table() const { return m_table; }
    // The file OK saved to (the one opened or saved as last).
    const std::string& TablePath() const { return m_path; }
    // Why the working copy is still there after OK or Cancel (GBK; empty when it is gone), so
    // that a caller does not report a clean end: the next start would offer it for recovery.
    const std::string& WorkingCopyLeft() const { return m_workingCopyLeft; }

private:
    void Open(const std::string& path);
    void OpenFile();
    void SaveAs();
    void Initialise();
    void EditCell();
    void LineCommand(int id);
    void MergeCommand(int id);
    // The table cell under the grid's current cell; false (and a message) when there is none.
    bool CurrentCell(int& row, int& col, bool anyRow = false, bool anyCol = false);
    void Changed();
    void RemoveWorkingCopy();
    void ShowTable();
    void ShowLayers();

    UserTable m_table;
    std::string m_path;
    std::string m_workingCopy;
    bool m_ownsWorkingCopy = false;
    std::string m_workingCopyLeft;
    // The table file could not be read: saving over it asks first.
    bool m_pathDamaged = false;
};

}  // namespace ckw::tables
