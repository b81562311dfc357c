// The two pieces of configuration outside the parameter files: where the configuration directory
// is (machine-wide, read only) and which drawing mode the user works in (per user).
#include <unistd.h>

#include <climits>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/Util.h>
#include "base/GbkText.h"
#include "registry/Registry.h"
#include "drawpara/ParaMessages.h"

namespace reg = ckw::registry;
using ckw::drawpara::ShowMessage;

namespace {

const char* const kPathKey = "Software\\KELO\\MAIN\\PATH";
const char* const kSettingKey = "Software\\KELO Software\\StructDrawingSetting";
const char* const kDrawingKindValue = "DrawingKind05";
constexpr int kModelSpaceMode = 2008;
constexpr size_t kCfgPathCapacity = 260;

std::string RunningProgramPath() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace

int CUtil::GetKeloCfgPath(char* dir) {
    reg::Registry& registry = reg::Current();
    // One installation of the suite keeps its configuration under its own value name.
    std::string program = ckw::text::ToUpper(RunningProgramPath());
    const char* valueName = program.find("ZAVEDIVURADAR") != std::string::npos ? "CFG-SL" : "CFG";
    // A value found says its key is there: the key is looked for apart only when it is not.
    auto value = registry.GetString(reg::Hive::LocalMachine, kPathKey, valueName);
    bool ok = true;
    if (!value && !registry.KeyExists(reg::Hive::LocalMachine, kPathKey)) {
        ShowMessage("错误: 查询无法打开有关的hKEY!");
        ok = false;
    }
    // The directory must fit the caller's 260 bytes whole; a cut path would name another folder.
    if (!value || value->size() >= kCfgPathCapacity) {
        ShowMessage("错误:无法查询有关注册表信息!");
        return 0;
    }
    if (dir) ckw::text::CopyToBuffer(*value, dir, kCfgPathCapacity);
    return ok ? 1 : 0;
}

int CDrawingPara::GetDrawingKind05() {
    auto kind = reg::Current().GetDword(reg::Hive::CurrentUser, kSettingKey, kDrawingKindValue);
    return kind ? static_cast<int>(*kind) : kModelSpaceMode;
}

void CDrawingPara::SetDrawingKind05(int kind) {
    reg::Current().SetDword(reg::Hive::CurrentUser, kSettingKey, kDrawingKindValue, static_cast<uint32_t>(kind));
}
