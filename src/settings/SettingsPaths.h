#pragma once
// The files the settings dialogs work on, in the configuration directory (CUtil::GetKeloCfgPath).
#include <ckw/CString.h>

namespace ckw::settings {

struct SettingsPaths {
    CString cfgDir;
    CString userLibrary;    // "用户绘图参数.mdb"
    CString systemLibrary;  // "绘图参数.mdb"
    CString layerText;      // "用户构件图层表.txt"

    // From the registry; with no configuration directory the paths name files that do not
    // exist, and each step reports the missing file.
    static SettingsPaths FromConfiguration();
    static SettingsPaths In(const char* cfgDirGbk);
};

}  // namespace ckw::settings
