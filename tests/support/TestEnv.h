#pragma once
// Test isolation: every test program runs with its own temporary HOME and XDG directories.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ckw::test {

// A fresh temporary directory, removed when the object goes.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ckwtest.XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (!made) throw std::runtime_error("mkdtemp failed");
        m_path = made;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Points HOME, XDG_CONFIG_HOME, XDG_CONFIG_DIRS and XDG_DATA_HOME at a new temporary tree for
// its lifetime, and puts the previous values back afterwards.
class ScopedXdgHome {
public:
    ScopedXdgHome() {
        auto root = m_dir.path();
        Set("HOME", root / "home");
        Set("XDG_CONFIG_HOME", root / "config");
        Set("XDG_CONFIG_DIRS", root / "etc-xdg");
        Set("XDG_DATA_HOME", root / "data");
    }
    ~ScopedXdgHome() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }
    ScopedXdgHome(const ScopedXdgHome&) = delete;
    ScopedXdgHome& operator=(const ScopedXdgHome&) = delete;
    const std::filesystem::path& root() const { return m_dir.path(); }

private:
    void Set(const char* name, const std::filesystem::path& dir) {
        std::filesystem::create_directories(dir);
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, dir.c_str(), 1);
    }
    TempDir m_dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

// Switches the C library's numbers to a locale that writes decimals with a comma (as a toolkit
// may), built into a temporary folder; back to "C" when the object goes. active() is false where
// the locale sources (package locales) are missing.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        setenv("LOCPATH", m_dir.path().c_str(), 1);
        const std::string made =
            "localedef -i de_DE -f UTF-8 '" + (m_dir.path() / "de_DE.UTF-8").string() + "' 2>/dev/null";
        m_active = std::system(made.c_str()) == 0 && std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        unsetenv("LOCPATH");
    }
    ~CommaDecimalLocale() { std::setlocale(LC_NUMERIC, "C"); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;
    bool active() const { return m_active; }

private:
    TempDir m_dir;
    bool m_active = false;
};

class IsolatedHome : public ::testing::Environment {
public:
    void SetUp() override { m_home = std::make_unique<ScopedXdgHome>(); }
    void TearDown() override { m_home.reset(); }

private:
    std::unique_ptr<ScopedXdgHome> m_home;
};

}  // namespace ckw::test
