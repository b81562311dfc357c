#include "framework/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/GbkText.h"
#include "framework/FileCopy.h"
#include "framework/RegDocument.h"

namespace ckw::registry {
namespace {

namespace fs = std::filesystem;

std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

// Full key path in UTF-8: the hive's root, then the caller's key.
std::string FullKey(Hive hive, const std::string& keyGbk) {
    std::string key = text::GbkToUtf8(keyGbk);
    while (!key.empty() && key.front() == '\\') key.erase(0, 1);
    return std::string(hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + key;
}

RegDocument Load(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return RegDocument::Parse(text.str());
}

// A reader sees the old file or the new one, never a part.
bool SaveAtomically(const fs::path& file, const std::string& content) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return ckw::fs::WriteFileReplacing(file.string(), content);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Applies a change to the file of the hive. A HKEY_LOCAL_MACHINE change goes to the machine
// file, or to the user file when the machine file cannot be written or userFileOnly is set;
// there it fails when the machine file holds the value, which would hide the one written.
template <typename Change>
bool Write(Hive hive, const std::string& keyGbk, const std::string& nameGbk, const std::string& valueGbk,
           Change change, bool userFileOnly = false) {
    // A .reg line cannot hold a line break; writing one would damage the file.
    if (HasLineBreak(keyGbk) || HasLineBreak(nameGbk) || HasLineBreak(valueGbk)) return false;
    std::string key = FullKey(hive, keyGbk);
    std::string name = text::GbkToUtf8(nameGbk);
    if (hive == Hive::LocalMachine) {
        fs::path machineFile = FileRegistry::MachineFile();
        RegDocument machine = Load(machineFile);
        bool shadowing = machine.HasValue(key, name);
        if (!userFileOnly) {
            change(machine, key, name);
            if (SaveAtomically(machineFile, machine.Serialize())) return true;
        }
        if (shadowing) return false;
    }
    fs::path userFile = FileRegistry::UserFile();
    RegDocument user = Load(userFile);
    change(user, key, name);
    return SaveAtomically(userFile, user.Serialize());
}

Registry*& Override() {
    static Registry* registry = nullptr;
    return registry;
}

}  // namespace

fs::path FileRegistry::MachineFile() {
    fs::path dir = "/etc/xdg";
    if (const char* dirs = std::getenv("XDG_CONFIG_DIRS")) {
        std::string_view list = dirs;
        while (!list.empty()) {
            size_t colon = list.find(':');
            std::string_view entry = list.substr(0, colon);
            if (!entry.empty() && entry[0] == '/') {
                dir = fs::path(entry);
                break;
            }
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    return dir / "kelo" / "machine.reg";
}

fs::path FileRegistry::UserFile() {
    const char* home = std::getenv("XDG_CONFIG_HOME");
    fs::path dir = (home && home[0] == '/') ? fs::path(home) : fs::path(HomeDir()) / ".config";
    return dir / "kelo" / "user.reg";
}

bool FileRegistry::KeyExists(Hive hive, const std::string& key) {
    std::string full = FullKey(hive, key);
    if (hive == Hive::LocalMachine && Load(MachineFile()).HasKey(full)) return true;
    return Load(UserFile()).HasKey(full);
}

std::optional<std::string> FileRegistry::GetString(Hive hive, const std::string& key, const std::string& name) {
    std::string full = FullKey(hive, key);
    std::string n = text::GbkToUtf8(name);
    std::optional<std::string> value;
    if (hive == Hive::LocalMachine) value = Load(MachineFile()).GetString(full, n);
    if (!value) value = Load(UserFile()).GetString(full, n);
    if (value) return text::Utf8ToGbk(*value);
    return std::nullopt;
}

std::optional<uint32_t> FileRegistry::GetDword(Hive hive, const std::string& key, const std::string& name) {
    std::string full = FullKey(hive, key);
    std::string n = text::GbkToUtf8(name);
    std::optional<uint32_t> value;
    if (hive == Hive::LocalMachine) value = Load(MachineFile()).GetDword(full, n);
    if (!value) value = Load(UserFile()).GetDword(full, n);
    return value;
}

bool FileRegistry::SetString(Hive hive, const std::string& key, const std::string& name, const std::string& value) {
    std::string utf8 = text::GbkToUtf8(value);
    return Write(hive, key, name, value,
                 [&](RegDocument& doc, const std::string& k, const std::string& n) { doc.SetString(k, n, utf8); });
}

bool FileRegistry::SetDword(Hive hive, const std::string& key, const std::string& name, uint32_t value) {
    return Write(hive, key, name, {},
                 [&](RegDocument& doc, const std::string& k, const std::string& n) { doc.SetDword(k, n, value); });
}

bool FileRegistry::SetStringForUser(Hive hive, const std::string& key, const std::string& name,
                                    const std::string& value) {
    std::string utf8 = text::GbkToUtf8(value);
    return Write(
        hive, key, name, value,
        [&](RegDocument& doc, const std::string& k, const std::string& n) { doc.SetString(k, n, utf8); }, true);
}

Registry& Current() {
    static FileRegistry files;
    Registry* chosen = Override();
    return chosen ? *chosen : files;
}

void SetCurrent(Registry* registry) { Override() = registry; }

}  // namespace ckw::registry
