// Undo and redo through the window's keys and Edit menu: a drawing program's command undone as one
// step back to a byte-identical drawing, redone, the changed mark following the history, and the
// entries naming the step in the window's language.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QStatusBar>
#include <QTranslator>
#include <sstream>

#include "Translation.h"
#include "WindowFixture.h"

namespace {

using ckw::engine::DefaultEngine;

std::string Dump() {
    std::ostringstream out;
    ckw::engine::WriteDrawingText(DefaultEngine().Current(), out);
    return out.str();
}

class UndoWindow : public Window {
protected:
    void SetUp() override {
        Window::SetUp();
        window->activateWindow();  // the keys are the window's shortcuts
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void Keys(QWidget* on, Qt::Key key) {
        on->setFocus();
        QTest::keyClick(on, key, Qt::ControlModifier);
    }
    QString Caption(const char* action) {
        return window->Action(QString::fromLatin1(action))->text().remove(QLatin1Char('&'));
    }
};

TEST_F(UndoWindow, ProgramCommandIsOneStepUndoneAndRedoneByKeysWithTheChangedMarkFollowing) {
    QString error;
    ASSERT_TRUE(window->LoadProgram(QStringLiteral(CKW_PROGRAM_CPP), error)) << error.toStdString();
    QAction* command = window->Action(QStringLiteral("beamelev.BeamElevation"));
    ASSERT_NE(command, nullptr);
    kwdraw::DrawingView* view = &View();
    ASSERT_TRUE(window->SaveDrawing(view, g_home->filePath(QStringLiteral("undo.T"))));
    const std::string saved = Dump();
    EXPECT_FALSE(view->Changed());
    EXPECT_FALSE(window->Action(QStringLiteral("editUndo"))->isEnabled());

    steps = {[&] { QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 300)); }};
    command->trigger();
    const std::string drawn = Dump();
    ASSERT_NE(drawn, saved);
    EXPECT_TRUE(view->Changed());
    EXPECT_EQ(Caption("editUndo"), QStringLiteral("Undo ") + command->text());

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
    EXPECT_TRUE(view->Model().Items().empty());  // the canvas shows the drawing as it is again

    Keys(view, Qt::Key_Y);
    EXPECT_EQ(Dump(), drawn);
    EXPECT_TRUE(view->Changed());
    EXPECT_FALSE(view->Model().Items().empty());

    // Saving keeps the history; undoing past the saved state marks the drawing changed.
    ASSERT_TRUE(window->SaveDrawing(view));
    EXPECT_FALSE(view->Changed());
    window->Action(QStringLiteral("editUndo"))->trigger();
    EXPECT_EQ(Dump(), saved);
    EXPECT_TRUE(view->Changed());
    EXPECT_EQ(Caption("editRedo"), QStringLiteral("Redo ") + command->text());
}

TEST_F(UndoWindow, LibraryCommandsAreUndoneStepByStepToTheDrawingAsItWas) {
    // A user's line, a sheet frame with its title blocks and drawing record, and an import
    // through the side unit: undone one by one, each leaves the drawing as it was before.
    View().Drawing()->DefineLayer({1, "AXIS", 1, 0, 3, 0});
    std::vector<std::string> before{Dump()};
    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("5000,0")); },
             [&] { window->Input().Answer(InputEvent{}); }};
    window->Action(QStringLiteral("draftLine"))->trigger();
    before.push_back(Dump());
    steps = {[&] { MouseMove(&View(), QPoint(300, 300)); },
             [&] { QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(120, 500)); }};
    window->Action(QStringLiteral("drawFrame"))->trigger();
    EXPECT_EQ(Caption("editUndo"), QStringLiteral("Undo Sheet frame"));
#ifdef CKW_TDWGCONV
    before.push_back(Dump());
    const QString dxf = g_home->filePath(QStringLiteral("undo-angle.dxf"));
    QFile::remove(dxf);
    ASSERT_TRUE(QFile::copy(QStringLiteral(CKW_TEST_DATA_DIR "/dxf/angle.dxf"), dxf));
    WhenModal([&](QWidget& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(dxf);
        QTest::keyClick(name, Qt::Key_Return);
        WhenModal([&](QWidget& insertion) {
            QTest::mouseClick(insertion.findChild<QAbstractButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
        });
    });
    window->Action(QStringLiteral("importDrawing"))->trigger();
#endif
    ASSERT_NE(Dump(), before.back());
    while (!before.empty()) {
        window->Action(QStringLiteral("editUndo"))->trigger();
        EXPECT_TRUE(Dump() == before.back()) << "undone back to step " << before.size();
        before.pop_back();
    }
    // The layer defined outside any command is a step without a name.
    EXPECT_EQ(Caption("editUndo"), QStringLiteral("Undo"));
}

TEST_F(UndoWindow, StatusBarSaysWhenTheBudgetDropsOldSteps) {
    DefaultEngine().SetHistoryBudget(1);  // every step but the newest goes
    for (int i = 0; i < 2; ++i) {
        steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("100,100")); },
                 [&] { window->Input().Answer(InputEvent{}); }};
        window->Action(QStringLiteral("draftLine"))->trigger();
    }
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("1 oldest step")))
        << window->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(DefaultEngine().Undo());
    EXPECT_FALSE(DefaultEngine().CanUndo());
}

TEST_F(UndoWindow, EntriesNameTheCommandWithoutItsMnemonicInTheWindowsLanguage) {
    struct Case {
        const char* locale;
        QString undo;
    };
    for (const Case& c : {Case{"en_US", QStringLiteral("Undo Line")}, Case{"zh_CN", QStringLiteral(u"撤销 直线(U)")}}) {
        SCOPED_TRACE(c.locale);
        kwdraw::UseTranslation(*qApp, QLocale(QString::fromLatin1(c.locale)), QStringLiteral(CKW_KWDRAW_TRANSLATIONS));
        Window::TearDown();
        Window::SetUp();
        steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("100,0")); },
                 [&] { window->Input().Answer(InputEvent{}); }};
        window->Action(QStringLiteral("draftLine"))->trigger();
        EXPECT_EQ(window->Action(QStringLiteral("editUndo"))->text().remove(QLatin1Char('&')), c.undo);
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}

}  // namespace
