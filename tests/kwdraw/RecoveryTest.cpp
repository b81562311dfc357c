// Unsaved work and shared files: a drawing another program wrote while the window had it open,
// the recovery files a session keeps, and a kwdraw killed mid-work whose work the next start
// recovers. Windows are driven offscreen through their widgets; the killed one is a real kwdraw.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

#include <ckw/DrawingPara.h>
#include <ckw/ReferenceEngine.h>

#include "Autosave.h"
#include "DrawingView.h"
#include "MainWindow.h"
#include "platform/FileLock.h"

namespace {

using ckw::engine::Drawing;

Drawing Lines(int count) {
    Drawing d;
    d.DefineLayer({10, "BEAM", 1, 500, 2, 0});
    for (int i = 0; i < count; ++i) {
        ckw::engine::Entity line;
        line.kind = ckw::engine::kLine;
        line.attributes = {10, 1, 0, 256, 0, 0, 0};
        line.values = {0, float(i * 100), 1000, float(i * 100)};
        d.Add(line);
    }
    return d;
}

void Write(const QString& path, int lines) {
    std::string error;
    ASSERT_TRUE(ckw::engine::WriteDrawingFile(path.toStdString(), Lines(lines), error)) << error;
}

size_t LinesOf(const Drawing& d) {
    return size_t(std::count_if(d.Entities().begin(), d.Entities().end(),
                                [](const auto& e) { return e.kind == ckw::engine::kLine && !e.deleted; }));
}

size_t LinesIn(const QString& path) {
    Drawing d;
    std::string error;
    return ckw::engine::ReadDrawingFile(path.toStdString(), d, error) ? LinesOf(d) : 0;
}

std::vector<std::string> Originals(const std::vector<kwdraw::Recovery>& found) {
    std::vector<std::string> names;
    for (const auto& r : found) names.push_back(QFileInfo(r.original).fileName().toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

class Recovery : public ::testing::Test {
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
        ckw::engine::DefaultEngine().Reset();
        folder = std::make_unique<QTemporaryDir>();
        window = std::make_unique<kwdraw::MainWindow>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { window.reset(); }

    QString File(const char* name) const { return folder->filePath(QLatin1String(name)); }
    // Acts on the first modal dialog (it runs its own loop) that `is` accepts; deleting the
    // returned timer ends the watch.
    QTimer* WhenModal(std::function<bool(QWidget&)> is, std::function<void(QWidget&)> act) {
        auto* timer = new QTimer(window.get());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, is, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !is(*modal)) return;
            timer->stop();
            timer->deleteLater();
            act(*modal);
        });
        timer->start(20);
        return timer;
    }
    // Clicks the button of this name ([Esc] for none) in the next dialog, which must be `dialog`.
    QTimer* Answer(const QString& dialog, const QString& button) {
        return WhenModal([](QWidget&) { return true; },
                         [dialog, button](QWidget& modal) {
                             EXPECT_EQ(modal.objectName(), dialog) << modal.windowTitle().toStdString();
                             if (modal.objectName() != dialog || button.isEmpty())
                                 QTest::keyClick(&modal, Qt::Key_Escape);
                             else
                                 QTest::mouseClick(modal.findChild<QAbstractButton*>(button), Qt::LeftButton);
                         });
    }

    static inline QTemporaryDir* home = nullptr;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<kwdraw::MainWindow> window;
};

TEST_F(Recovery, SavingOverAFileAnotherProgramWroteAsksAndEachAnswerKeepsWhatItSays) {
    struct Case {
        const char* answer;
        bool fileIsTheirs;  // the drawing's file afterwards: the other program's, or the window's
        bool savedAs;       // the window's drawing went to another file instead
        bool stillChanged;  // the window's drawing not saved
        bool showsTheirs;   // the window shows the other program's drawing
    };
    const Case cases[] = {
        {"overwrite", false, false, false, false},
        {"reload", true, false, false, true},
        {"saveAs", true, true, false, false},
        {"", true, false, true, false},  // [Esc] cancels
    };
    // The window holds 2 lines (1 read + 1 drawn).
    const size_t ours = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const QString plan = File("plan.T"), other = File("other.T"), part = File("part.T");
        QFile::remove(other);
        Write(plan, 1);
        Write(part, 3);
        kwdraw::DrawingView* view = window->OpenDrawing(plan);
        ASSERT_NE(view, nullptr);
        view->Drawing()->Add(Lines(2).Entities()[1]);
        // Meanwhile kwutil imports a drawing into the file.
        ASSERT_EQ(QProcess::execute(QStringLiteral(CKW_KWUTIL),
                                    {QStringLiteral("import"), part, QStringLiteral("--into"), plan}),
                  0);
        const size_t theirs = LinesIn(plan);
        ASSERT_GT(theirs, 1u);

        const int tabs = window->DrawingCount();
        Answer(QStringLiteral("changedOnDisk"), QString::fromLatin1(c.answer));
        if (c.savedAs)
            WhenModal([](QWidget& m) { return m.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); },
                      [other](QWidget& m) {
                          auto* name = m.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                          name->setText(other);
                          QTest::keyClick(name, Qt::Key_Return);
                      });
        window->Action(QStringLiteral("fileSave"))->trigger();
        EXPECT_EQ(LinesIn(plan), c.fileIsTheirs ? theirs : ours);
        EXPECT_EQ(LinesIn(other), c.savedAs ? ours : 0u);
        EXPECT_EQ(window->DrawingCount(), tabs) << "a reload takes the drawing's place";
        ASSERT_NE(window->CurrentView(), nullptr);
        EXPECT_EQ(window->CurrentView()->Changed(), c.stillChanged);
        EXPECT_EQ(LinesOf(*window->CurrentView()->Drawing()), c.showsTheirs ? theirs : ours);
        if (!c.stillChanged) {
            // Saved or read just now: the next save writes without asking.
            window->CurrentView()->Drawing()->Add(Lines(1).Entities()[0]);
            QPointer<QTimer> noQuestion = Answer(QStringLiteral("none"), QString());
            EXPECT_TRUE(window->SaveDrawing(window->CurrentView()));
            delete noQuestion;
        }
    }
}

TEST_F(Recovery, ASaveTakesTheLockOfTheProgramsThatChangeDrawings) {
    const QString plan = File("plan.T");
    Write(plan, 1);
    kwdraw::DrawingView* view = window->OpenDrawing(plan);
    ASSERT_NE(view, nullptr);
    view->Drawing()->Add(Lines(2).Entities()[1]);
    // A command changing the drawing holds it: the save waits, then says who holds it.
    {
        auto held = ckw::fs::FileLock::Take(plan.toStdString());
        ASSERT_TRUE(held.held()) << held.why();
        QString told;
        WhenModal([](QWidget&) { return true; },
                  [&told](QWidget& box) {
                      told = static_cast<QMessageBox&>(box).text();
                      QTest::keyClick(&box, Qt::Key_Escape);
                  });
        EXPECT_FALSE(window->SaveDrawing(view));
        EXPECT_TRUE(told.contains(QStringLiteral("process %1").arg(getpid()))) << told.toStdString();
        EXPECT_EQ(LinesIn(plan), 1u);
        EXPECT_TRUE(view->Changed());
    }
    // Free again: saved, and the lock is let go at once.
    EXPECT_TRUE(window->SaveDrawing(view));
    EXPECT_EQ(LinesIn(plan), 2u);
    EXPECT_TRUE(ckw::fs::FileLock::Take(plan.toStdString(), std::chrono::milliseconds(0)).held());
}

TEST_F(Recovery, AStartOffersOnlyWhatEndedSessionsLeftNewerThanTheFile) {
    const QString root = folder->filePath(QStringLiteral("recovery"));
    const QString kept = File("kept.T"), overtaken = File("overtaken.T");
    Write(kept, 1);
    Write(overtaken, 1);
    // A session that is still running keeps one drawing.
    kwdraw::RecoveryStore running(root);
    QString error;
    ASSERT_TRUE(running.Keep(1, Lines(5), File("running.T"), error)) << error.toStdString();
    // A session that ends without closing: a drawing with a file, a drawing never saved, one its
    // file was saved over afterwards, and one saved by the session itself.
    const pid_t child = fork();
    if (child == 0) {
        kwdraw::RecoveryStore ended(root);
        QString why;
        bool ok = ended.Keep(1, Lines(2), kept, why) && ended.Keep(2, Lines(3), QString(), why) &&
                  ended.Keep(3, Lines(4), overtaken, why) && ended.Keep(4, Lines(4), File("saved.T"), why);
        ended.Remove(4);
        _exit(ok ? 0 : 1);  // no clean end: the files stay, the lock goes with the process
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    QTest::qWait(5);
    Write(overtaken, 6);

    kwdraw::RecoveryStore next(root), another(root);
    const auto found = next.TakeOver();
    EXPECT_EQ(Originals(found), (std::vector<std::string>{"", "kept.T"}));
    for (const auto& r : found) EXPECT_EQ(LinesIn(r.file), r.original.isEmpty() ? 3u : 2u);
    EXPECT_TRUE(another.TakeOver().empty()) << "what one start has taken over is not offered twice";
    next.ReleaseTakenOver();
    EXPECT_EQ(another.TakeOver().size(), 2u) << "declined for now, offered again";
    another.DropTakenOver();
    EXPECT_TRUE(next.TakeOver().empty());
    EXPECT_EQ(QDir(root).entryList({QStringLiteral("session-*")}, QDir::Dirs).size(), 3)
        << "the running session and the two new ones";
}

TEST_F(Recovery, AKilledWindowsWorkIsRecoveredOnTheNextStart) {
    // A real kwdraw autosaving every second draws a sheet frame into a saved drawing and is killed.
    const QString plan = File("plan.T");
    Write(plan, 1);
    QSettings(home->path() + "/XDG_CONFIG_HOME/kelo/kwdraw.conf", QSettings::IniFormat)
        .setValue(QStringLiteral("autosave/seconds"), 1);
    QFile script(File("input.txt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("point 1000 1000\n");
    script.close();
    QProcess kwdraw;
    kwdraw.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    kwdraw.setWorkingDirectory(folder->path());  // the drawing named as people name it, in its folder
    kwdraw.start(QStringLiteral(CKW_KWDRAW), {QStringLiteral("--input"), script.fileName(), QStringLiteral("--run"),
                                              QStringLiteral("drawFrameA2"), QStringLiteral("plan.T")});
    ASSERT_TRUE(kwdraw.waitForStarted());
    const QString root = kwdraw::RecoveryStore::DefaultRoot();
    QStringList autosaved;
    for (int i = 0; i < 300 && autosaved.isEmpty(); ++i) {
        QTest::qWait(100);
        for (const QString& session : QDir(root).entryList({QStringLiteral("session-*")}, QDir::Dirs))
            autosaved += QDir(root + "/" + session).entryList({QStringLiteral("*.T")});
    }
    ASSERT_FALSE(autosaved.isEmpty()) << "no recovery file within 30 s";
    kwdraw.kill();
    ASSERT_TRUE(kwdraw.waitForFinished());
    EXPECT_EQ(LinesIn(plan), 1u) << "the file itself was never saved";

    // The next start offers it; the recovered drawing is the drawing's, unsaved, with the frame.
    window.reset();
    ckw::engine::DefaultEngine().Reset();
    window = std::make_unique<kwdraw::MainWindow>();
    Answer(QStringLiteral("recoverDrawings"), QStringLiteral("recover"));
    window->OfferRecovery();
    kwdraw::DrawingView* view = window->ViewOfFile(plan);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Changed());
    const size_t recovered = LinesOf(*view->Drawing());
    EXPECT_GT(recovered, 1u);
    EXPECT_EQ(QDir(root).entryList({QStringLiteral("session-*")}, QDir::Dirs).size(), 1)
        << "the killed session's folder goes once its work is in this one";

    // Saved, the work is in the file and nothing is left to recover.
    EXPECT_TRUE(window->SaveDrawing(view));
    EXPECT_EQ(LinesIn(plan), recovered);
    window.reset();
    EXPECT_TRUE(QDir(root).entryList({QStringLiteral("session-*")}, QDir::Dirs).isEmpty());
}

}  // namespace
