#pragma once
// Finding drawing files in a folder. File systems here are case-sensitive: "*.t" matches
// "plan.T" and "plan.t" alike, and every file is kept by its real name (an upper-cased path would
// name no file). Upper-cased names are for comparing and showing only.
#include <ctime>
#include <string>
#include <vector>

namespace ckw::drawfiles {

struct FoundDrawing {
    std::string path;  // GBK, the real name with its folder
    std::string name;  // GBK, the real name
    std::time_t written = 0;
};

// The folder with a path separator at its end (the search appends names to it).
std::string WithSeparator(const std::string& folderGbk);

// The files of folder (not its subfolders) whose names end in ".t" in any letter case, ordered by
// name. An unreadable or missing folder gives none.
std::vector<FoundDrawing> FindDrawingFiles(const std::string& folderGbk);

}  // namespace ckw::drawfiles
