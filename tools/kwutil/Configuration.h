#pragma once
// The configuration directory of kwutil's commands: recorded in the user registry file; on first
// use set up at $XDG_DATA_HOME/kelo/cfg (default ~/.local/share/kelo/cfg) from the system
// library built into kwutil.
#include <filesystem>
#include <string>

namespace kwutil {

// Writes the system library "绘图参数.mdb" into dir (created if missing; the user library there
// is left alone) and records dir as the configuration directory.
void SetUpConfiguration(const std::filesystem::path& dir);

// The recorded configuration directory; sets up the default one when none is recorded.
std::filesystem::path EnsureConfiguration();

// Terminal text from the library's GBK text.
std::string Utf8(const char* gbk);
std::string Utf8(const std::string& gbk);
// The library's GBK text from terminal text.
std::string Gbk(const std::string& utf8);

}  // namespace kwutil
