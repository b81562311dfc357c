#include "Configuration.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "registry/Registry.h"
#include "dao/SqlScript.h"
#include <ckw/ReferenceEngine.h>

extern const unsigned char kEmbeddedSystemLibrarySql[];
extern const std::size_t kEmbeddedSystemLibrarySql_size;
extern const unsigned char kEmbeddedBTLText[];
extern const std::size_t kEmbeddedBTLText_size;
extern const unsigned char kEmbeddedHQLText[];
extern const std::size_t kEmbeddedHQLText_size;

namespace kwutil {
namespace fs = std::filesystem;
namespace reg = ckw::registry;

namespace {

const char* const kPathKey = "Software\\KELO\\MAIN\\PATH";

std::string SystemLibraryName() { return ckw::text::U8(u8"绘图参数.mdb"); }

fs::path DefaultConfigurationDir() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome) return fs::path(dataHome) / "kelo" / "cfg";
    const char* home = std::getenv("HOME");
    if (!home || !*home) throw std::runtime_error("neither XDG_DATA_HOME nor HOME is set");
    return fs::path(home) / ".local" / "share" / "kelo" / "cfg";
}

}  // namespace

std::string Utf8(const char* gbk) { return ckw::text::GbkToUtf8(gbk ? gbk : ""); }
std::string Utf8(const std::string& gbk) { return ckw::text::GbkToUtf8(gbk); }
std::string Gbk(const std::string& utf8) { return ckw::text::Utf8ToGbk(utf8); }

std::string Shown(const std::string& typed) {
    if (ckw::text::IsValidUtf8(typed)) return typed;
    std::string shown;
    for (const char c : typed) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            shown += c;
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
    return shown + " (not UTF-8 text)";
}

void InstallTitleBlocks(const fs::path& dir, bool replace) {
    struct Embedded {
        const char* file;
        const unsigned char* text;
        std::size_t size;
    };
    const Embedded blocks[] = {{"BTL.T", kEmbeddedBTLText, kEmbeddedBTLText_size},
                               {"HQL.T", kEmbeddedHQLText, kEmbeddedHQLText_size}};
    fs::create_directories(dir);
    for (const Embedded& block : blocks) {
        fs::path target = dir / block.file;
        if (!replace && fs::exists(target)) continue;
        std::istringstream text(std::string(reinterpret_cast<const char*>(block.text), block.size));
        ckw::engine::Drawing drawing;
        std::string error;
        if (!ckw::engine::ReadDrawingText(text, drawing, error) ||
            !ckw::engine::WriteDrawingFile(target, drawing, error))
            throw std::runtime_error(target.string() + ": " + error);
    }
}

void InstallConverter(const fs::path& dir) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return;
    fs::path bin = self.parent_path();
    for (const fs::path& candidate :
         {bin / "TdwgConv", bin / ".." / "libexec" / "TdwgConv", bin / ".." / "bin" / "TdwgConv"}) {
        if (!fs::is_regular_file(candidate, ec)) continue;
        // Copied beside the parameter library and renamed into place, so a running one is not cut.
        fs::path temp = dir / ".TdwgConv.copying";
        fs::copy_file(candidate, temp, fs::copy_options::overwrite_existing, ec);
        if (!ec) fs::rename(temp, dir / "TdwgConv", ec);
        if (ec) {
            fs::remove(temp, ec);
            std::cerr << "kwutil: cannot copy the converter into " << dir.string() << "\n";
        }
        return;
    }
}

void SetUpConfiguration(const fs::path& dir) {
    // The directory is recorded as text: a name that is not UTF-8 would come back as another name.
    const std::string absolute = fs::absolute(dir).lexically_normal().string();
    if (!ckw::text::IsValidUtf8(absolute))
        throw std::runtime_error("cannot record the directory name " + Shown(absolute) +
                                 ": it would read back as another name; choose a name in UTF-8");
    // The drawing programs read the recorded directory into 260 bytes; a longer one would fail them all.
    constexpr size_t kLongestRecordedPath = 259;
    if (Gbk(absolute).size() > kLongestRecordedPath)
        throw std::runtime_error("cannot record the directory name " + absolute + ": it is longer than the " +
                                 std::to_string(kLongestRecordedPath) + " bytes the drawing programs read");
    fs::create_directories(dir);
    InstallTitleBlocks(dir, false);  // a title block the user changed stays
    InstallConverter(dir);
    std::string sql(reinterpret_cast<const char*>(kEmbeddedSystemLibrarySql), kEmbeddedSystemLibrarySql_size);
    ckw::dao::CreateDatabaseFromSql(sql, (dir / SystemLibraryName()).string());
    if (!reg::Current().SetStringForUser(reg::Hive::LocalMachine, kPathKey, "CFG", Gbk(absolute))) {
        const auto why = reg::FileRegistry::LastWriteProblem();
        throw std::runtime_error("cannot record the configuration directory in " +
                                 reg::FileRegistry::UserFile().string() + ": " + why.value_or("the write failed"));
    }
}

fs::path EnsureConfiguration() {
    auto recorded = reg::Current().GetString(reg::Hive::LocalMachine, kPathKey, "CFG");
    // A registry file that cannot be read may hold the recorded directory: setting up another
    // one would write over it.
    if (!recorded)
        if (auto problem = reg::FileRegistry::LastReadProblem())
            throw std::runtime_error("cannot read the registry file " + *problem +
                                     "; it is kept as it is: repair or remove it");
    // A recorded directory is the user's choice, even when it is unreachable just now.
    if (recorded) return fs::path(Utf8(*recorded));
    fs::path dir = DefaultConfigurationDir();
    std::cerr << "kwutil: setting up the default configuration in " << dir.string() << "\n";
    SetUpConfiguration(dir);
    return dir;
}

}  // namespace kwutil
