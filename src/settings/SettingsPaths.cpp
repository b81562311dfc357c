#include "settings/SettingsPaths.h"

#include <string>

#include <ckw/Util.h>
#include "platform/Shell.h"
#include "platform/Ui.h"

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

void EditUserLibraryTable(const SettingsPaths& paths, const char* tableGbk) {
    ckw::ui::MessageBox("请修改数据库文件 '用户绘图参数.mdb' 中 '" + std::string(tableGbk) + "'");
    ckw::shell::OpenWithAssociatedProgram(paths.userLibrary.str());
}

}  // namespace ckw::settings
