// Each settings dialog in a real window on the offscreen platform: one edit typed into the real
// widgets, OK clicked, the user library checked; a picture of each dialog is saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "FortranInterface.h"
#include "QtBackend.h"
#include "QtGridWidget.h"
#include "qt/QtDriving.h"
#include "framework/DialogRunner.h"
#include "geom/FrameSettingsDialog.h"
#include "settings/LayerDialog.h"
#include "tables/BarAreaDialog.h"
#include "settings/LineTypeDialog.h"
#include "settings/SettingsFixture.h"
#include "settings/TextSizeDialog.h"
#include "settings/UserParaDialog.h"

using ckw::test::SettingsFixture;
using namespace ckw::test;

namespace {

class QtDialogs : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        // Qt wants a private runtime directory.
        std::filesystem::path runtime = m_home.root() / "runtime";
        std::filesystem::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        m_previous = ckw::dlg::SetRunner(&ckw::qt::QtBackend()->Runner());
        std::filesystem::create_directories(CKW_SCREENSHOT_DIR);
    }
    void TearDown() override {
        ckw::qt::SetAutomation({});
        ckw::dlg::SetRunner(m_previous);
        SettingsFixture::TearDown();
    }
    // Runs drive in every dialog window once it is shown; a window still open after ten seconds
    // is cancelled, so that a failing test cannot hang.
    void Drive(std::function<void(QDialog&, ckw::dlg::Dialog&)> drive) {
        ckw::qt::Automation automation;
        automation.onShown = [drive](QDialog& window, ckw::dlg::Dialog& dialog) {
            QTimer::singleShot(10000, &window, [&window] { window.reject(); });
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            window.activateWindow();
            drive(window, dialog);
        };
        ckw::qt::SetAutomation(automation);
    }
    ckw::dlg::DialogRunner* m_previous = nullptr;
};

}  // namespace

TEST_F(QtDialogs, LineTypeEditTypedIntoTheGridIsSaved) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("线型设置"));
        TypeIntoCell(window, 2, 2, QStringLiteral("5,-2.500"));
        auto* grid = window.findChild<ckw::qt::QtGridWidget*>(QStringLiteral("ctl2000"));
        EXPECT_EQ(grid->item(2, 3)->text(), QStringLiteral("虚线 ___  ___  ")) << "the description follows the edit";
        Save(window, "linetype");
        Click(window, 1);
    });
    ckw::settings::LineTypeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(Scalar(UserLib(), Gbk(u8"SELECT 线型描述 FROM 系统线型表 WHERE 线型名称 = '虚线'")), "5,-2.5");
}

TEST_F(QtDialogs, LayerNameTypedIntoTheGridIsSaved) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        TypeIntoCell(window, 1, 3, QStringLiteral("框架梁"));
        Save(window, "layer");
        Click(window, 1);
    });
    ckw::settings::LayerDialog dialog(CStringArray{}, m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(Column(u8"系统构件图层表", u8"层名"), Gbk(u8"框架梁|柱|轴线|图框"));
}

TEST_F(QtDialogs, DimensionValueTypedOnTheSecondTabIsSaved) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        auto* tabs = window.findChild<QTabBar*>(QStringLiteral("ctl1208"));
        ASSERT_NE(tabs, nullptr);
        Save(window, "text");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTest::qWait(20);
        TypeIntoCell(window, 2, 2, QStringLiteral("1.25"));
        Save(window, "dimension");
        Click(window, 1);
    });
    ckw::settings::TextSizeDialog dialog(m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(Column(u8"系统尺寸标注表", u8"round(数值, 2)"), "1.5|1.25");
}

TEST_F(QtDialogs, UserParameterTypedIntoTheGridIsSaved) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("用户参数表"));
        TypeIntoCell(window, 2, 2, QStringLiteral("HRB500"));
        Save(window, "userpara");
        Click(window, 1);
    });
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), "25|HRB500");
}

TEST_F(QtDialogs, DrawingModeChosenWithTheRadioButtonIsStored) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        auto* paper = window.findChild<QRadioButton*>(QStringLiteral("ctl2009"));
        ASSERT_NE(paper, nullptr);
        EXPECT_EQ(paper->text(), QStringLiteral("图纸空间模式"));
        // On the button's circle: a radio button takes clicks on its circle and text only.
        QTest::mouseClick(paper, Qt::LeftButton, {}, QPoint(8, paper->height() / 2));
        QTest::qWait(20);
        EXPECT_FALSE(window.findChild<QRadioButton*>(QStringLiteral("ctl2010"))->isChecked());
        Save(window, "mode");
        Click(window, 1);
    });
    SetDrawingKind05_08();
    EXPECT_EQ(GetDrawingKind05(), 2005);
}

TEST_F(QtDialogs, FrameLengtheningTypedIntoTheGridIsTaken) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        Save(window, "frame-settings");
        TypeIntoCell(window, 2, 1, QStringLiteral("150"));
        Click(window, ckw::dlg::IDOK);
    });
    ckw::geom::FrameSettingsDialog dialog{ckw::geom::FrameSettings{}};
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(dialog.Settings().lengthening, 150);
    EXPECT_EQ(dialog.Settings().sheet, 1);
}

TEST_F(QtDialogs, BarAreaTablesOfBothModesShowAndClose) {
    for (int mode : {1, 2}) {
        int gridRows = 0;
        Drive([mode, &gridRows](QDialog& window, ckw::dlg::Dialog&) {
            auto* grid = window.findChild<ckw::qt::QtGridWidget*>(QStringLiteral("ctl2000"));
            ASSERT_NE(grid, nullptr);
            gridRows = grid->rowCount();
            Save(window, mode == 1 ? "bar-area-beams" : "bar-area-slabs");
            Click(window, ckw::dlg::IDOK);
        });
        ckw::tables::BarAreaDialog dialog(mode);
        EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
        EXPECT_GT(gridRows, 2) << "mode " << mode;
    }
}
