#pragma once
// "图框设定": sheet number, orientation, lengthening, widening, whether the title and countersign
// blocks are wanted, and the title-block file (typed or browsed), in a two-column grid.
#include "dialog/Dialog.h"
#include "sheet/FrameSettings.h"

namespace ckw::geom {

class FrameSettingsDialog : public ckw::dlg::Dialog {
public:
    explicit FrameSettingsDialog(const FrameSettings& settings);

    bool OnInitDialog() override;
    void OnOK() override;
    void GridButtonClicked(int gridId, short row, short col) override;

    // The settings as confirmed (as given until then).
    const FrameSettings& Settings() const { return m_settings; }

private:
    FrameSettings m_settings;
};

}  // namespace ckw::geom
