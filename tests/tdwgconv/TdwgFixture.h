#pragma once
// Helpers of the converter's tests: the test files, running TdwgConv and the independent DXF
// reader, and comparing two engine drawings entity by entity.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include <ckw/EngineDrawing.h>
#include "support/TestEnv.h"

namespace tdwg::test {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using ckw::test::TempDir;

inline fs::path DataFile(const std::string& relative) { return fs::path(CKW_TEST_DATA_DIR) / relative; }

inline ckw::shell::RunResult RunTdwg(std::vector<std::string> args) {
    args.insert(args.begin(), CKW_TDWGCONV);
    return ckw::shell::RunAndCapture(args, std::chrono::seconds(180));
}

// ezdxf's audit error count, model-space counts per kind and texts of a DXF file.
inline Json Ezdxf(const fs::path& dxf) {
    ckw::shell::RunResult r = ckw::shell::RunAndCapture(
        {"/usr/bin/python3", std::string(CKW_TDWGCONV_TEST_DIR) + "/ezdxf_check.py", dxf.string()},
        std::chrono::seconds(120));
    EXPECT_EQ(r.exitStatus, 0) << r.errors;
    Json j = Json::parse(r.output, nullptr, false);
    return j.is_discarded() ? Json::object() : j;
}

// A peer CAD program prints the DXF: LibreCAD's dxf2pdf (offscreen, no display needed) makes
// NAME.pdf beside NAME.dxf within 60 s.
inline void ExpectLibreCadPrints(const fs::path& dxf) {
    ckw::shell::RunResult r = ckw::shell::RunAndCapture(
        {"/usr/bin/env", "QT_QPA_PLATFORM=offscreen", "librecad", "dxf2pdf", dxf.string()}, std::chrono::seconds(60));
    EXPECT_FALSE(r.timedOut) << "dxf2pdf did not end within 60 s: " << dxf;
    EXPECT_EQ(r.exitStatus, 0) << r.errors;
    fs::path pdf = fs::path(dxf).replace_extension(".pdf");
    std::ifstream in(pdf, std::ios::binary);
    char magic[5] = {};
    in.read(magic, 5);
    EXPECT_EQ(std::string(magic, 5), "%PDF-") << pdf;
}

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The name an entity's layer goes by: the layer entry's name, else its number.
inline std::string LayerName(const ckw::engine::Drawing& d, int number) {
    auto info = d.Layer(number);
    return info && !info->name.empty() ? info->name : std::to_string(number);
}

inline bool Near(float a, float b) {
    return a == b || std::abs(double(a) - double(b)) <= 1e-9 * std::max(std::abs(double(a)), std::abs(double(b)));
}

// Same drawing entities (kind, geometry, text, layer by name, colour, extended data) in the same
// order, in the model and in every block, and the same drawing-level record. Table entries,
// line types and pen widths are not compared: DXF has no place for every pen width, and solid
// is solid whether the entity says 0 or 1.
inline void ExpectSameEntities(const ckw::engine::Drawing& a, const ckw::engine::Drawing& b) {
    auto drawn = [](const std::vector<ckw::engine::Entity>& list) {
        std::vector<const ckw::engine::Entity*> out;
        for (const auto& e : list)
            if (!e.deleted && (e.kind < 10000 || e.kind == ckw::engine::kBlockInsert)) out.push_back(&e);
        return out;
    };
    auto compare = [&](const std::vector<ckw::engine::Entity>& la, const std::vector<ckw::engine::Entity>& lb,
                       const std::string& where) {
        auto ea = drawn(la), eb = drawn(lb);
        ASSERT_EQ(ea.size(), eb.size()) << where;
        for (size_t i = 0; i < ea.size(); ++i) {
            const auto& x = *ea[i];
            const auto& y = *eb[i];
            SCOPED_TRACE(where + " entity " + std::to_string(i) + " " + ckw::engine::KindName(x.kind));
            EXPECT_EQ(x.kind, y.kind);
            EXPECT_EQ(x.text, y.text);
            EXPECT_EQ(LayerName(a, x.Layer()), LayerName(b, y.Layer()));
            EXPECT_EQ(x.Colour(), y.Colour());
            EXPECT_EQ(x.xdata, y.xdata);
            ASSERT_EQ(x.values.size(), y.values.size());
            for (size_t k = 0; k < x.values.size(); ++k) EXPECT_PRED2(Near, x.values[k], y.values[k]) << "value " << k;
        }
    };
    compare(a.Entities(), b.Entities(), "model");
    ASSERT_EQ(a.Blocks().size(), b.Blocks().size());
    for (const auto& [n, block] : a.Blocks()) {
        auto it = b.Blocks().find(n);
        ASSERT_NE(it, b.Blocks().end()) << "block " << n;
        EXPECT_EQ(block.name, it->second.name);
        compare(block.entities, it->second.entities, "block " + std::to_string(n));
    }
    EXPECT_EQ(a.Data(), b.Data());
}

}  // namespace tdwg::test
