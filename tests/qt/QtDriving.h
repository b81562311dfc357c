#pragma once
// Driving the Qt runner's real widgets the way a person does, and saving pictures of windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <string>

#include "QtGridWidget.h"

namespace ckw::test {

inline void Save(QWidget& window, const char* name) {
    QTest::qWait(50);
    EXPECT_TRUE(window.grab().save(QString::fromStdString(std::string(CKW_SCREENSHOT_DIR) + "/" + name + ".png")));
}
// Types text into a grid cell the way a person does: click it, F2, replace, Enter.
inline void TypeIntoCell(QWidget& window, int row, int col, const QString& text, int gridId = 2000) {
    auto* grid = window.findChild<ckw::qt::QtGridWidget*>(QStringLiteral("ctl%1").arg(gridId));
    ASSERT_NE(grid, nullptr);
    const QRect cell = grid->visualItemRect(grid->item(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(20);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::qWait(20);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the cell opened no editor";
    editor->selectAll();
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(editor, text);
    } else {
        // Chinese text arrives from an input method as one committed string.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(editor, &commit);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
}
inline void Click(QWidget& window, int id) {
    auto* button = window.findChild<QAbstractButton*>(QStringLiteral("ctl%1").arg(id));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace ckw::test
