// Drafting in the window through its real widgets: lines that start on a snap, ortho, the
// right-click snap for one point, a dimension drawn with the library's settings, a text typed in
// place in Chinese, and measurements shown on the prompt line.
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <cmath>

#include "Drafting.h"
#include "DrawingInfo.h"
#include "Measure.h"
#include "WindowFixture.h"
#include "base/GbkText.h"

namespace {

using ckw::engine::Entity;

class Drafting : public Window {
protected:
    // The live entities of a kind in the current drawing, oldest first.
    std::vector<Entity> Drawn(int kind) {
        std::vector<Entity> found;
        for (const Entity& e : ckw::engine::DefaultEngine().Current().Entities())
            if (!e.deleted && e.kind == kind) found.push_back(e);
        return found;
    }
    QPoint At(double x, double y) { return View().ToDevice(QPointF(x, y)).toPoint(); }
    void Click(QPoint at) { QTest::mouseClick(&View(), Qt::LeftButton, {}, at); }
    void Esc() { window->Input().Answer(InputEvent{}); }
    void Run(const char* action) { window->Action(QString::fromLatin1(action))->trigger(); }
};

TEST_F(Drafting, LinesStartOnTheSnapNearTheCursorOrthoHoldsAndOneSnapIsPickedForOnePoint) {
    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("400,300")); }, [&] { Esc(); }};
    Run("draftLine");
    // A few pixels off the first line's end: the next line starts exactly there, and a typed
    // relative point is taken from where it snapped.
    const QPoint nearEnd = At(400, 300) + QPoint(3, -2);
    steps = {[&] {
                 MouseMove(&View(), nearEnd);
                 ASSERT_TRUE(View().Snaps().Shown());
                 EXPECT_EQ(View().Snaps().Shown()->kind, ckw::engine::SnapKind::Endpoint);
                 Screenshot(*window, "kwdraw-snap-endpoint");
                 Click(nearEnd);
             },
             [&] { Type(QStringLiteral("@100,0")); }, [&] { Esc(); }};
    Run("draftLine");
    auto lines = Drawn(ckw::engine::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].values, (std::vector<float>{400, 300, 500, 300}));

    // Ortho (F8) from the point given: the cursor's point goes onto the horizontal through it.
    Run("viewOrtho");
    steps = {[&] { Type(QStringLiteral("600,600")); }, [&] { Click(At(900, 650)); },
             [&] { Type(QStringLiteral("@300,200")); }, [&] { Esc(); }};
    Run("draftLine");
    lines = Drawn(ckw::engine::kLine);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NEAR(lines[2].values[2], 900, 2);
    EXPECT_EQ(lines[2].values[3], 600);
    EXPECT_EQ(lines[3].values[3], 800) << "a typed point is taken as typed";
    Run("viewOrtho");

    // Snaps off (F3): a click near the end stays where it is; the right-click menu's midpoint
    // holds for the next point only, snaps off or not.
    Run("viewSnaps");
    steps = {[&] { Click(nearEnd); },
             [&] {
                 QContextMenuEvent menu(QContextMenuEvent::Mouse, nearEnd, View().mapToGlobal(nearEnd));
                 QApplication::sendEvent(&View(), &menu);
                 auto* popup = View().findChild<QMenu*>(QStringLiteral("snapMenu"));
                 ASSERT_NE(popup, nullptr);
                 popup->findChild<QAction*>(QStringLiteral("snapMidpoint"))->trigger();
                 popup->close();
                 Click(At(452, 303));
             },
             [&] { Click(At(452, 303)); }, [&] { Esc(); }};
    Run("draftLine");
    Run("viewSnaps");
    lines = Drawn(ckw::engine::kLine);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[4].values[0], 400) << "no snap with snaps off";
    EXPECT_NEAR(lines[4].values[0], 400, 15);
    EXPECT_EQ(lines[4].values[2], 450) << "the midpoint picked for this point";
    EXPECT_EQ(lines[4].values[3], 300);
    EXPECT_NE(lines[5].values[2], 450) << "and for this one only";
}

TEST_F(Drafting, DimensionIsDrawnWithTheLibrarysSettingsAndTicks) {
    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("3000,0")); },
             [&] { MouseMove(&View(), At(1500, 800)); },  // the dimension follows the cursor
             [&] {
                 EXPECT_EQ(ckw::engine::DefaultEngine().TemporaryShapes(), 5u);
                 Type(QStringLiteral("1500,800"));
             }};
    Run("draftLinearDimension");
    Screenshot(*window, "kwdraw-dimension");
    // The system library's sizes (paper mm): extension 2 past the line, 2 clear of the point,
    // ticks 2 long, text 3.5 high, 0.7 wide, 1 above the line; times the drawing scale.
    const double s = kwdraw::DrawingScale();
    const auto lines = Drawn(ckw::engine::kLine);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].values, (std::vector<float>{0, float(2 * s), 0, float(800 + 2 * s)}));
    EXPECT_EQ(lines[2].values, (std::vector<float>{0, 800, 3000, 800}));
    for (const Entity& tick : {lines[3], lines[4]}) {
        EXPECT_NEAR(tick.values[2] - tick.values[0], 2 * s / std::sqrt(2.0), 1e-3);
        EXPECT_NEAR(tick.values[3] - tick.values[1], 2 * s / std::sqrt(2.0), 1e-3);
        EXPECT_EQ(tick.WidthCode(), 2 * lines[0].WidthCode()) << "ticks are drawn heavier";
    }
    EXPECT_EQ(lines[0].Layer(), m_exDrawingPara.GetLayerNum("尺寸标注"));
    const auto texts = Drawn(ckw::engine::kWesternText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "3000");
    const std::vector<double> text = {3.5 * s, 3.5 * 0.7 * s, 1500, 800 + s, 0, 102, 101};
    ASSERT_EQ(texts[0].values.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) EXPECT_NEAR(texts[0].values[i], text[i], 1e-3 * s) << i;

    // The dimension's six entities are one step: one undo takes them all, one redo brings them back.
    Run("editUndo");
    EXPECT_TRUE(Drawn(ckw::engine::kLine).empty());
    EXPECT_TRUE(Drawn(ckw::engine::kWesternText).empty());
    Run("editRedo");
    EXPECT_EQ(Drawn(ckw::engine::kLine).size(), 5u);
}

TEST(DimensionLayout, LinearFollowsWhereTheLineLiesAlignedFollowsThePoints) {
    struct Case {
        double x2, y2, x3, y3;
        bool aligned;
        std::array<double, 4> dimensionLine;
        const char* text;
        double angle;
    };
    const Case cases[] = {
        {300, 400, 150, 600, false, {0, 600, 300, 600}, "300", 0},     // above: horizontal
        {300, 400, 500, 200, false, {500, 0, 500, 400}, "400", 90},    // beside: vertical
        {300, 400, -80, 60, true, {-80, 60, 220, 460}, "500", 53.13},  // along the points
        {-300, -400, 0, 0, true, {0, 0, -300, -400}, "500", 53.13},    // reads upright either way
    };
    const kwdraw::DimensionStyle style;
    for (const Case& c : cases) {
        const auto shape = kwdraw::LayOutDimension(0, 0, c.x2, c.y2, c.x3, c.y3, c.aligned, style, 1);
        ASSERT_EQ(shape.lines.size(), 3u);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(shape.lines[2][i], c.dimensionLine[i], 1e-6) << c.text;
        EXPECT_EQ(shape.text, c.text);
        EXPECT_NEAR(shape.textAngle, c.angle, 0.01);
    }
    EXPECT_TRUE(kwdraw::LayOutDimension(0, 0, 0, 0, 5, 5, true, style, 1).lines.empty());
}

TEST_F(Drafting, PolylineTakesArcsAfterTabAndClosesOnItsStartCircleAndArcByPointsTextTypedInPlace) {
    steps = {[&] { Type(QStringLiteral("0,0")); },
             [&] { Type(QStringLiteral("1000,0")); },
             [&] { QTest::keyClick(&View(), Qt::Key_Tab); },  // arcs from here
             [&] { Type(QStringLiteral("1500,500")); },
             [&] { Type(QStringLiteral("1000,1000")); },
             [&] { Esc(); }};
    Run("draftPolyline");
    const auto polylines = Drawn(ckw::engine::kPolyline);
    ASSERT_EQ(polylines.size(), 1u);
    // Vertices (x, y, arc height, widths) after the count and the closed flag: a straight piece,
    // then the half circle through (1500, 500), its middle 500 to the right of the chord going up.
    EXPECT_EQ(polylines[0].values, (std::vector<float>{3, 0, 0, 0, 0, 0, 0, 1000, 0, 500, 0, 0, 1000, 1000, 0, 0, 0}));

    // A click near its own start, where nothing is drawn yet, snaps to it and closes it.
    steps = {[&] { Type(QStringLiteral("200,600")); }, [&] { Type(QStringLiteral("600,600")); },
             [&] { Type(QStringLiteral("600,900")); }, [&] { Click(At(200, 600) + QPoint(3, 2)); }, [&] { Esc(); }};
    Run("draftPolyline");
    ASSERT_EQ(Drawn(ckw::engine::kPolyline).size(), 2u);
    EXPECT_EQ(Drawn(ckw::engine::kPolyline)[1].values,
              (std::vector<float>{3, 1, 200, 600, 0, 0, 0, 600, 600, 0, 0, 0, 600, 900, 0, 0, 0}));

    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("@500,0")); }};
    Run("draftCircle");
    ASSERT_EQ(Drawn(ckw::engine::kCircle).size(), 1u);
    EXPECT_EQ(Drawn(ckw::engine::kCircle)[0].values, (std::vector<float>{0, 0, 500}));
    // An arc through three points turning right runs anticlockwise from the last to the first.
    steps = {[&] { Type(QStringLiteral("1000,0")); }, [&] { Type(QStringLiteral("1500,500")); },
             [&] { Type(QStringLiteral("2000,0")); }};
    Run("draftArc");
    ASSERT_EQ(Drawn(ckw::engine::kArc).size(), 1u);
    EXPECT_EQ(Drawn(ckw::engine::kArc)[0].values, (std::vector<float>{1500, 0, 500, 0, 180}));

    steps = {[&] {
        Click(At(200, 300));
        // The editor stands on the canvas once the point is given; the input method commits.
        auto* timer = new QTimer(window.get());
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
            auto* editor = View().findChild<QLineEdit*>(QStringLiteral("textInPlace"));
            if (!editor) return;
            timer->stop();
            timer->deleteLater();
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral(u"梁配筋"));
            QApplication::sendEvent(editor, &commit);
            Screenshot(*window, "kwdraw-text-in-place");
            QTest::keyClick(editor, Qt::Key_Return);
        });
        timer->start(20);
    }};
    Run("draftText");
    const auto texts = Drawn(ckw::engine::kChineseText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(QString::fromStdString(ckw::text::GbkToUtf8(texts[0].text)), QStringLiteral(u"梁配筋"));
    EXPECT_NEAR(texts[0].values[2], 200, 5);
}

TEST_F(Drafting, MeasuredDistanceAndAreasOfPointsAndOfAPickedPolylineStandOnThePromptLine) {
    steps = {[&] { Type(QStringLiteral("1000,1000")); }, [&] { Type(QStringLiteral("@3000,4000")); }};
    Run("measureDistance");
    EXPECT_EQ(window->PromptLabel()->text(),
              QStringLiteral("Distance = 5000.0 (5.000 m), angle = 53.13 deg, dX = 3000.0, dY = 4000.0"));

    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("2000,0")); },
             [&] { Type(QStringLiteral("2000,1500")); }, [&] { Esc(); }};
    Run("measureArea");
    EXPECT_EQ(window->PromptLabel()->text(),
              QStringLiteral("Area = 1500000.0 (1.500 sq m), perimeter = 6000.0 (6.000 m)"));
    for (const Entity& e : ckw::engine::DefaultEngine().Current().Entities())
        EXPECT_FALSE(ckw::IsDrawnKind(e.kind)) << "measuring draws nothing";

    // [TAB] picks a closed polyline: a 2 x 1.5 m rectangle whose left side bulges out in a half circle.
    Entity outline;
    outline.kind = ckw::engine::kPolyline;
    outline.values = {4, 1, 0, 0, 0, 0, 0, 2000, 0, 0, 0, 0, 2000, 1500, 0, 0, 0, 0, 1500, 750, 0, 0};
    ckw::engine::DefaultEngine().Current().Add(outline);
    steps = {[&] { QTest::keyClick(&View(), Qt::Key_Tab); }, [&] { Click(At(1000, 0)); }};
    Run("measureArea");
    EXPECT_EQ(window->PromptLabel()->text(),
              QStringLiteral("Area = 3883572.9 (3.884 sq m), perimeter = 7856.2 (7.856 m)"));
}

TEST(Measure, AreaAndPerimeterOfOutlinesWithArcs) {
    struct Case {
        std::vector<kwdraw::OutlineVertex> outline;
        double area, perimeter;
    };
    const double pi = 3.14159265358979323846;
    const Case cases[] = {
        {{{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}}, 50, 30},
        {{{0, 5, 0}, {10, 5, 0}, {10, 0, 0}, {0, 0, 0}}, 50, 30},  // clockwise
        // A half circle bulging out of the square's side (anticlockwise outline, arc to the right).
        {{{0, 0, 5}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, 100 + pi * 12.5, 30 + pi * 5},
        // The same bulge cut into it (clockwise outline).
        {{{0, 10, 0}, {10, 10, 0}, {10, 0, 5}, {0, 0, 0}}, 100 - pi * 12.5, 30 + pi * 5},
        {{{0, 0, 5}, {10, 0, 5}}, pi * 25, pi * 10},  // a circle of two halves
    };
    for (const Case& c : cases) {
        double area = 0, perimeter = 0;
        kwdraw::AreaAndPerimeter(c.outline, area, perimeter);
        EXPECT_NEAR(area, c.area, 1e-9);
        EXPECT_NEAR(perimeter, c.perimeter, 1e-9);
    }
}

}  // namespace
