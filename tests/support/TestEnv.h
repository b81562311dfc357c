#pragma once
// Test isolation: every test program runs with its own temporary HOME and XDG directories.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

// Points HOME, XDG_CONFIG_HOME, XDG_CONFIG_DIRS and XDG_DATA_HOME at a new temporary tree.
class ScopedXdgHome {
public:
    ScopedXdgHome() {
        auto root = m_dir.path();
        for (const char* sub : {"home", "config", "etc-xdg", "data"}) std::filesystem::create_directories(root / sub);
        setenv("HOME", (root / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (root / "etc-xdg").c_str(), 1);
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    const std::filesystem::path& root() const { return m_dir.path(); }

private:
    TempDir m_dir;
};

class IsolatedHome : public ::testing::Environment {
public:
    void SetUp() override { m_home = std::make_unique<ScopedXdgHome>(); }
    void TearDown() override { m_home.reset(); }

private:
    std::unique_ptr<ScopedXdgHome> m_home;
};

}  // namespace ckw::test
