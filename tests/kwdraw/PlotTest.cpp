// Plots read back as a person or a printer would: page sizes by pdfinfo, texts by pdftotext,
// inks by pdftoppm; the layout and pen tables as tables of cases.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>

#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>

#include "Plot.h"

namespace {

using ckw::paint::Paper;
using ckw::paint::PenTable;
using ckw::paint::PlotArea;
using ckw::paint::PlotLayout;
using ckw::paint::PlotRequest;

QString RunProgram(const QString& program, const QStringList& arguments, int* status = nullptr) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    if (status) *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// Page sizes in millimetres, page by page.
std::vector<std::pair<int, int>> PageSizes(const QString& pdf) {
    const QString info = RunProgram(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                QStringLiteral("-l"), QStringLiteral("99"), pdf});
    std::vector<std::pair<int, int>> sizes;
    auto all = QRegularExpression(QStringLiteral("Page +\\d+ size: +([0-9.]+) x ([0-9.]+) pts")).globalMatch(info);
    while (all.hasNext()) {
        auto m = all.next();
        sizes.emplace_back(qRound(m.captured(1).toDouble() * 25.4 / 72), qRound(m.captured(2).toDouble() * 25.4 / 72));
    }
    return sizes;
}

// A drawing on the current unit: a yellow text and line on layer 10, a text and line on layer 20
// (switched off when `off`), and an axis-parallel frame of width x height on layer 30.
void Draw(const char* shown, const char* hidden, bool off, float width, float height) {
    auto& engine = ckw::engine::DefaultEngine();
    engine.Current().DefineLayer({10, "TEXT", 1, 0, 2, 0});
    engine.Current().DefineLayer({20, "HIDE", 1, 0, 1, off ? 1 : 0});
    m_pCfg->HostSetPen(10, 1, 500, 256, 1);
    m_pCfg->HostDrawText(shown, int(strlen(shown)), width * 0.1f, height * 0.5f, 400, 500, 101, 101, 0);
    m_pCfg->HostDrawLine(width * 0.1f, height * 0.3f, width * 0.9f, height * 0.3f);
    m_pCfg->HostSetPen(20, 1, 500, 256, 1);
    m_pCfg->HostDrawText(hidden, int(strlen(hidden)), width * 0.1f, height * 0.7f, 400, 500, 101, 101, 0);
    m_pCfg->HostSetPen(30, 1, 0, 7, 1);
    const float xs[] = {0, width, width, 0, 0}, ys[] = {0, 0, height, height, 0};
    m_pCfg->HostDrawPolyline(5, xs, ys);
}

TEST(PenTables, ReadColourRangesWidthsAndInksAndNameTheFaultyLine) {
    auto parsed = PenTable::Parse(
        "# office pens\n1-255 0.18 black\n2 - grey  # yellow text\n4 0.5 colour\n"
        "4 0.35 colour\n");
    ASSERT_TRUE(parsed) << parsed.why();
    PenTable table = *parsed;
    EXPECT_EQ(table.Ink(1), QColor(Qt::black));
    EXPECT_DOUBLE_EQ(table.WidthMm(1), 0.18);
    EXPECT_EQ(table.Ink(2), QColor(128, 128, 128));
    EXPECT_LT(table.WidthMm(2), 0) << "\"-\": the drawing's own width";
    EXPECT_DOUBLE_EQ(table.WidthMm(4), 0.35) << "a later line wins";
    EXPECT_EQ(table.Ink(4), QColor(0, 255, 255)) << "colour 4 keeps its own ink";
    parsed = PenTable::Parse("3 0.7 grey\n");
    ASSERT_TRUE(parsed);
    table = *parsed;
    EXPECT_EQ(table.Ink(5), QColor(Qt::black)) << "colours no line names print black";

    const std::pair<const char*, const char*> bad[] = {
        {"0 0.2 black", "line 1: colours"},    {"256 0.2 black", "line 1: colours"},
        {"1-0 0.2 black", "line 1: colours"},  {"\n1- 0.2 black", "line 2: colours"},
        {"7 0 black", "line 1: the width"},    {"7 abc black", "line 1: the width"},
        {"7 nan black", "line 1: the width"},  {"7 11 black", "line 1: the width"},
        {"7 0.2 red", "line 1: the ink"},      {"7 0.2", "line 1: expected"},
        {"7 0.2 black 9", "line 1: expected"},
    };
    for (const auto& [text, said] : bad) {
        const auto faulty = PenTable::Parse(text);
        EXPECT_FALSE(faulty) << text;
        EXPECT_NE(faulty.why().find(said), std::string::npos) << text << ": " << faulty.why();
    }
    EXPECT_FALSE(PenTable::Read("/nonexistent/office.pens"));
}

TEST(PlotLayouts, PaperAreaScaleAndCentring) {
    ckw::engine::DefaultEngine().Reset();
    Draw("A", "B", false, 42000, 14850);  // a 420 x 148.5 mm frame at 1:100
    const ckw::engine::DisplayModel model(ckw::engine::DefaultEngine().Current());
    struct Case {
        Paper paper;
        PlotArea area;
        bool landscape, fit, centred;
        double width, height, scale, left, bottom;
    };
    const Case cases[] = {
        // The frame at its own size; everything drawn with 10 mm around it.
        {Paper::Own, PlotArea::Frame, true, false, true, 420, 148.5, 100, 0, 0},
        {Paper::Own, PlotArea::Extents, true, false, true, 440, 168.5, 100, 10, 10},
        // A3 landscape: the frame fills it across; fitted inside the margin for everything drawn.
        {Paper::A3, PlotArea::Frame, true, true, true, 420, 297, 100, 0, 74.25},
        {Paper::A3, PlotArea::Extents, true, true, true, 420, 297, 105, 10, (297 - 14850 / 105.0) / 2},
        {Paper::A3, PlotArea::Extents, true, true, false, 420, 297, 105, 10, 10},
        {Paper::A4, PlotArea::Frame, false, true, true, 210, 297, 200, 0, 111.375},
        {Paper::A1, PlotArea::Frame, true, false, true, 841, 594, 100, 210.5, 222.75},
    };
    for (const Case& c : cases) {
        PlotRequest r;
        r.paper = c.paper;
        r.area = c.area;
        r.landscape = c.landscape;
        r.fit = c.fit;
        r.centred = c.centred;
        const auto laidOut = ckw::paint::LayOut(model, r);
        ASSERT_TRUE(laidOut) << laidOut.why();
        const PlotLayout& l = *laidOut;
        const std::string at = "paper " + std::to_string(int(c.paper)) + " area " + std::to_string(int(c.area));
        EXPECT_NEAR(l.pageWidthMm, c.width, 1e-6) << at;
        EXPECT_NEAR(l.pageHeightMm, c.height, 1e-6) << at;
        EXPECT_NEAR(l.scale, c.scale, 1e-6) << at;
        EXPECT_NEAR(l.leftMm, c.left, 1e-6) << at;
        EXPECT_NEAR(l.bottomMm, c.bottom, 1e-6) << at;
    }
    PlotRequest flat;
    flat.area = PlotArea::Window;
    flat.window = {0, 0, 1000, 0};
    EXPECT_NE(ckw::paint::LayOut(model, flat).why().find("no width or no height"), std::string::npos);
    flat.window = {0, 0, 1000, std::nan("")};
    EXPECT_FALSE(ckw::paint::LayOut(model, flat));
    PlotRequest tooWide;
    tooWide.paper = Paper::A4;
    tooWide.marginMm = 200;
    EXPECT_FALSE(ckw::paint::LayOut(model, tooWide));
}

TEST(PlotPreview, LeavesHiddenLayersOutAndPrintsYellowDarkWithAPenTable) {
    ckw::engine::DefaultEngine().Reset();
    Draw("A", "B", false, 42000, 29700);
    const ckw::engine::DisplayModel model(ckw::engine::DefaultEngine().Current());
    // Pixels along a horizontal line at a share of the page's height.
    auto row = [](const QImage& page, double share, auto test) {
        int n = 0;
        const int y = static_cast<int>(page.height() * (1 - share));
        for (int x = 0; x < page.width(); ++x)
            for (int dy = -1; dy <= 1; ++dy) n += test(page.pixelColor(x, std::clamp(y + dy, 0, page.height() - 1)));
        return n;
    };
    auto yellow = [](QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() < 80; };
    auto dark = [](QColor c) { return c.lightness() < 100; };
    PlotRequest r;
    r.area = PlotArea::Frame;
    const auto colour = ckw::paint::PlotPreview(model, r, 840);
    ASSERT_TRUE(colour) << colour.why();
    EXPECT_GT(row(*colour, 0.3, yellow), 300) << "the yellow line in its own colour";
    r.pens = *PenTable::Parse("1-255 0.5 black");
    const QImage table = *ckw::paint::PlotPreview(model, r, 840);
    EXPECT_EQ(row(table, 0.3, yellow), 0);
    EXPECT_GT(row(table, 0.3, dark), 300) << "black on the paper";
    r.hiddenLayers = {10};
    EXPECT_EQ(row(*ckw::paint::PlotPreview(model, r, 840), 0.3, dark), 0) << "a layer switched off";
}

// kwutil plot A.T B.T -o set.pdf: one page each in the order given, each drawing's switched-off
// layers left out, as a drawing set is issued.
TEST(KwutilPlot, SeveralDrawingsIntoOnePdfLeaveSwitchedOffLayersOut) {
    QTemporaryDir dir;
    auto& engine = ckw::engine::DefaultEngine();
    const QString first = dir.filePath(QStringLiteral("B.T")), second = dir.filePath(QStringLiteral("A.T"));
    std::string error;
    engine.Reset();
    Draw("FIRSTSHOWN", "FIRSTOFF", true, 42000, 29700);
    ASSERT_TRUE(engine.Save(0, first.toStdString(), error)) << error;
    engine.Reset();
    Draw("SECONDSHOWN", "SECONDON", false, 29700, 21000);
    ASSERT_TRUE(engine.Save(0, second.toStdString(), error)) << error;

    const QString set = dir.filePath(QStringLiteral("set.pdf"));
    int status = -1;
    const QString said = RunProgram(QStringLiteral(CKW_KWUTIL),
                                    {QStringLiteral("plot"), first, second, QStringLiteral("-o"), set,
                                     QStringLiteral("--area"), QStringLiteral("frame")},
                                    &status);
    ASSERT_EQ(status, 0) << said.toStdString();
    EXPECT_EQ(PageSizes(set), (std::vector<std::pair<int, int>>{{420, 297}, {297, 210}})) << "in the order given";
    const QString text = RunProgram(QStringLiteral("pdftotext"), {set, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("FIRSTSHOWN"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("FIRSTOFF"))) << "switched off in the drawing";
    EXPECT_TRUE(text.contains(QStringLiteral("SECONDON")));
    EXPECT_LT(text.indexOf(QStringLiteral("FIRSTSHOWN")), text.indexOf(QStringLiteral("SECONDSHOWN")));

    // Both on A4 upright, fitted; a pen table with a fault writes nothing.
    const QString a4 = dir.filePath(QStringLiteral("a4.pdf"));
    RunProgram(QStringLiteral(CKW_KWUTIL),
               {QStringLiteral("plot"), first, second, QStringLiteral("-o"), a4, QStringLiteral("--paper"),
                QStringLiteral("A4"), QStringLiteral("--portrait"), QStringLiteral("--scale"), QStringLiteral("fit"),
                QStringLiteral("--pens"), QStringLiteral("mono")},
               &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(PageSizes(a4), (std::vector<std::pair<int, int>>{{210, 297}, {210, 297}}));
    const QString pens = dir.filePath(QStringLiteral("bad.pens")), none = dir.filePath(QStringLiteral("none.pdf"));
    QFile bad(pens);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("1-255 0.25 purple\n");
    bad.close();
    const QString refused = RunProgram(
        QStringLiteral(CKW_KWUTIL),
        {QStringLiteral("plot"), first, QStringLiteral("-o"), none, QStringLiteral("--pens"), pens}, &status);
    EXPECT_NE(status, 0);
    EXPECT_TRUE(refused.contains(QStringLiteral("line 1: the ink"))) << refused.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

}  // namespace
