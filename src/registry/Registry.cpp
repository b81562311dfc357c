#include "registry/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include "base/GbkText.h"
#include "platform/FileCopy.h"
#include "registry/RegDocument.h"

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

// A registry file as read: missing (an empty registry), read, or not usable. A file that cannot
// be read (other than missing) or is damaged is never rewritten: its values would be lost.
struct Loaded {
    RegDocument doc;
    std::string problem;  // UTF-8; empty = usable
};

// What the last read of this thread could not read, for a caller to tell a missing value from
// one it could not read.
thread_local std::string t_lastReadProblem;
// Why the last write of this thread failed, for a message that names the real cause.
thread_local std::string t_lastWriteProblem;

bool WriteFails(std::string problem) {
    t_lastWriteProblem = std::move(problem);
    return false;
}

Loaded Load(const fs::path& file) {
    Loaded loaded;
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Missing, or no directory where the file's would be: an empty registry.
        if (errno != ENOENT && errno != ENOTDIR) loaded.problem = file.string() + ": " + std::strerror(errno);
        return loaded;
    }
    std::string text;
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            loaded.problem = file.string() + ": " + std::strerror(errno);
            break;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!loaded.problem.empty()) return loaded;
    loaded.doc = RegDocument::Parse(text);
    if (loaded.doc.damaged()) {
        loaded.problem = file.string() + ": not a registry file (damaged)";
        loaded.doc = RegDocument();
    }
    return loaded;
}

// Writers of one registry file take turns: each reads, changes and replaces the file while it
// holds the lock on the file's directory (a lock on the file itself would go with the file
// that the rename replaces).
class DirectoryLock {
public:
    explicit DirectoryLock(const fs::path& directory) {
        std::error_code ec;
        fs::create_directories(directory, ec);
        m_fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0) return;
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(m_fd);
            m_fd = -1;
            return;
        }
    }
    ~DirectoryLock() {
        if (m_fd >= 0) ::close(m_fd);
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Writes a temporary file next to the target and renames it over the target, so a reader sees
// the old file or the new one, never a part.
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
bool Write(Hive hive, const std::string& keyGbk, const std::string& nameGbk, const std::string& valueGbk, Change change,
           bool userFileOnly = false) {
    t_lastWriteProblem.clear();
    // A .reg line cannot hold a line break; writing one would damage the file.
    if (HasLineBreak(keyGbk) || HasLineBreak(nameGbk) || HasLineBreak(valueGbk))
        return WriteFails("a registry value cannot hold a line break");
    std::string key = FullKey(hive, keyGbk);
    std::string name = text::GbkToUtf8(nameGbk);
    if (hive == Hive::LocalMachine) {
        fs::path machineFile = FileRegistry::MachineFile();
        DirectoryLock lock(machineFile.parent_path());
        Loaded machine = Load(machineFile);
        if (!machine.problem.empty()) return WriteFails(machine.problem);
        bool shadowing = machine.doc.HasValue(key, name);
        if (!userFileOnly && lock.held()) {
            change(machine.doc, key, name);
            if (SaveAtomically(machineFile, machine.doc.Serialize())) return true;
        }
        if (shadowing)
            return WriteFails(machineFile.string() + " (machine-wide) holds this value, which takes precedence");
    }
    fs::path userFile = FileRegistry::UserFile();
    DirectoryLock lock(userFile.parent_path());
    if (!lock.held()) return WriteFails(userFile.parent_path().string() + ": " + std::strerror(errno));
    Loaded user = Load(userFile);
    if (!user.problem.empty()) return WriteFails(user.problem);
    change(user.doc, key, name);
    if (SaveAtomically(userFile, user.doc.Serialize())) return true;
    return WriteFails("cannot write " + userFile.string() + ": " + std::strerror(errno));
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

// Loads a file for a read, noting what could not be read.
RegDocument LoadForReading(const fs::path& file) {
    Loaded loaded = Load(file);
    if (!loaded.problem.empty() && t_lastReadProblem.empty()) t_lastReadProblem = loaded.problem;
    return std::move(loaded.doc);
}

bool FileRegistry::KeyExists(Hive hive, const std::string& key) {
    t_lastReadProblem.clear();
    std::string full = FullKey(hive, key);
    if (hive == Hive::LocalMachine && LoadForReading(MachineFile()).HasKey(full)) return true;
    return LoadForReading(UserFile()).HasKey(full);
}

std::optional<std::string> FileRegistry::GetString(Hive hive, const std::string& key, const std::string& name) {
    std::string full = FullKey(hive, key);
    std::string n = text::GbkToUtf8(name);
    std::optional<std::string> value;
    t_lastReadProblem.clear();
    if (hive == Hive::LocalMachine) value = LoadForReading(MachineFile()).GetString(full, n);
    if (!value) value = LoadForReading(UserFile()).GetString(full, n);
    if (value) return text::Utf8ToGbk(*value);
    return std::nullopt;
}

std::optional<uint32_t> FileRegistry::GetDword(Hive hive, const std::string& key, const std::string& name) {
    std::string full = FullKey(hive, key);
    std::string n = text::GbkToUtf8(name);
    std::optional<uint32_t> value;
    t_lastReadProblem.clear();
    if (hive == Hive::LocalMachine) value = LoadForReading(MachineFile()).GetDword(full, n);
    if (!value) value = LoadForReading(UserFile()).GetDword(full, n);
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

std::optional<std::string> FileRegistry::LastWriteProblem() {
    if (t_lastWriteProblem.empty()) return std::nullopt;
    return t_lastWriteProblem;
}

std::optional<std::string> FileRegistry::LastReadProblem() {
    if (t_lastReadProblem.empty()) return std::nullopt;
    return t_lastReadProblem;
}

struct RegistrySnapshot::Files {
    Loaded machine = Load(FileRegistry::MachineFile());
    Loaded user = Load(FileRegistry::UserFile());

    // The document a read of hive looks in first (machine values hide the user's), or only.
    template <typename Read>
    auto Lookup(Hive hive, Read read) {
        t_lastReadProblem.clear();
        auto Note = [](const Loaded& loaded) {
            if (!loaded.problem.empty() && t_lastReadProblem.empty()) t_lastReadProblem = loaded.problem;
        };
        if (hive == Hive::LocalMachine) {
            Note(machine);
            if (auto value = read(machine.doc)) return value;
        }
        Note(user);
        return read(user.doc);
    }
    // A value written to a file, as the reads after it would find it there.
    RegDocument& Written(Hive hive) { return hive == Hive::LocalMachine ? machine.doc : user.doc; }
};

RegistrySnapshot::RegistrySnapshot() : m_files(std::make_unique<Files>()) {}
RegistrySnapshot::~RegistrySnapshot() = default;

bool RegistrySnapshot::KeyExists(Hive hive, const std::string& key) {
    const std::string full = FullKey(hive, key);
    return m_files
        ->Lookup(hive,
                 [&](const RegDocument& doc) { return doc.HasKey(full) ? std::optional<bool>(true) : std::nullopt; })
        .has_value();
}

std::optional<std::string> RegistrySnapshot::GetString(Hive hive, const std::string& key, const std::string& name) {
    const std::string full = FullKey(hive, key), n = text::GbkToUtf8(name);
    auto value = m_files->Lookup(hive, [&](const RegDocument& doc) { return doc.GetString(full, n); });
    if (value) return text::Utf8ToGbk(*value);
    return std::nullopt;
}

std::optional<uint32_t> RegistrySnapshot::GetDword(Hive hive, const std::string& key, const std::string& name) {
    const std::string full = FullKey(hive, key), n = text::GbkToUtf8(name);
    return m_files->Lookup(hive, [&](const RegDocument& doc) { return doc.GetDword(full, n); });
}

bool RegistrySnapshot::SetString(Hive hive, const std::string& key, const std::string& name, const std::string& value) {
    if (!FileRegistry().SetString(hive, key, name, value)) return false;
    m_files->Written(hive).SetString(FullKey(hive, key), text::GbkToUtf8(name), text::GbkToUtf8(value));
    return true;
}

bool RegistrySnapshot::SetDword(Hive hive, const std::string& key, const std::string& name, uint32_t value) {
    if (!FileRegistry().SetDword(hive, key, name, value)) return false;
    m_files->Written(hive).SetDword(FullKey(hive, key), text::GbkToUtf8(name), value);
    return true;
}

bool RegistrySnapshot::SetStringForUser(Hive hive, const std::string& key, const std::string& name,
                                        const std::string& value) {
    if (!FileRegistry().SetStringForUser(hive, key, name, value)) return false;
    m_files->Written(hive).SetString(FullKey(hive, key), text::GbkToUtf8(name), text::GbkToUtf8(value));
    return true;
}

Registry& Current() {
    static FileRegistry files;
    Registry* chosen = Override();
    return chosen ? *chosen : files;
}

void SetCurrent(Registry* registry) { Override() = registry; }

}  // namespace ckw::registry
