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

#include <ckw/FortranInterface.h>
#include "QtBackend.h"
#include "QtGridWidget.h"
#include "qt/QtDriving.h"
#include "dialog/DialogRunner.h"
#include "sheet/FrameSettingsDialog.h"
#include "settings/LayerDialog.h"
#include "tables/BarAreaDialog.h"
#include "tables/TableDesignDialog.h"
#include "tables/TdbFile.h"
#include "res/ResourceIds.h"
#include "settings/LineTypeDialog.h"
#include "settings/SettingsFixture.h"
#include "settings/TextSizeDialog.h"
#include "settings/UserParaDialog.h"

using ckw::test::SettingsFixture;
using namespace ckw::test;
using ckw::qt::QtGridWidget;

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
        TypeIntoCell(window, 1, 2, QStringLiteral("30"));  // the grade (row 2) is picked from its list
        Save(window, "userpara");
        Click(window, 1);
    });
    ckw::settings::UserParaDialog dialog(Gbk(u8"用户参数表"), m_paths);
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    EXPECT_EQ(Column(u8"用户参数表", u8"数值"), "30|HRB400");
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

namespace {

QtGridWidget* GridOf(QWidget& window, int id = 2000) {
    return window.findChild<ckw::qt::QtGridWidget*>(QStringLiteral("ctl%1").arg(id));
}

// True when some pixel of the area is darker than mid grey (something is drawn there).
bool InkIn(const QImage& picture, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) return true;
    return false;
}

}  // namespace

TEST_F(QtDialogs, BarAreaCornerCaptionsSitInTheirTrianglesAndTheSlabWindowShortens) {
    int fullHeight = 0;
    for (int mode : {1, 2}) {
        Drive([mode, &fullHeight](QDialog& window, ckw::dlg::Dialog& dialog) {
            QtGridWidget* grid = GridOf(window);
            ASSERT_NE(grid, nullptr);
            Save(window, mode == 1 ? "bar-area-beams" : "bar-area-slabs");
            const QRect cell = grid->visualItemRect(grid->item(0, 0));
            const auto& labels = grid->model().Cell(0, 0).labels;
            ASSERT_EQ(labels.size(), 2u);
            // What the rows are stands below the diagonal, what the columns are above it.
            for (int k = 0; k < 2; ++k) {
                const QRect text = QtGridWidget::LabelRect(cell, labels[k], grid->fontMetrics());
                EXPECT_TRUE(cell.contains(text)) << "mode " << mode << " label " << k;
                for (QPoint corner : {text.topLeft(), text.topRight(), text.bottomLeft(), text.bottomRight()}) {
                    const double across = double(corner.x() - cell.left()) / cell.width();
                    const double down = double(corner.y() - cell.top()) / cell.height();
                    if (k == 0) {
                        EXPECT_GT(down, across) << "mode " << mode << ": row caption crosses the diagonal";
                    } else {
                        EXPECT_LT(down, across) << "mode " << mode << ": column caption crosses the diagonal";
                    }
                }
            }
            if (mode == 1) fullHeight = window.height();
            if (mode == 2) {
                EXPECT_EQ(window.height(), fullHeight * 7 / 10) << "the slab table's window is shortened";
                EXPECT_EQ(window.height(), dialog.Height());
                EXPECT_LE(grid->geometry().bottom(), window.height());
            }
            Click(window, ckw::dlg::IDOK);
        });
        ckw::tables::BarAreaDialog dialog(mode);
        EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    }
}

TEST_F(QtDialogs, UserTableCellTypedAndCellAttributesShownAreSaved) {
    const auto file = m_cfg / "TableData1.TDB";
    std::filesystem::copy_file(std::string(CKW_SOURCE_DIR) + "/examples/tables/column-schedule.TDB", file);
    Drive([](QDialog& window, ckw::dlg::Dialog& dialog) {
        if (dialog.TemplateId() == ckw::res::IDD_TABLE_CELL) {
            Save(window, "user-table-cell");
            Click(window, ckw::dlg::IDOK);
            return;
        }
        EXPECT_EQ(window.windowTitle(), QStringLiteral("用户表格设计"));
        TypeIntoCell(window, 5, 4, QStringLiteral("16C25"));
        Save(window, "user-table");
        Click(window, ckw::res::IDC_TABLE_CELL);
        Click(window, ckw::dlg::IDOK);
    });
    ckw::tables::TableDesignDialog dialog(CfgGbk() + "/TableData1.TDB", CfgGbk() + "/$tmpTdb.TDB");
    EXPECT_EQ(dialog.DoModal(), ckw::dlg::IDOK);
    ckw::tables::UserTable saved;
    ASSERT_TRUE(ckw::tables::LoadTdbFile(CfgGbk() + "/TableData1.TDB", saved).ok());
    EXPECT_EQ(saved.Cell(4, 3).text, "16C25");
    EXPECT_EQ(saved.Cell(0, 0).colSpan, 9);
}

TEST_F(QtDialogs, EveryLayerRowReadsInItsOwnColours) {
    using ::testing::_;
    // The host's palette: red, yellow, white and green among the first colours.
    ON_CALL(m_engine, HostColorIndexToRgb(_, _)).WillByDefault([](const int& colour, int& rgb) {
        const int palette[] = {0, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF};
        rgb = colour >= 0 && colour < 8 ? palette[colour] : 0xFFFFFF;
    });
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        QtGridWidget* grid = GridOf(window);
        ASSERT_NE(grid, nullptr);
        Save(window, "layer-colours");
        for (int r = 1; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* shown = grid->item(r, c);
                if (shown->text().isEmpty()) continue;
                EXPECT_GE(QtGridWidget::Contrast(shown->foreground().color(), shown->background().color()), 3.0)
                    << "row " << r << " column " << c << ": " << shown->text().toStdString();
            }
            EXPECT_FALSE(grid->item(r, 4)->text().isEmpty()) << "row " << r << ": the colour is named";
        }
        EXPECT_EQ(grid->item(3, 4)->text(), QStringLiteral("白"));
        window.reject();
    });
    ckw::settings::LayerDialog dialog(CStringArray{}, m_paths);
    dialog.DoModal();
}

TEST_F(QtDialogs, DropDownCellsShowTheirArrow) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        QtGridWidget* grid = GridOf(window);
        ASSERT_NE(grid, nullptr);
        const QImage picture = grid->viewport()->grab().toImage();
        int lists = 0;
        for (int r = 0; r < grid->rowCount(); ++r) {
            const auto& cell = grid->model().Cell(r, 1);
            if (cell.kind == ckw::grid::kKindButton) continue;
            const QRect arrow = QtGridWidget::DropDownArrowRect(grid->visualItemRect(grid->item(r, 1)));
            const bool list = cell.kind == ckw::grid::kKindDropDown && !cell.readOnly;
            lists += list;
            EXPECT_EQ(InkIn(picture, arrow.adjusted(2, 2, -2, -2)), list) << "row " << r;
        }
        EXPECT_EQ(lists, 3) << "sheet number, placing and the title block";
        window.reject();
    });
    ckw::geom::FrameSettingsDialog dialog{ckw::geom::FrameSettings{}};
    dialog.DoModal();
}

TEST_F(QtDialogs, TextSizeRowsShowTheirKeyAndWholeDescription) {
    Drive([](QDialog& window, ckw::dlg::Dialog&) {
        QtGridWidget* grid = GridOf(window);
        ASSERT_NE(grid, nullptr);
        const QTableWidgetItem* first = grid->item(1, 1);
        EXPECT_TRUE(first->text().startsWith(QStringLiteral("钢筋标注"))) << first->text().toStdString();
        for (int r = 1; r < grid->rowCount(); ++r) {
            const QRect cell = grid->visualItemRect(grid->item(r, 1));
            const QRect needed = grid->fontMetrics().boundingRect(cell.adjusted(4, 0, -4, 0), Qt::TextWordWrap,
                                                                  grid->item(r, 1)->text());
            EXPECT_LE(needed.height(), cell.height()) << "row " << r << " is cut";
        }
        window.reject();
    });
    ckw::settings::TextSizeDialog dialog(m_paths);
    dialog.DoModal();
}
