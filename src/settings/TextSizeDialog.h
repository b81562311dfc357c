#pragma once
// "标注设置": the text heights and widths of the annotation kinds (系统文字标注高宽表) and the
// dimensioning values (系统尺寸标注表) of the user library, on two tabs. Existing rows only:
// keys and descriptions never change.
#include <vector>

#include <ckw/ParaRecords.h>
#include "dialog/Dialog.h"
#include "settings/SettingsPaths.h"

namespace ckw::settings {

class TextSizeDialog : public ckw::dlg::Dialog {
public:
    TextSizeDialog();
    explicit TextSizeDialog(const SettingsPaths& paths);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnTabChanged(int tabId, int index) override;

    const std::vector<CkwTextDef_>& Texts() const { return m_texts; }
    const std::vector<CkwDimDef_>& Dims() const { return m_dims; }

private:
    ckw::dlg::GridModel& TheGrid();
    int CurrentTab();
    void Read();
    bool Write();
    void FillTexts();
    void FillDims();
    void FillCommon(int cols);
    void TakeBackTexts();
    void TakeBackDims();

    bool m_usePathsGiven = false;
    SettingsPaths m_paths;
    std::vector<CkwTextDef_> m_texts;
    std::vector<CkwDimDef_> m_dims;
    // As last read from the library: a save writes only what differs from them.
    std::vector<CkwTextDef_> m_textsAsRead;
    std::vector<CkwDimDef_> m_dimsAsRead;
};

}  // namespace ckw::settings
