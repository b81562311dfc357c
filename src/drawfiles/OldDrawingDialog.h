#pragma once
// "请选择要打开的旧图": the candidates with their floor, time of last change and scale; the user
// checks at most one row.
#include <optional>
#include <string>
#include <vector>

#include "drawfiles/OldDrawings.h"
#include "dialog/Dialog.h"

namespace ckw::drawfiles {

class OldDrawingDialog : public ckw::dlg::Dialog {
public:
    OldDrawingDialog(std::string folderGbk, const std::vector<OldDrawing>& candidates);

    bool OnInitDialog() override;
    void OnOK() override;
    void GridCheckChanged(int gridId, short row, short col, bool checked, const char* text) override;

    // After OK: the index of the picked candidate (the last checked row), nothing when none.
    std::optional<size_t> Picked() const { return m_picked; }

private:
    std::string m_folder;
    const std::vector<OldDrawing>& m_candidates;
    std::optional<size_t> m_picked;
};

}  // namespace ckw::drawfiles
