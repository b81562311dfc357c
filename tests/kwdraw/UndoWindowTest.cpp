// Undo and redo through the window's keys and Edit menu: a drawing program's command undone as one
// step back to a byte-identical drawing, redone, and the changed mark following the history.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sstream>

#include <ckw/DrawingPara.h>
#include <ckw/ReferenceEngine.h>

#include "DrawingView.h"
#include "MainWindow.h"
#include "WindowInput.h"

namespace {

using ckw::engine::DefaultEngine;

std::string Dump() {
    std::ostringstream out;
    ckw::engine::WriteDrawingText(DefaultEngine().Current(), out);
    return out.str();
}

class UndoWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        home = new QTemporaryDir;
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_STATE_HOME"})
            setenv(name, (home->path() + "/" + name).toUtf8().constData(), 1);
        ASSERT_EQ(QProcess::execute(QStringLiteral(CKW_KWUTIL), {QStringLiteral("setup"), home->path() + "/cfg"}), 0);
        m_exDrawingPara.Init();
    }
    static void TearDownTestSuite() {
        m_exDrawingPara.Close();
        delete home;
    }
    void SetUp() override {
        DefaultEngine().Reset();
        window = std::make_unique<kwdraw::MainWindow>();
        window->NewDrawing();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The point the command asks for is picked on the canvas; anything more is told [Esc].
        QObject::connect(&window->Input(), &kwdraw::WindowInput::Waiting, window.get(), [this](auto) {
            QTimer::singleShot(0, window.get(), [this] {
                if (answered++ == 0)
                    QTest::mouseClick(window->CurrentView(), Qt::LeftButton, {}, QPoint(100, 300));
                else
                    window->Input().Answer(ckw::engine::InputEvent{});
            });
        });
    }
    void TearDown() override { window.reset(); }

    void Keys(QWidget* on, Qt::Key key) {
        on->setFocus();
        QTest::keyClick(on, key, Qt::ControlModifier);
    }
    QString UndoText() { return window->Action(QStringLiteral("editUndo"))->text().remove(QLatin1Char('&')); }

    static inline QTemporaryDir* home = nullptr;
    std::unique_ptr<kwdraw::MainWindow> window;
    int answered = 0;
};

TEST_F(UndoWindow, ProgramCommandIsOneStepUndoneAndRedoneByKeysWithTheChangedMarkFollowing) {
    QString error;
    ASSERT_TRUE(window->LoadProgram(QStringLiteral(CKW_PROGRAM_CPP), error)) << error.toStdString();
    QAction* command = window->Action(QStringLiteral("beamelev.BeamElevation"));
    ASSERT_NE(command, nullptr);
    kwdraw::DrawingView* view = window->CurrentView();
    ASSERT_TRUE(window->SaveDrawing(view, home->filePath(QStringLiteral("undo.T"))));
    const std::string saved = Dump();
    EXPECT_FALSE(view->Changed());
    EXPECT_FALSE(window->Action(QStringLiteral("editUndo"))->isEnabled());

    command->trigger();
    const std::string drawn = Dump();
    ASSERT_NE(drawn, saved);
    EXPECT_TRUE(view->Changed());
    EXPECT_EQ(UndoText(), QStringLiteral("Undo ") + command->text().remove(QLatin1Char('&')));
    const size_t entities = DefaultEngine().Current().Entities().size();

    // Typing on the command line keeps its own undo; empty, the keys undo the drawing.
    QLineEdit* line = window->CommandLine();
    QTest::keyClicks(line, QStringLiteral("12"));
    Keys(line, Qt::Key_Z);
    EXPECT_EQ(Dump(), drawn);
    line->clear();
    Keys(line, Qt::Key_Z);
    EXPECT_EQ(Dump(), saved);
    EXPECT_FALSE(view->Changed());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_LT(DefaultEngine().Current().Entities().size(), entities);
    // The canvas shows the drawing as it is again.
    EXPECT_EQ(view->Model().Items().size(), 0u);

    Keys(view, Qt::Key_Y);
    EXPECT_EQ(Dump(), drawn);
    EXPECT_TRUE(view->Changed());
    EXPECT_GT(view->Model().Items().size(), 0u);

    // Saving keeps the history; undoing past the saved state marks the drawing changed.
    ASSERT_TRUE(window->SaveDrawing(view));
    EXPECT_FALSE(view->Changed());
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_EQ(Dump(), saved);
    EXPECT_TRUE(view->Changed());
    EXPECT_EQ(window->Action(QStringLiteral("editRedo"))->text().remove(QLatin1Char('&')),
              QStringLiteral("Redo ") + command->text().remove(QLatin1Char('&')));
}

}  // namespace
