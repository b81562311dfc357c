#pragma once
// Drawing-file tests: a configuration directory, the reference engine as m_pCfg, and real .T
// drawings made through the library (entities drawn with the host calls, the drawing-information
// record written with kwWrite_DrawingInfo) and saved by the engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <ckw/DrawingRecords.h>
#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"
#include "support/ParaFixture.h"

namespace ckw::test {

namespace fs = std::filesystem;

inline std::string G(const std::u8string& utf8) { return ckw::text::Utf8ToGbk(ckw::text::U8(utf8)); }
inline dlg::DialogScript Steps(const std::string& utf8) { return dlg::DialogScript::Parse(utf8); }

class DrawFilesFixture : public ParaFixture {
protected:
    void SetUp() override {
        ParaFixture::SetUp();
        m_previous = m_pCfg;
        m_pCfg = &eng;
        m_dir = m_home.root() / "drawings";
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        m_pCfg = m_previous;
        ParaFixture::TearDown();
    }

    // Starts a new drawing on a free unit (made current); the caller draws into it through m_pCfg.
    int Begin() { return eng.NewDrawing(); }
    void Layer(int number, const std::string& nameGbk) {
        engine::LayerInfo layer;
        layer.number = number;
        layer.name = nameGbk;
        eng.Current().DefineLayer(layer);
    }
    void Line(int layer, float x1, float y1, float x2, float y2) {
        m_pCfg->HostSetPen(layer, 1, 0, 7, 1);
        m_pCfg->HostDrawLine(x1, y1, x2, y2);
    }
    // Saves the current drawing and closes its unit (the drawing before it becomes current).
    fs::path Save(const std::string& fileName) {
        fs::path file = m_dir / fileName;
        std::string error;
        EXPECT_TRUE(eng.Save(0, file, error)) << error;
        eng.Close(eng.CurrentUnit());
        return file;
    }
    // A drawing that carries only its drawing-information record.
    fs::path InfoDrawing(const std::string& fileName, int kind, const std::string& nameGbk, int floor, int scale) {
        Begin();
        Layer(1, "PLAN");
        Line(1, 0, 0, 100, 0);
        kwWrite_DrawingInfo(kind, nameGbk.c_str(), floor, scale);
        return Save(fileName);
    }
    std::vector<engine::Entity> Live(int kind, int unit = 0) {
        std::vector<engine::Entity> found;
        for (const auto& e : eng.DrawingOn(unit)->Entities())
            if (!e.deleted && e.kind == kind) found.push_back(e);
        return found;
    }
    void Input(const std::string& script) {
        std::string error;
        ASSERT_TRUE(eng.LoadInputScript(script, error)) << error;
    }

    engine::ReferenceEngine eng;
    HostEngine* m_previous = nullptr;
    fs::path m_dir;
};

}  // namespace ckw::test
