#pragma once
// The settings dialogs on a temporary configuration: the small system library and a user
// library made from it, a mock engine with a recognisable palette (index n shows as RGB n,n,n),
// programs started by the dialogs recorded instead of started, and helpers to play a script.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "dialog/DialogHeadless.h"
#include "platform/Shell.h"
#include "settings/SettingsPaths.h"
#include "support/MockHostEngine.h"
#include "support/ParaFixture.h"

namespace ckw::test {

class RecordingLauncher : public ckw::shell::Launcher {
public:
    bool Start(const std::vector<std::string>& argv) override {
        started.push_back(argv);
        return true;
    }
    std::vector<std::vector<std::string>> started;
};

class SettingsFixture : public ParaFixture {
protected:
    void SetUp() override {
        ParaFixture::SetUp();
        WriteSystemLibrary();
        WriteUserLibrary();
        m_paths = ckw::settings::SettingsPaths::In(CfgGbk().c_str());
        ckw::shell::SetLauncher(&m_launcher);
        using ::testing::_;
        ON_CALL(m_engine, HostColorIndexToRgb(_, _)).WillByDefault([](const int& colour, int& rgb) {
            rgb = (colour & 0xFF) * 0x010101;
        });
        ON_CALL(m_engine, HostRgbToColorIndex(_, _)).WillByDefault([](const int& rgb, int& colour) {
            colour = rgb & 0xFF;
        });
        m_savedEngine = m_pCfg;
        m_pCfg = &m_engine;
    }
    void TearDown() override {
        m_pCfg = m_savedEngine;
        ckw::shell::SetLauncher(nullptr);
        ParaFixture::TearDown();
    }
    // Script text from UTF-8 (the form of script files).
    static ckw::dlg::DialogScript Script(const std::u8string& utf8) {
        return ckw::dlg::DialogScript::Parse(ckw::text::U8(utf8));
    }
    static std::string Gbk(const std::u8string& utf8) { return ckw::text::Utf8ToGbk(ckw::text::U8(utf8)); }
    // A column of a user-library table, rows joined with '|'.
    std::string Column(const std::u8string& table, const std::u8string& field) const {
        return Scalar(UserLib(), Gbk(u8"SELECT group_concat(" + field + u8", '|') FROM " + table));
    }

    ckw::settings::SettingsPaths m_paths;
    RecordingLauncher m_launcher;
    ::testing::NiceMock<MockHostEngine> m_engine;
    HostEngine* m_savedEngine = nullptr;
};

// Fails the test with the session's report unless every step was played without error.
#define EXPECT_SCRIPT_PLAYED(session) EXPECT_TRUE((session).Succeeded()) << (session).Report()

}  // namespace ckw::test
