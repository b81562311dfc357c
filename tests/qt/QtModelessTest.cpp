// The modeless windows of the extended-data commands as real non-modal Qt windows: the engine's
// answers come from an input source that keeps Qt's events flowing while the command waits, and
// the windows are driven through their widgets in between.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <sys/stat.h>

#include <deque>
#include <functional>
#include <utility>

#include <ckw/XDataCommands.h>

#include "QtBackend.h"
#include "QtDialogRunner.h"
#include <ckw/ReferenceEngine.h>
#include "dialog/DialogRunner.h"
#include "qt/QtDriving.h"
#include "support/TestEnv.h"

namespace ckw::test {
namespace {

using engine::InputEvent;

// Each step first lets the person act in the open windows, then answers the engine.
struct Step {
    std::function<void()> act;
    InputEvent answer;
};

class SteppedInput : public engine::InputSource {
public:
    explicit SteppedInput(std::deque<Step> steps) : m_steps(std::move(steps)) {}
    InputEvent NextInput(engine::InputWant) override {
        QTest::qWait(30);  // the windows take their events while the engine waits
        if (m_steps.empty()) return {};
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (step.act) step.act();
        QTest::qWait(30);
        return step.answer;
    }
    bool Done() const { return m_steps.empty(); }

private:
    std::deque<Step> m_steps;
};

InputEvent Point(double x, double y) {
    InputEvent e;
    e.type = InputEvent::Type::Point;
    e.x = x;
    e.y = y;
    return e;
}

QDialog* OpenWindow(int templateId) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("dlg%1").arg(templateId) && widget->isVisible())
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

class QtModeless : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::path runtime = m_dir.path() / "runtime";
        std::filesystem::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        std::filesystem::create_directories(CKW_SCREENSHOT_DIR);
        ckw::qt::EnsureApplication();
        m_previous = dlg::SetRunner(&ckw::qt::QtBackend()->Runner());
        m_saved = std::exchange(m_pCfg, &engine);
    }
    void TearDown() override {
        engine.SetInputSource(nullptr);
        m_pCfg = m_saved;
        dlg::SetRunner(m_previous);
    }
    void Run(std::deque<Step> steps, const std::function<void()>& command) {
        SteppedInput input(std::move(steps));
        engine.SetInputSource(&input);
        command();
        engine.SetInputSource(nullptr);
        EXPECT_TRUE(input.Done());
    }
    int Line(float y, int width) {
        engine.HostSetPen(1, 1, width, 1, 1);
        engine.HostDrawLine(0, y, 100, y);
        int id0 = 0, id1 = 0;
        engine.HostGetEntityId(0, id0, id1);
        return id0;
    }
    engine::Entity& At(int id0) { return engine.Current().At(*engine.Current().Find(id0)); }

    engine::ReferenceEngine engine;

private:
    TempDir m_dir;
    dlg::DialogRunner* m_previous = nullptr;
    HostEngine* m_saved = nullptr;
};

TEST_F(QtModeless, XDataManageWindowEditsTheEntityWhileTheCommandWaits) {
    const int line = Line(0, 0);
    bool sawWindow = false;
    Run({{nullptr, Point(50, 0)},
         {[&] {
              QDialog* window = OpenWindow(1016);
              ASSERT_NE(window, nullptr);
              sawWindow = true;
              EXPECT_FALSE(window->isModal());
              EXPECT_EQ(window->windowTitle(), QStringLiteral("XDATA MANAGE"));
              TypeIntoCell(*window, 2, 1, QStringLiteral("8"));
              Click(*window, 1020);
              Save(*window, "xdata-manage");
          },
          InputEvent{}}},
        [] { EXPECT_EQ(kwXData_Manage(), 1); });
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(OpenWindow(1016), nullptr) << "the command closes its window";
    const std::vector<int> block{10000, '{', 10010, 3, 0x5F574B24, 0x554C4F43, 'M', 10001, 8, 10099, '}'};
    EXPECT_EQ(At(line).xdata, block);
}

TEST_F(QtModeless, SameEntityEditorChangesTheMatchingLines) {
    const int a = Line(0, 0), b = Line(100, 0), other = Line(200, 300);
    Run({{nullptr, Point(50, 0)},
         {[&] {
              QDialog* window = OpenWindow(2008);
              ASSERT_NE(window, nullptr);
              EXPECT_EQ(window->windowTitle(), QStringLiteral("同类实体编辑器:2,LINE"));
              TypeIntoCell(*window, 3, 1, QStringLiteral("250"), 2007);
              Save(*window, "same-entity");
              Click(*window, 2008);
          },
          InputEvent{}}},
        [] { ModifySameEntity(); });
    EXPECT_EQ(At(a).WidthCode(), 250);
    EXPECT_EQ(At(b).WidthCode(), 250);
    EXPECT_EQ(At(other).WidthCode(), 300);
}

}  // namespace
}  // namespace ckw::test
