// The browser and "拷贝他层" in real windows on the offscreen platform: check boxes set in the
// grid widget, the pick round trip through the "拾取..." button; a picture of each is saved.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "QtBackend.h"
#include "QtDialogRunner.h"
#ifdef CKW_QT_PREVIEW
#include "QtFilePreview.h"
#include "drawfiles/DwgImport.h"
#endif
#include "QtDriving.h"
#include "QtGridWidget.h"
#include "drawfiles/DrawFilesFixture.h"
#include "drawfiles/FloorCommand.h"
#include "drawfiles/OldDrawingDialog.h"

namespace ckw::test {
namespace {

class QtDrawFiles : public DrawFilesFixture {
protected:
    void SetUp() override {
        DrawFilesFixture::SetUp();
        const fs::path runtime = m_home.root() / "runtime";
        fs::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        m_previousRunner = dlg::SetRunner(&qt::QtBackend()->Runner());
        fs::create_directories(CKW_SCREENSHOT_DIR);
    }
    void TearDown() override {
        qt::SetAutomation({});
        dlg::SetRunner(m_previousRunner);
        DrawFilesFixture::TearDown();
    }
    // Runs drive in every dialog window once shown; a window left open is cancelled after 10 s.
    void Drive(std::function<void(QDialog&)> drive) {
        qt::Automation automation;
        automation.onShown = [drive](QDialog& window, dlg::Dialog&) {
            QTimer::singleShot(10000, &window, [&window] { window.reject(); });
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            drive(window);
        };
        qt::SetAutomation(automation);
    }
    template <typename Widget>
    static Widget* Control(QDialog& window, int id) {
        return window.findChild<Widget*>(QStringLiteral("ctl%1").arg(id));
    }
    dlg::DialogRunner* m_previousRunner = nullptr;
};

TEST_F(QtDrawFiles, BrowserKeepsOneRowChecked) {
    std::vector<drawfiles::OldDrawing> candidates = {{"A.T", "/D/A.T", "/d/a.T", 1, 100, 0},
                                                     {"B.T", "/D/B.T", "/d/b.T", 3, 50, 0}};
    Drive([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("请选择要打开的旧图"));
        auto* grid = Control<qt::QtGridWidget>(window, 1005);
        ASSERT_NE(grid, nullptr);
        grid->item(1, 0)->setCheckState(Qt::Checked);
        grid->item(2, 0)->setCheckState(Qt::Checked);
        QTest::qWait(20);
        EXPECT_EQ(grid->item(1, 0)->checkState(), Qt::Unchecked);
        ckw::test::Save(window, "old-drawing-browser");
        Click(window, dlg::IDOK);
    });
    drawfiles::OldDrawingDialog dialog("/d/", candidates);
    EXPECT_EQ(dialog.DoModal(), dlg::IDOK);
    EXPECT_EQ(dialog.Picked(), std::optional<size_t>(1));
}

TEST_F(QtDrawFiles, CopyFloorComesBackAfterThePick) {
    Begin();
    Layer(1, G(u8"轴线"));
    Layer(2, G(u8"柱"));
    Line(1, 0, 0, 10, 0);
    const std::string source = ckw::text::Utf8ToGbk(Save("floor2.T").string());
    Input("point 30 40\n");
    int shown = 0;
    Drive([&shown](QDialog& window) {
        auto* x = Control<QLineEdit>(window, 1013);
        ASSERT_NE(x, nullptr);
        if (++shown == 1) {
            Click(window, 1017);
            return;
        }
        EXPECT_EQ(x->text(), QStringLiteral("30"));
        ckw::test::Save(window, "copy-floor");
        Click(window, dlg::IDOK);
    });
    drawfiles::RunFloorInsertion(source, drawfiles::InsertMode::Floor);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(Live(engine::kLine).size(), 1u);
    EXPECT_EQ(Live(engine::kLine)[0].values, (std::vector<float>{30, 40, 40, 40}));
}

#ifdef CKW_QT_PREVIEW
TEST_F(QtDrawFiles, OpenFileDialogShowsAPictureOfTheSelectedDrawing) {
    Begin();
    Layer(1, "AXIS");
    for (int i = 0; i <= 10; ++i) Line(1, float(i * 100), 0, float(i * 100), 600);
    const fs::path plan = Save("plan.T");
    dlg::FileDialogRequest request;
    request.filter = drawfiles::kImportFilter;
    request.previewDrawing = [](const std::string& path, const std::string& work) {
        return drawfiles::PreviewDrawing(path, "", work);
    };
    qt::EnsureApplication();
    ASSERT_FALSE(qt::PreviewFileDialog::Picture(request, QString::fromStdString(plan.string())).isNull());
    qt::PreviewFileDialog dialog(nullptr, request, QStringLiteral("*.T"));
    dialog.setDirectory(QString::fromStdString(m_dir.string()));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // Click the file in the list once the folder has been read (in the background).
    auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    QModelIndex item;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto found =
                list->model()->match(list->rootIndex().isValid() ? list->model()->index(0, 0, list->rootIndex())
                                                                 : list->model()->index(0, 0),
                                     Qt::DisplayRole, QStringLiteral("plan.T"), 1, Qt::MatchExactly);
            if (!found.isEmpty()) item = found.front();
            return item.isValid();
        },
        5000));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Panel()->pixmap().isNull(); }, 5000)) << "no picture came";
    const QImage picture = dialog.Panel()->pixmap().toImage();
    // Across the middle: the drawing's background with its eleven lines.
    const int y = picture.height() / 2;
    const QRgb background = picture.pixel(picture.width() / 2 + 3, y);
    int marked = 0;
    for (int x = 0; x < picture.width(); ++x) marked += picture.pixel(x, y) != background;
    EXPECT_GE(marked, 11) << "the lines are drawn";
    EXPECT_LT(marked, picture.width() / 2);
    ckw::test::Save(dialog, "open-drawing-preview");
    // A file that is not a drawing gives no picture (and no crash off the interface thread).
    EXPECT_TRUE(qt::PreviewFileDialog::Picture(request, QString::fromStdString((m_dir / "none.T").string())).isNull());
}
#endif

}  // namespace
}  // namespace ckw::test
