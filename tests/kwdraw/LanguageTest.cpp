// The window's language: Chinese menus, snap names and measurements under a Chinese locale from
// the zh_CN translation built beside kwdraw, English under any other. The locale is given to the
// window, never taken from the environment the tests run in.
#include <QLabel>
#include <QTranslator>

#include "SnapCursor.h"
#include "Translation.h"
#include "WindowFixture.h"

namespace {

class Language : public Window {
protected:
    void Start(const char* locale) {
        translated = kwdraw::UseTranslation(*qApp, QLocale(QString::fromLatin1(locale)),
                                            QStringLiteral(CKW_KWDRAW_TRANSLATIONS));
        Window::SetUp();
    }
    void SetUp() override {}  // each test starts the window in its language
    void TearDown() override {
        Window::TearDown();
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    QString Caption(const char* action) { return window->Action(QString::fromLatin1(action))->text(); }

    bool translated = false;
};

TEST_F(Language, ChineseLocaleGetsChineseMenusSnapNamesAndMeasurements) {
    Start("zh_CN");
    ASSERT_TRUE(translated) << "kwdraw_zh_CN.qm is built beside kwdraw";
    EXPECT_EQ(Caption("fileOpen"), QStringLiteral(u"打开(&O)..."));
    EXPECT_EQ(Caption("draftLine"), QStringLiteral(u"直线(&L)"));
    EXPECT_EQ(Caption("userTableDesign"), QStringLiteral(u"用户表格设计(&T)..."));
    EXPECT_EQ(kwdraw::SnapCursor::KindName(ckw::engine::SnapKind::Endpoint), QStringLiteral(u"端点"));
    steps = {[&] { Type(QStringLiteral("0,0")); }, [&] { Type(QStringLiteral("3000,4000")); }};
    window->Action(QStringLiteral("measureDistance"))->trigger();
    EXPECT_EQ(window->PromptLabel()->text(),
              QStringLiteral(u"距离 = 5000.0 (5.000 m)，角度 = 53.13°，ΔX = 3000.0，ΔY = 4000.0"));
    Screenshot(*window, "kwdraw-zh-CN");
}

TEST_F(Language, OtherLocalesKeepEnglish) {
    for (const char* locale : {"en_GB", "de_DE", "ja_JP"}) {
        EXPECT_FALSE(kwdraw::UseTranslation(*qApp, QLocale(QString::fromLatin1(locale)),
                                            QStringLiteral(CKW_KWDRAW_TRANSLATIONS)))
            << locale;
    }
    Start("en_US");
    EXPECT_EQ(Caption("fileOpen"), QStringLiteral("&Open..."));
    EXPECT_EQ(Caption("userTableDesign"), QStringLiteral("User &table design..."));
}

}  // namespace
