#pragma once
// The registry stand-in: keys and values in Windows ".reg" text files (UTF-8).
//   machine (HKEY_LOCAL_MACHINE): <first of $XDG_CONFIG_DIRS, default /etc/xdg>/kelo/machine.reg
//   user    (HKEY_CURRENT_USER):  <$XDG_CONFIG_HOME, default ~/.config>/kelo/user.reg
// A HKEY_LOCAL_MACHINE key missing from the machine file is looked up in the user file, so a
// user without root can keep a configuration of their own. Names and values at this interface
// are GBK.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace ckw::registry {

enum class Hive { LocalMachine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(Hive hive, const std::string& key) = 0;
    virtual std::optional<std::string> GetString(Hive hive, const std::string& key, const std::string& name) = 0;
    virtual std::optional<uint32_t> GetDword(Hive hive, const std::string& key, const std::string& name) = 0;
    // Writes create the key; a HKEY_LOCAL_MACHINE write goes to the user file when the machine
    // file cannot be written. Writes are atomic (temporary file, rename). false = not written.
    virtual bool SetString(Hive hive, const std::string& key, const std::string& name, const std::string& value) = 0;
    virtual bool SetDword(Hive hive, const std::string& key, const std::string& name, uint32_t value) = 0;
    // Writes into the user's own file even for HKEY_LOCAL_MACHINE: the configuration of one user,
    // made without touching the machine's. By default the same as SetString.
    virtual bool SetStringForUser(Hive hive, const std::string& key, const std::string& name,
                                  const std::string& value) {
        return SetString(hive, key, name, value);
    }
};

// The registry of the two files above. Paths come from the environment at each use, and every
// call reads the file afresh, so other programs' writes are seen at once. A missing file is an
// empty registry; a damaged line is skipped (and kept by a rewrite). A file that cannot be read
// or is no registry file reads as empty and is never rewritten: writes to it return false.
// Writers of one file take turns under a lock. A HKEY_LOCAL_MACHINE write that falls back to the
// user file returns false when the machine file holds that value, since the machine value would
// hide the one written.
class FileRegistry : public Registry {
public:
    bool KeyExists(Hive hive, const std::string& key) override;
    std::optional<std::string> GetString(Hive hive, const std::string& key, const std::string& name) override;
    std::optional<uint32_t> GetDword(Hive hive, const std::string& key, const std::string& name) override;
    bool SetString(Hive hive, const std::string& key, const std::string& name, const std::string& value) override;
    bool SetDword(Hive hive, const std::string& key, const std::string& name, uint32_t value) override;
    bool SetStringForUser(Hive hive, const std::string& key, const std::string& name,
                          const std::string& value) override;

    // What the last read of this thread (KeyExists, GetString, GetDword) could not read (UTF-8:
    // the file and the reason), so that a value that could not be read is not taken for a
    // missing one; a missing file is no problem.
    static std::optional<std::string> LastReadProblem();
    // Why the last write of this thread returned false (UTF-8), e.g. the user folder is read-only
    // or a machine-wide value hides the one written.
    static std::optional<std::string> LastWriteProblem();

    static std::filesystem::path MachineFile();
    static std::filesystem::path UserFile();
};

// The two files read once, for one run of a command: every read is answered from what they held
// when it was made, so that a file that changes or cannot be read halfway does not leave the run
// half configured; LastReadProblem tells after each read what could not be read then. Writes go
// to the files as FileRegistry's do, and the reads after them see the value written.
class RegistrySnapshot : public Registry {
public:
    RegistrySnapshot();
    ~RegistrySnapshot() override;
    bool KeyExists(Hive hive, const std::string& key) override;
    std::optional<std::string> GetString(Hive hive, const std::string& key, const std::string& name) override;
    std::optional<uint32_t> GetDword(Hive hive, const std::string& key, const std::string& name) override;
    bool SetString(Hive hive, const std::string& key, const std::string& name, const std::string& value) override;
    bool SetDword(Hive hive, const std::string& key, const std::string& name, uint32_t value) override;
    bool SetStringForUser(Hive hive, const std::string& key, const std::string& name,
                          const std::string& value) override;

private:
    struct Files;
    std::unique_ptr<Files> m_files;
};

// The registry the library uses: the file registry of the environment unless a test set another.
Registry& Current();
// nullptr restores the default. The caller keeps ownership.
void SetCurrent(Registry* registry);

}  // namespace ckw::registry
