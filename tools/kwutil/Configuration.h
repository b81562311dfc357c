#pragma once
// The configuration directory of kwutil's commands: recorded in the user registry file; on first
// use set up at $XDG_DATA_HOME/kelo/cfg (default ~/.local/share/kelo/cfg) from the system
// library built into kwutil.
#include <filesystem>
#include <string>

namespace kwutil {

// Writes the system library "绘图参数.mdb" and the title blocks (existing ones are kept) into dir
// (created if missing; the user library there is left alone) and records dir as the
// configuration directory.
void SetUpConfiguration(const std::filesystem::path& dir);

// Copies the DWG converter TdwgConv, found beside kwutil or in the installed package, into dir
// as "TdwgConv" (the drawing programs start it from there). Nothing when it is not built.
void InstallConverter(const std::filesystem::path& dir);

// Builds the title block "BTL.T" and the countersign block "HQL.T" into dir; existing files are
// kept unless replace is true.
void InstallTitleBlocks(const std::filesystem::path& dir, bool replace);

// The recorded configuration directory; sets up the default one when none is recorded.
std::filesystem::path EnsureConfiguration();

// Terminal text from the library's GBK text.
std::string Utf8(const char* gbk);
std::string Utf8(const std::string& gbk);
// The library's GBK text from terminal text.
std::string Gbk(const std::string& utf8);
// Text a person typed, for a message: as it is when it is UTF-8, else with every byte past ASCII
// written \xNN (a terminal would show such bytes as garbage) and a note saying so.
std::string Shown(const std::string& typed);

}  // namespace kwutil
