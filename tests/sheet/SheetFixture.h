#pragma once
// A configuration with the small parameter library, a reference engine as m_pCfg driven by an
// input script, and helpers to write block files and look at what was drawn.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>
#include <ckw/Util.h>
#include "support/ParaFixture.h"

namespace ckw::test {

class SheetFixture : public ParaFixture {
protected:
    void SetUp() override {
        ParaFixture::SetUp();
        WriteSystemLibrary(SystemLibrarySql());
        m_exDrawingPara.Init();
        m_previous = m_pCfg;
        m_pCfg = &eng;
    }
    void TearDown() override {
        m_pCfg = m_previous;
        ParaFixture::TearDown();
    }

    // The system library the tests start from: the small one unless a fixture wants another.
    virtual std::string SystemLibrarySql() { return SmallSystemLibrarySql(); }

    void Script(const std::string& text) {
        std::string error;
        ASSERT_TRUE(eng.LoadInputScript(text, error)) << error;
    }
    // Writes a block drawing (its text form) into the configuration directory or a given path.
    void WriteBlock(const std::string& name, const std::string& bodyUtf8) { WriteBlockAt(m_cfg / name, bodyUtf8); }
    static void WriteBlockAt(const std::filesystem::path& file, const std::string& bodyUtf8) {
        std::istringstream text("ckw-drawing-text 1\n" + bodyUtf8);
        engine::Drawing drawing;
        std::string error;
        ASSERT_TRUE(engine::ReadDrawingText(text, drawing, error)) << error;
        ASSERT_TRUE(engine::WriteDrawingFile(file, drawing, error)) << error;
    }
    // A 180 x 56 title block and a 20 x 100 countersign strip, with a text each.
    void WriteStandardBlocks() {
        WriteBlock("BTL.T", "line layer=7 values=0,0,180,56\ntext values=3,2,90,28,0,102,102 text=\"图名\"\n");
        WriteBlock("HQL.T", "line layer=7 values=0,0,20,100\ntext values=3,2,5,50,90,102,102 text=\"会签\"\n");
    }

    std::vector<engine::Entity> Drawn(int kind) {
        std::vector<engine::Entity> found;
        for (const auto& e : eng.Current().Entities())
            if (!e.deleted && e.kind == kind) found.push_back(e);
        return found;
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& e : eng.Current().Entities())
            if (!e.deleted && (e.kind == engine::kChineseText || e.kind == engine::kWesternText))
                texts.push_back(e.text);
        return texts;
    }
    // The drawn closed rectangles as {xmin, ymin, xmax, ymax}.
    std::vector<std::vector<float>> Rectangles() {
        std::vector<std::vector<float>> boxes;
        for (const auto& e : Drawn(engine::kPolyline)) {
            if (e.values.size() != 2 + 5 * 5) continue;
            float x0 = e.values[2], y0 = e.values[3], x1 = e.values[2 + 10], y1 = e.values[3 + 10];
            boxes.push_back({x0, y0, x1, y1});
        }
        return boxes;
    }
    int FrameLayer() { return m_exDrawingPara.GetLayerNum("图框"); }

    engine::ReferenceEngine eng;
    HostEngine* m_previous = nullptr;
};

}  // namespace ckw::test
