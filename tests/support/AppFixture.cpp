// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"

#include <QAction>
#include <QTest>

void AppFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    ui = std::make_unique<ScriptedWindowHost>();
}

void AppFixture::TearDown() {
    app.reset();
    ui.reset();
}

void AppFixture::Start(const CommandLineInfo& commandLine) {
    app = std::make_unique<CNamenApp>(std::make_unique<Profile>(TempPath("quintara.ini")));
    ASSERT_TRUE(app->InitInstance(commandLine));
}

void AppFixture::ShowActive() {
    Frame().resize(300, 478);
    Frame().show();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
}

QAction* AppFixture::Action(int id) const {
    for (QAction* a : Frame().findChildren<QAction*>()) {
        if (a->data().toInt() == id)
            return a;
    }
    return nullptr;
}

QPoint AppFixture::FieldPoint(int i) const {
    RECT r;
    View().GetFieldRect(i, r, nullptr);
    const POINT s = View().GetScrollPosition();
    return QPoint(r.left + 30 - s.x, (r.top + r.bottom) / 2 - s.y);
}

void AppFixture::RightClickField(int i, int item) {
    ui->menuAnswers.push_back(item);
    QTest::mouseClick(View().viewport(), Qt::RightButton, {}, FieldPoint(i));
}
