// SPDX-License-Identifier: GPL-3.0-or-later
// The help window closes from the keyboard as a reading window does.

#include "app/HelpWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(HelpWindow, EscAndCtrlWCloseIt) {
    QTemporaryDir dir;
    const QString page = dir.filePath("quintara.html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>Hilfe</p></body></html>");
    file.close();

    HelpWindow help;
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_W, Qt::ControlModifier}}) {
        ASSERT_TRUE(help.ShowContents(page));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &help, key,
                        modifiers);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !help.isVisible(); })) << key;
    }
}
