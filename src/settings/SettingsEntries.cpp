// The exported entries of the settings dialogs.
#include <ckw/SettingsDialogs.h>

#include <ckw/DrawingPara.h>
#include "dao/Dao.h"
#include "settings/LayerDialog.h"
#include "settings/LineTypeDialog.h"
#include "settings/TextSizeDialog.h"
#include "settings/UserParaDialog.h"

void kwSetLineType() {
    m_exDrawingPara.ReadLineType_FromDbLib();
    ckw::settings::LineTypeDialog dialog;
    dialog.DoModal();
    m_exDrawingPara.ReSetAllData();
    ckw::dao::Terminate();
}

int kwSetLayer(CStringArray& componentTypes) {
    ckw::settings::LayerDialog dialog(componentTypes);
    int result = dialog.DoModal();
    // The drawing program asks for layers next: the loaded table must show the edit.
    if (result == ckw::dlg::IDOK) m_exDrawingPara.ReSetAllData();
    ckw::dao::Terminate();
    return result;
}

void kwSetText() {
    ckw::settings::TextSizeDialog dialog;
    dialog.DoModal();
    ckw::dao::Terminate();
}

void kwSetUserPara(const char* table) {
    m_exDrawingPara.ReadUserParaDef_FromDbLib(table);
    ckw::settings::UserParaDialog dialog(table ? table : "");
    dialog.DoModal();
    ckw::dao::Terminate();
}
