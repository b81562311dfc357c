#include "drawfiles/DrawingSearch.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/GbkText.h"

namespace ckw::drawfiles {

namespace fs = std::filesystem;

std::string WithSeparator(const std::string& folderGbk) {
    if (folderGbk.empty() || folderGbk.back() == '/') return folderGbk;
    return folderGbk + '/';
}

namespace {

bool HasDrawingSuffix(const std::string& name) {
    return name.size() > 2 && name[name.size() - 2] == '.' && (name.back() == 't' || name.back() == 'T');
}

std::time_t WrittenAt(const fs::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_mtime : 0;
}

}  // namespace

std::vector<FoundDrawing> FindDrawingFiles(const std::string& folderGbk) {
    std::vector<FoundDrawing> found;
    const std::string folder = WithSeparator(folderGbk);
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(ckw::text::GbkToUtf8(folder.empty() ? "./" : folder)), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = ckw::text::Utf8ToGbk(it->path().filename().string());
        std::error_code fileEc;
        if (!HasDrawingSuffix(name) || !it->is_regular_file(fileEc)) continue;
        found.push_back({folder + name, name, WrittenAt(it->path())});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return found;
}

}  // namespace ckw::drawfiles
