// Importing through stand-in converters (one that writes a drawing made with the engine, one that
// fails), the "$_" layers with their own numbers, and the transforms of the imported entities
// next to the user's own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "DrawFilesFixture.h"
#include <ckw/DrawingFiles.h>
#include "drawfiles/DwgImport.h"
#include "drawfiles/ImportedEntities.h"

namespace ckw::test {
namespace {

class ImportTest : public DrawFilesFixture {
protected:
    void SetUp() override {
        DrawFilesFixture::SetUp();
        // The user's drawing: layer 1 "轴线" with a line and a circle.
        Layer(1, G(u8"轴线"));
        Line(1, 0, 0, 50, 0);
        m_pCfg->HostDrawArc(0, 0, 5, 0, 360);
        m_user = eng.Current().Entities();
        // What the converter makes of a DWG: layer 1 "WALL" with two lines, layer 2 "TEXT".
        Begin();
        Layer(1, "WALL");
        Layer(2, "TEXT");
        Line(1, 0, 0, 10, 0);
        Line(1, 0, 0, 0, 10);
        m_pCfg->HostSetPen(2, 1, 0, 7, 1);
        m_pCfg->HostDrawArc(0, 0, 2, 0, 360);
        m_converted = Save("converted.T");
        m_dwg = m_dir / "plan.dwg";
        std::ofstream(m_dwg) << "a drawing\n";
    }
    void Converter(const std::string& body) {
        const fs::path script = m_cfg / "TdwgConv";
        std::ofstream(script) << "#!/bin/sh\n" << body;
        ::chmod(script.c_str(), 0755);
    }
    // Read_Dwg's open-file dialog is answered by the dialog script.
    void ImportChosen(const fs::path& chosen) {
        dlg::ScriptSession session(Steps("file \"" + chosen.string() + "\"\nok\n"));
        Read_Dwg();
        EXPECT_TRUE(session.Succeeded()) << session.Report();
    }
    // The user's own entities, exactly as they were.
    void ExpectUserUntouched() {
        for (const auto& before : m_user) {
            auto at = eng.Current().Find(before.id0);
            ASSERT_TRUE(at);
            EXPECT_EQ(eng.Current().Entities()[*at], before);
        }
    }
    std::vector<engine::Entity> m_user;
    fs::path m_converted, m_dwg;
};

TEST_F(ImportTest, ConvertsInsertsUnderOwnLayersAndDoesNotStackThePrefix) {
    Converter("cp '" + m_converted.string() + "' \"$(dirname \"$1\")/PLAN.T\"\ntest \"$2\" = 1\n");
    ImportChosen(m_dwg);
    ASSERT_TRUE(fs::exists(m_dir / "PLAN.T"));
    auto& d = eng.Current();
    // "WALL" met the user's layer 1: it gets a number of its own, and its lines follow it.
    ASSERT_TRUE(d.Layer(1));
    EXPECT_EQ(d.Layer(1)->name, G(u8"轴线"));
    int wall = 0, text = 0;
    for (int n = 1; n < 10; ++n) {
        auto layer = d.Layer(n);
        if (layer && layer->name == "$_WALL") wall = n;
        if (layer && layer->name == "$_TEXT") text = n;
    }
    EXPECT_EQ(wall, 3);
    EXPECT_EQ(text, 2) << "a free number is kept";
    EXPECT_EQ(Live(engine::kLine).size(), 3u);
    EXPECT_EQ(Live(engine::kLine)[1].Layer(), wall);
    ExpectUserUntouched();

    // The same drawing again: the same layers, no "$_$_".
    ImportChosen(m_dir / "PLAN.T");
    for (const auto& e : Live(engine::kLayerEntry)) EXPECT_NE(e.text.rfind("$_$_", 0), 0u) << e.text;
    EXPECT_EQ(Live(engine::kLine).size(), 5u);
    EXPECT_EQ(Live(engine::kLine)[4].Layer(), wall);
}

TEST_F(ImportTest, AFailedConversionShowsItsMessageAndInsertsNothing) {
    std::ofstream(m_dir / "PLAN.T") << "left over";  // must not be taken for the conversion
    Converter("echo 'plan.dwg: not a DWG file' >&2\nexit 1\n");
    dlg::ScriptSession session(
        Steps("file \"" + m_dwg.string() + "\"\nanswer no PLAN.T\nanswer ok \"not a DWG file\"\n"));
    Read_Dwg();
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(eng.Current().Entities(), m_user);
    std::ifstream kept(m_dir / "PLAN.T");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "left over");

    // A converter that says it worked but wrote nothing.
    fs::remove(m_dir / "PLAN.T");
    Converter("exit 0\n");
    EXPECT_FALSE(drawfiles::PrepareImport(ckw::text::Utf8ToGbk(m_dwg.string()), drawfiles::ConverterPath()).ok);
    // No converter at all.
    fs::remove(m_cfg / "TdwgConv");
    EXPECT_FALSE(drawfiles::PrepareImport(ckw::text::Utf8ToGbk(m_dwg.string()), drawfiles::ConverterPath()).ok);
}

TEST_F(ImportTest, WhatTheConverterLeftOutIsShownAfterTheImport) {
    Converter("cp '" + m_converted.string() + "' \"$(dirname \"$1\")/PLAN.T\"\n" +
              "echo 'plan.dwg -> PLAN.T'\necho 'kind read written skipped  why'\necho 'LINE 2 2 0'\n"
              "echo 'HATCH 3 0 3  not supported 3'\necho 'total 5 2'\n");
    dlg::ScriptSession session(
        Steps("file \"" + m_dwg.string() + "\"\nok\nanswer ok \"HATCH 3 0 3  not supported 3\"\n"));
    Read_Dwg();
    EXPECT_TRUE(session.Succeeded()) << session.Report();
    EXPECT_EQ(Live(engine::kLine).size(), 3u) << "the import itself is done";

    const std::string report =
        "kind read written skipped  why\nLINE 2 2 0\nTEXT 1 1 0\n"
        "characters GBK cannot hold (written as ?): 2\ntotal 3 3\n";
    EXPECT_EQ(drawfiles::LeftOutLines(report), "characters GBK cannot hold (written as ?): 2\n");
    EXPECT_EQ(drawfiles::LeftOutLines("LINE 2 2 0\ntotal 2 2\n"), "") << "nothing to say: no message";
}

// A drawing of the converter's output name is the user's until they say otherwise: kept (the
// conversion goes to a fresh name, which the prompt line names) unless they agree to replace it.
TEST_F(ImportTest, AnExistingDrawingOfTheOutputNameIsReplacedOnlyWithConsent) {
    const fs::path mine = m_dir / "PLAN.T";
    fs::copy_file(m_converted, mine);
    std::ofstream(mine, std::ios::app) << "the user's";
    const auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes(mine);
    Converter("cp '" + m_converted.string() + "' \"$(dirname \"$1\")/PLAN.T\"\n");
    dlg::ScriptSession no(Steps("file \"" + m_dwg.string() + "\"\nanswer no PLAN.T\nok\n"));
    Read_Dwg();
    EXPECT_TRUE(no.Succeeded()) << no.Report();
    EXPECT_EQ(bytes(mine), before);
    EXPECT_EQ(bytes(m_dir / "PLAN-1.T"), bytes(m_converted));
    EXPECT_EQ(eng.PromptLine(), G(u8"转换结果已写入") + ckw::text::Utf8ToGbk((m_dir / "PLAN-1.T").string()));
    EXPECT_EQ(Live(engine::kLine).size(), 3u);

    dlg::ScriptSession yes(Steps("file \"" + m_dwg.string() + "\"\nanswer yes PLAN.T\nok\n"));
    Read_Dwg();
    EXPECT_TRUE(yes.Succeeded()) << yes.Report();
    EXPECT_EQ(bytes(mine), bytes(m_converted));
    EXPECT_FALSE(fs::exists(m_dir / "PLAN-2.T"));
}

TEST_F(ImportTest, OwnDrawingsNeedNoConverterAndOutputNamesAreUpperCased) {
    ImportChosen(m_converted);  // no converter installed
    EXPECT_EQ(Live(engine::kLine).size(), 3u);
    EXPECT_EQ(drawfiles::ConvertedDrawingPath("/a/b/plan.dwg"), "/a/b/PLAN.T");
    EXPECT_EQ(drawfiles::ConvertedDrawingPath("/a/Mixed Case/My plan.DXF"), "/a/Mixed Case/MY PLAN.T");
}

TEST_F(ImportTest, TransformsTouchOnlyTheImportedEntities) {
    // Nothing imported yet: nothing selected, the script's answers stay unused.
    Input("point 0 0\npoint 10 10\n");
    EXPECT_EQ(drawfiles::MoveImported(), 0);
    EXPECT_EQ(eng.PendingInput(), 2u);
    eng.SetInput({});

    ImportChosen(m_converted);
    // A block insertion on an imported layer is imported too.
    const int imported = Live(engine::kLine)[1].Layer();
    eng.Current().Blocks()[7] = engine::Block{7, "B", {}, {}};
    m_pCfg->HostSetPen(imported, 1, 0, 7, 1);
    eng.Current().Add(engine::Entity{engine::kBlockInsert, 0, 0, {imported}, {7, 0, 0, 0, 1, 1, 1, 0}, "", {}, false});

    Input("point 0 0\npoint 100 200\n");
    EXPECT_EQ(drawfiles::MoveImported(), 4);  // two lines, a circle, the insertion
    ExpectUserUntouched();
    EXPECT_EQ(Live(engine::kLine)[1].values, (std::vector<float>{100, 200, 110, 200}));
    EXPECT_EQ(Live(engine::kBlockInsert)[0].values[1], 100);

    Input("point 100 200\nvalue 2\n");
    Scale_Dwg();
    EXPECT_EQ(Live(engine::kLine)[1].values, (std::vector<float>{100, 200, 120, 200}));
    Input("point 100 200\nvalue 90\n");
    Rotate_Dwg();
    EXPECT_NEAR(Live(engine::kLine)[1].values[3], 220, 1e-3);
    ExpectUserUntouched();

    Erase_Dwg();
    EXPECT_EQ(Live(engine::kLine).size(), 1u);
    EXPECT_TRUE(Live(engine::kBlockInsert).empty());
    ExpectUserUntouched();
    int selected = -1;
    m_pCfg->HostGetSelectionCount(selected);
    EXPECT_EQ(selected, 0);
}

TEST_F(ImportTest, WhatADrawingHoldsOnLayerZeroIsErasedWithTheRestOfTheImport) {
    // A DXF's block inserts and loose entities on its layer "0", converted.
    Begin();
    Layer(0, "0");
    Line(0, 0, 0, 30, 0);
    eng.Current().Blocks()[7] = engine::Block{7, "B", {}, {}};
    eng.Current().Add(engine::Entity{engine::kBlockInsert, 0, 0, {0}, {7, 0, 0, 0, 1, 1, 1, 0}, "", {}, false});
    ImportChosen(Save("zero.T"));
    ASSERT_EQ(Live(engine::kBlockInsert).size(), 1u);
    EXPECT_GT(Live(engine::kBlockInsert)[0].Layer(), 0) << "an imported layer of its own, not 0";
    Erase_Dwg();
    EXPECT_TRUE(Live(engine::kBlockInsert).empty());
    EXPECT_EQ(Live(engine::kLine).size(), 1u) << "only the user's line";
    ExpectUserUntouched();
}

}  // namespace
}  // namespace ckw::test
