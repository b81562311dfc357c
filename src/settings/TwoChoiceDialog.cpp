#include "settings/TwoChoiceDialog.h"

#include <ckw/DrawingPara.h>
#include <ckw/FortranInterface.h>
#include "drawpara/LibraryStep.h"
#include "dao/Dao.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace ckw::settings {

using namespace ckw::res;

namespace {
constexpr int kPaperSpace = 2005;
constexpr int kModelSpace = 2008;

struct ChoiceTexts {
    const char* caption;
    const char* group;
    const char* first;
    const char* second;
};
}  // namespace

TwoChoiceDialog::TwoChoiceDialog(Use use, int preselected)
    : Dialog(DialogResource(IDD_TWO_CHOICE)), m_use(use), m_choice(preselected == 0 ? 0 : 1) {}

bool TwoChoiceDialog::OnInitDialog() {
    const ChoiceTexts texts = m_use == Use::DrawingMode
                                  ? ChoiceTexts{"KELO绘图参数", "选择施工图模式", "图纸空间模式", "模型空间模式"}
                                  : ChoiceTexts{"KELO图层设置", "选择图层层名格式", "中文", "英文"};
    SetWindowText(texts.caption);
    Item(IDC_CHOICE_GROUP).SetWindowText(texts.group);
    Item(IDC_CHOICE_FIRST).SetWindowText(texts.first);
    Item(IDC_CHOICE_SECOND).SetWindowText(texts.second);
    Item(IDC_CHOICE_FIRST).SetCheck(m_choice == 0);
    Item(IDC_CHOICE_SECOND).SetCheck(m_choice == 1);
    return true;
}

void TwoChoiceDialog::OnOK() {
    m_choice = Item(IDC_CHOICE_FIRST).GetCheck() ? 0 : 1;
    EndDialog(ckw::dlg::IDOK);
}

int RunDrawingModeDialog() {
    TwoChoiceDialog dialog(TwoChoiceDialog::Use::DrawingMode,
                           m_exDrawingPara.GetDrawingKind05() == kPaperSpace ? 0 : 1);
    int result = dialog.DoModal();
    if (result == ckw::dlg::IDOK) {
        const int kind = dialog.Choice() == 1 ? kModelSpace : kPaperSpace;
        m_exDrawingPara.SetDrawingKind05(kind);
        // The store reports nothing; what reads back tells whether the choice was kept.
        if (m_exDrawingPara.GetDrawingKind05() != kind) ckw::drawpara::CountFailedWrite();
    }
    ckw::dao::Terminate();
    return result;
}

}  // namespace ckw::settings

void SetDrawingKind05_08() { ckw::settings::RunDrawingModeDialog(); }

void setdrawingkind05_08_() { SetDrawingKind05_08(); }
