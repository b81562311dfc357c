// Selecting and editing in the window through its real widgets: window and crossing boxes, Shift,
// Ctrl+A and Esc, and the edit commands answered on the canvas and the command line.
#include <QAction>
#include <QComboBox>
#include <QStatusBar>

#include <ckw/HostEngine.h>

#include "PropertiesPanel.h"
#include "WindowFixture.h"

namespace {

using ckw::engine::Entity;

class EditWindow : public Window {
protected:
    size_t Add(int kind, std::vector<float> values, std::string text = {}) {
        Entity e;
        e.kind = kind;
        e.attributes = {0, 1, 0, 3, 0, 0, 0};
        e.values = std::move(values);
        e.text = std::move(text);
        return View().Drawing()->Add(e);
    }
    const Entity& At(size_t index) { return View().Drawing()->Entities()[index]; }
    QPoint On(double x, double y) { return View().ToDevice({x, y}).toPoint(); }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(&View(), Qt::LeftButton, keys, from);
        QMouseEvent move(QEvent::MouseMove, to, View().mapToGlobal(to), Qt::NoButton, Qt::LeftButton, keys);
        QApplication::sendEvent(&View(), &move);
        QTest::mouseRelease(&View(), Qt::LeftButton, keys, to);
    }
    std::vector<size_t> Selected() {
        auto s = ckw::engine::DefaultEngine().SelectedEntities();
        std::sort(s.begin(), s.end());
        return s;
    }
};

TEST_F(EditWindow, WindowTakesWhatItHoldsCrossingWhatItTouchesShiftTakesOut) {
    const size_t inside = Add(ckw::engine::kLine, {400, 400, 600, 400});
    const size_t crossing = Add(ckw::engine::kLine, {0, 500, 1000, 500});
    const size_t outside = Add(ckw::engine::kCircle, {500, 900, 50});
    // What a hidden layer holds is never taken, so never erased unseen.
    View().Drawing()->At(Add(ckw::engine::kLine, {450, 450, 550, 450})).attributes[0] = 5;
    View().SetHiddenLayers({5});
    View().MarkSaved();
    View().Fit();
    // Left to right: a window.
    Drag(On(300, 300), On(700, 600));
    EXPECT_EQ(Selected(), (std::vector<size_t>{inside}));
    Screenshot(*window, "kwdraw-selected-window");
    QTest::keyClick(&View(), Qt::Key_Escape);
    EXPECT_TRUE(Selected().empty()) << "[Esc] clears the selection";
    // Right to left: a crossing box.
    Drag(On(700, 600), On(300, 300));
    EXPECT_EQ(Selected(), (std::vector<size_t>{inside, crossing}));
    // Shift and a pick take one out again; a pick adds.
    QTest::mouseClick(&View(), Qt::LeftButton, Qt::ShiftModifier, On(900, 500));
    EXPECT_EQ(Selected(), (std::vector<size_t>{inside}));
    QTest::mouseClick(&View(), Qt::LeftButton, {}, On(550, 900));
    EXPECT_EQ(Selected(), (std::vector<size_t>{inside, outside}));
    window->Action(QStringLiteral("editSelectAll"))->trigger();
    EXPECT_EQ(Selected(), (std::vector<size_t>{inside, crossing, outside}));
    EXPECT_EQ(window->Action(QStringLiteral("editSelectAll"))->shortcut(), QKeySequence(QKeySequence::SelectAll));
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("3 "))) << "the count is shown";
    // The library's commands that ask for a selection get it.
    int count = 0;
    m_pCfg->HostGetSelectionCount(count);
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(View().Changed()) << "selecting changes nothing";

    // A command that asks for a selection takes boxes and picks until [Enter]; Shift takes out.
    QTest::keyClick(&View(), Qt::Key_Escape);
    steps = {[&] { Drag(On(700, 600), On(300, 300)); },
             [&] {
                 QTest::mouseClick(&View(), Qt::LeftButton, Qt::ShiftModifier, On(900, 500));
                 EXPECT_EQ(Selected(), (std::vector<size_t>{inside}));
                 Type(QString());
             },
             [&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("0,10")); }};
    window->Action(QStringLiteral("editMove"))->trigger();
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(At(inside).values[1], 410);
    EXPECT_EQ(At(crossing).values[1], 500);
}

TEST_F(EditWindow, MovesByATypedDisplacementAndDeleteErases) {
    const size_t line = Add(ckw::engine::kLine, {0, 0, 1000, 0});
    const size_t text = Add(ckw::engine::kChineseText, {50, 40, 100, 100, 0, 101, 101}, "梁");
    View().Drawing()->At(text).xdata = {3, 7, 9};
    const size_t other = Add(ckw::engine::kLine, {0, 800, 1000, 800});
    View().Fit();
    Drag(On(-20, -20), On(1020, 300));
    ASSERT_EQ(Selected(), (std::vector<size_t>{line, text}));
    size_t bandShapes = 0;
    steps = {
        [&] { Type(QStringLiteral("0,0")); },
        [&] { MouseMove(&View(), On(300, 300)); },
        [&] {
            // The moved entities follow the cursor with a line from the base point.
            bandShapes = ckw::engine::DefaultEngine().TemporaryShapes();
            Screenshot(*window, "kwdraw-move-rubber-band");
            Type(QStringLiteral("@100,-50"));
        },
    };
    window->Action(QStringLiteral("editMove"))->trigger();
    EXPECT_TRUE(steps.empty());
    EXPECT_GE(bandShapes, 3u);
    EXPECT_EQ(At(line).values, (std::vector<float>{100, -50, 1100, -50}));
    EXPECT_FLOAT_EQ(At(text).values[2], 200);
    EXPECT_FLOAT_EQ(At(text).values[3], 50);
    EXPECT_EQ(At(text).xdata, (std::vector<int32_t>{3, 7, 9})) << "extended data moves with its entity";
    EXPECT_EQ(At(other).values[1], 800) << "what is not selected stays";
    EXPECT_TRUE(View().Changed());
    // [Delete] erases the selection.
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Delete);
    EXPECT_TRUE(At(line).deleted);
    EXPECT_TRUE(At(text).deleted);
    EXPECT_FALSE(At(other).deleted);
    EXPECT_TRUE(Selected().empty());
    // Each edit is one undo step.
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_FALSE(At(line).deleted);
    EXPECT_FALSE(At(text).deleted);
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_EQ(At(line).values, (std::vector<float>{0, 0, 1000, 0}));
    EXPECT_FLOAT_EQ(At(text).values[2], 100);
}

TEST_F(EditWindow, CopiesUntilEnterRotatesByATypedAngleMirrorsAndOffsetsToThePickedSide) {
    const size_t line = Add(ckw::engine::kLine, {0, 0, 100, 0});
    View().Fit();
    QTest::mouseClick(&View(), Qt::LeftButton, {}, On(50, 0));
    ASSERT_EQ(Selected(), (std::vector<size_t>{line}));
    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("0,10")); },
             [&] { Type(QStringLiteral("0,20")); }, [&] { Type(QString()); }};
    window->Action(QStringLiteral("editCopy"))->trigger();
    const auto& entities = View().Drawing()->Entities();
    ASSERT_EQ(entities.size(), 3u) << "one copy per point until [Enter]";
    EXPECT_EQ(entities[2].values, (std::vector<float>{0, 20, 100, 20}));

    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("90")); }};
    window->Action(QStringLiteral("editRotate"))->trigger();
    EXPECT_NEAR(At(line).values[2], 0, 1e-4);
    EXPECT_NEAR(At(line).values[3], 100, 1e-4);

    steps = {[&] { Type(QStringLiteral("50,0")); }, [&] { Type(QStringLiteral("50,10")); }};
    window->Action(QStringLiteral("editMirror"))->trigger();
    ASSERT_EQ(entities.size(), 4u) << "the mirrored copy is added, the original stays";
    EXPECT_NEAR(entities[3].values[0], 100, 1e-4);
    EXPECT_NEAR(At(line).values[0], 0, 1e-4);

    // Offset: the distance typed, then the entity and its side picked on the canvas.
    steps = {[&] { Type(QStringLiteral("5")); }, [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, On(50, 10)); },
             [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, On(50, 30)); },
             [&] { QTest::keyClick(&View(), Qt::Key_Escape); }};
    window->Action(QStringLiteral("editOffset"))->trigger();
    ASSERT_EQ(entities.size(), 5u);
    EXPECT_EQ(entities[4].values, (std::vector<float>{0, 15, 100, 15}));
}

TEST_F(EditWindow, PropertiesPanelShowsWhatVariesAndEditsApplyAtOnce) {
    const size_t small = Add(ckw::engine::kChineseText, {50, 40, 0, 0, 0, 101, 101}, "梁");
    const size_t large = Add(ckw::engine::kChineseText, {80, 64, 0, 300, 0, 101, 101}, "柱");
    const size_t line = Add(ckw::engine::kLine, {0, -200, 400, -200});
    View().Fit();
    auto* panel = window->Properties();
    auto field = [&](const char* name) { return panel->findChild<QLineEdit*>(QString::fromLatin1(name)); };
    auto type = [&](const char* name, const QString& text) {
        QLineEdit* edit = field(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    Drag(On(-10, -10), On(300, 500));
    ASSERT_EQ(Selected(), (std::vector<size_t>{small, large}));
    EXPECT_EQ(field("propHeight")->text(), QStringLiteral("*varies*"));
    EXPECT_EQ(field("propContent")->text(), QStringLiteral("*varies*"));
    EXPECT_EQ(field("propWidthFactor")->text(), QStringLiteral("0.8")) << "what they share is shown";
    EXPECT_EQ(panel->findChild<QComboBox*>(QStringLiteral("propLayer"))->currentText(), QStringLiteral("0"));
    EXPECT_FALSE(field("propStartX")->isVisible()) << "coordinates are for one line";
    Screenshot(*window, "kwdraw-properties-varies");

    // A new height for both at once keeps their width factor.
    type("propHeight", QStringLiteral("120"));
    EXPECT_FLOAT_EQ(At(small).values[0], 120);
    EXPECT_FLOAT_EQ(At(large).values[0], 120);
    EXPECT_FLOAT_EQ(At(large).values[1], 96);
    EXPECT_EQ(field("propHeight")->text(), QStringLiteral("120"));
    EXPECT_TRUE(View().Changed());
    // What is no height is refused and the field shows the height again.
    type("propHeight", QStringLiteral("-3"));
    EXPECT_FLOAT_EQ(At(small).values[0], 120);
    EXPECT_EQ(field("propHeight")->text(), QStringLiteral("120"));
    // The change of both is one undo step.
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_FLOAT_EQ(At(small).values[0], 50);
    EXPECT_FLOAT_EQ(At(large).values[0], 80);
    // A width wider than the drawing's width code holds is kept at its largest.
    Drag(On(-10, -10), On(300, 500));  // undoing cleared the selection
    type("propWidth", QStringLiteral("1e9"));
    EXPECT_EQ(At(small).WidthCode(), std::numeric_limits<int>::max());

    // One line: its coordinates.
    QTest::keyClick(&View(), Qt::Key_Escape);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, On(200, -200));
    ASSERT_EQ(Selected(), (std::vector<size_t>{line}));
    EXPECT_TRUE(field("propStartX")->isVisible());
    EXPECT_FALSE(field("propHeight")->isVisible());
    type("propEndY", QStringLiteral("-50"));
    EXPECT_EQ(At(line).values, (std::vector<float>{0, -200, 400, -50}));
    // Changed behind the panel's back, the drawing is shown again before a value typed is applied.
    View().Drawing()->At(line).values[2] = 500;
    type("propEndY", QStringLiteral("-70"));
    EXPECT_EQ(At(line).values[3], -50);
    EXPECT_EQ(field("propEndX")->text(), QStringLiteral("500"));
}

}  // namespace
