#include "settings/SettingsPaths.h"

#include <ckw/Util.h>

namespace ckw::settings {

SettingsPaths SettingsPaths::In(const char* cfgDirGbk) {
    SettingsPaths paths;
    paths.cfgDir = cfgDirGbk;
    paths.userLibrary.Format("%s/用户绘图参数.mdb", cfgDirGbk);
    paths.systemLibrary.Format("%s/绘图参数.mdb", cfgDirGbk);
    paths.layerText.Format("%s/用户构件图层表.txt", cfgDirGbk);
    return paths;
}

SettingsPaths SettingsPaths::FromConfiguration() {
    char dir[260] = {};
    CUtil::GetKeloCfgPath(dir);
    return In(dir);
}

}  // namespace ckw::settings
