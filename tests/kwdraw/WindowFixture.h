#pragma once
// The drawing window of the tests: a private configuration for the suite, a fresh window with one
// drawing for each test, and answers given step by step as a person would each time a command
// waits. Pictures of each step go to screenshots/ in the build tree.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include <ckw/DrawingPara.h>

#include "DrawingView.h"
#include "MainWindow.h"
#include "WindowInput.h"

namespace {

using ckw::engine::InputEvent;
using ckw::engine::InputWant;
using Steps = std::deque<std::function<void()>>;

QTemporaryDir* g_home = nullptr;

[[maybe_unused]] void Screenshot(QWidget& widget, const char* name) {
    QTest::qWait(30);
    widget.grab().save(QStringLiteral(CKW_SCREENSHOT_DIR "/%1.png").arg(QString::fromLatin1(name)));
}

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A private configuration: user and machine registry files and the parameter library.
        g_home = new QTemporaryDir;
        const QByteArray home = g_home->path().toUtf8();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS"})
            setenv(name, (home + "/" + name).constData(), 1);
        ASSERT_EQ(QProcess::execute(QStringLiteral(CKW_KWUTIL), {QStringLiteral("setup"), g_home->path() + "/cfg"}), 0);
        m_exDrawingPara.Init();
    }
    static void TearDownTestSuite() {
        m_exDrawingPara.Close();
        delete g_home;
    }

    void SetUp() override {
        ckw::engine::DefaultEngine().Reset();
        window = std::make_unique<kwdraw::MainWindow>();
        window->NewDrawing();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Each time a command waits, the next step answers it as a person would; a command
        // waiting with no step left is told [Esc] so that the test ends.
        QObject::connect(&window->Input(), &kwdraw::WindowInput::Waiting, window.get(), [this](InputWant) {
            QTimer::singleShot(0, window.get(), [this] {
                if (steps.empty()) {
                    ADD_FAILURE() << "a command waits with no answer left";
                    window->Input().Answer(InputEvent{});
                    return;
                }
                auto step = std::move(steps.front());
                steps.pop_front();
                step();
            });
        });
    }
    void TearDown() override { window.reset(); }

    kwdraw::DrawingView& View() { return *window->CurrentView(); }
    // Runs once a modal dialog (with this title, when one is given) is up (polled, as the dialog
    // runs its own loop).
    void WhenModal(std::function<void(QWidget&)> act, const QString& title = {}) {
        auto* timer = new QTimer(window.get());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act, title] {
            if (QWidget* modal = QApplication::activeModalWidget();
                modal && (title.isEmpty() || modal->windowTitle() == title)) {
                timer->stop();
                timer->deleteLater();
                act(*modal);
                // A step that failed halfway leaves no dialog behind to hang the test.
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog == modal)
                    dialog->reject();
            }
        });
        timer->start(20);
    }
    static void MouseMove(QWidget* w, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    void Type(const QString& text) {
        QTest::keyClicks(window->CommandLine(), text);
        QTest::keyClick(window->CommandLine(), Qt::Key_Return);
    }
    // Primitives of the current drawing's model whose text is `utf8`.
    int TextsReading(const std::string& utf8) {
        int n = 0;
        for (const auto& p : View().Model().Items())
            for (const auto& line : p.lines) n += line.utf8 == utf8;
        return n;
    }

    std::unique_ptr<kwdraw::MainWindow> window;
    Steps steps;
};

}  // namespace
