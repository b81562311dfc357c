#pragma once
// The fixed texts extended data shows the user.
#include <optional>
#include <string>

#include <ckw/HostEngine.h>
#include "base/GbkText.h"
#include "platform/Ui.h"

namespace ckw::xdata {

inline constexpr char kTooLargeMessage[] = "扩展数据>8192!";
inline constexpr char kBadAppNameMessage[] = "非法的AppName!!";
inline constexpr char kUpdateFailedPrompt[] = "Updategrf error:iFail=1!";

inline void ShowTooLarge() { ckw::ui::MessageBox(kTooLargeMessage); }

// The comparison key of a name a reader looks for; an empty or blank name shows the message.
inline std::optional<std::string> ReaderKey(const char* appName) {
    std::string key = text::NameKey(appName ? appName : "");
    if (key.empty()) {
        ckw::ui::MessageBox(kBadAppNameMessage);
        return std::nullopt;
    }
    return key;
}

inline void PromptUpdateFailed(HostEngine& engine) {
    const int length = static_cast<int>(sizeof kUpdateFailedPrompt - 1);
    engine.HostClearPrompt();
    engine.HostPrompt(kUpdateFailedPrompt, length);
}

}  // namespace ckw::xdata
