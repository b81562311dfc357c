#pragma once
// "拷贝他层": the source drawing's layers with a check box each, the insertion scale and point,
// and "拾取..." to pick the point in the drawing (the dialog closes for the pick and the command
// shows it again).
#include <string>
#include <vector>

#include "drawfiles/FloorInsertion.h"
#include "dialog/Dialog.h"

namespace ckw::drawfiles {

class CopyFloorDialog : public ckw::dlg::Dialog {
public:
    // What the dialog ends with when the user asks to pick the point.
    static constexpr int kPickRequested = 1017;

    // Edits layers' copy flags and the placement; both are written back on OK and on a pick.
    CopyFloorDialog(std::string sourcePathGbk, std::vector<SourceLayer>& layers, Placement& placement);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCommand(int id) override;

private:
    // Stores the check boxes and the edits; false (with a message) when an edit is refused.
    bool Store();

    std::string m_source;
    std::vector<SourceLayer>& m_layers;
    Placement& m_placement;
};

}  // namespace ckw::drawfiles
