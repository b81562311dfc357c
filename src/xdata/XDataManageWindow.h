#pragma once
// "XDATA MANAGE": the modeless window of kwXData_Manage. It shows the blocks of the entity last
// picked in a two-level grid (application rows, one item row per value with its type in a
// drop-down) and writes the grid back onto the entity, into the pending new-entity stream or
// into the drawing-level record. It also shows the drawing-level blocks, which can then be
// written onto the entity like any others.
#include <array>
#include <string>

#include <ckw/XDataUtil.h>

#include "dialog/Dialog.h"

namespace ckw::xdata {

class XDataManageWindow : public ckw::dlg::Dialog {
public:
    XDataManageWindow();

    // The entity the window shows and the blocks read from it (the caller's list; the window
    // keeps the pointer until the next call). Refill shows them.
    void SetEntity(int kind, const int id[2], const XDataBlockList* blocks);
    void Refill();

    bool OnInitDialog() override;
    void OnCommand(int id) override;
    void OnSize(int width, int height) override;

    // Fixed texts of the grid.
    static constexpr const char* kDefaultAppName = "$KW_COLUM";
    static constexpr const char* kNewAppName = "$You_Appname";
    static constexpr const char* kEmptyNameShown = "$NULL";

private:
    void Fill(const XDataBlockList& blocks);
    // Appends a row of the level (1 application, 2 value) with its number and editable text.
    short AddRow(short level, const std::string& text);
    void AddAppRow(const std::string& name);
    void AddItemRow(const std::string& text, int typeIndex);
    void ApplyColumnWidths();
    // The grid as blocks; false (after telling the user which cell) when a value does not read
    // as its type. The caller releases the blocks either way.
    bool ReadGrid(XDataBlockList& blocks);

    void WriteEntity();
    void SetNew();
    void AppendNew();
    void SetDrawingData();
    void ShowDrawingData();

    int m_kind = 0;
    std::array<int, 2> m_id{};
    const XDataBlockList* m_blocks = nullptr;
};

}  // namespace ckw::xdata
