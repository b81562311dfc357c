#pragma once
// "绘图参数设置": the values (数值) of one user-parameter table of the user library. Existing
// rows only: items, kinds and descriptions never change; values are text, stored as typed.
#include <string>
#include <vector>

#include <ckw/ParaRecords.h>
#include "dialog/Dialog.h"
#include "settings/SettingsPaths.h"

namespace ckw::settings {

class UserParaDialog : public ckw::dlg::Dialog {
public:
    explicit UserParaDialog(std::string tableGbk);
    UserParaDialog(std::string tableGbk, const SettingsPaths& paths);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;

    const std::vector<CkwUserParaDef_>& Records() const { return m_records; }

private:
    ckw::dlg::GridModel& TheGrid();
    void Read();
    bool Write();
    void Fill();

    std::string m_table;
    bool m_usePathsGiven = false;
    SettingsPaths m_paths;
    std::vector<CkwUserParaDef_> m_records;
    std::vector<CkwUserParaDef_> m_recordsAsRead;  // a save writes only what differs from them
    bool m_tableMissing = false;
};

}  // namespace ckw::settings
