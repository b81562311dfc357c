#pragma once
// A configuration directory with a small system library, recorded in a temporary registry, and a
// recording Ui that answers the library's questions. The library under test is m_exDrawingPara.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <ckw/DrawingPara.h>
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/RecordingUi.h"
#include "registry/Registry.h"
#include "dao/SqlScript.h"
#include "support/TestEnv.h"

namespace ckw::test {

// The small system library the parameter tests start from (UTF-8 SQL).
std::string SmallSystemLibrarySql();

class ParaFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path SystemLib() const { return m_cfg / ckw::text::U8(u8"绘图参数.mdb"); }
    std::filesystem::path UserLib() const { return m_cfg / ckw::text::U8(u8"用户绘图参数.mdb"); }
    std::string CfgGbk() const { return ckw::text::Utf8ToGbk(m_cfg.string()); }

    // Writes the system library from SQL (default: the small library).
    void WriteSystemLibrary(const std::string& sqlUtf8 = SmallSystemLibrarySql());
    // Writes a user library from SQL, as if it had been made by an earlier start.
    void WriteUserLibrary(const std::string& sqlUtf8 = SmallSystemLibrarySql());
    // Runs GBK SQL on one of the libraries.
    static void Exec(const std::filesystem::path& library, const std::string& sqlGbk);
    // First value of a GBK query, as text.
    static std::string Scalar(const std::filesystem::path& library, const std::string& sqlGbk);
    // Every message box text shown so far (GBK).
    std::vector<std::string> Messages() const;
    bool Shown(const std::string& gbk) const;

    ScopedXdgHome m_home;
    std::filesystem::path m_cfg;
    ckw::ui::RecordingUi m_ui;
};

}  // namespace ckw::test
