// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started application (document, frame, view) with a profile in a
// temporary folder and a scripted UI host.

#include "ScriptedWindowHost.h"
#include "app/MainFrame.h"
#include "app/NamenApp.h"
#include "document/V7NamenDoc.h"
#include "view/V7NamenView.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the application with the given command line (default: empty strip).
    void Start(const CommandLineInfo& commandLine = {});
    // The main window shown and active, so that widgets can take the focus.
    void ShowActive();
    QString TempPath(const QString& name) const { return dir.filePath(name); }
    // The main window's menu or toolbar action for command id, or null.
    QAction* Action(int id) const;
    // A point inside field i, in the view's viewport.
    QPoint FieldPoint(int i) const;
    // Right press on field i choosing menu item `item` (-1: none).
    void RightClickField(int i, int item);

    CV7NamenDoc& Doc() const { return *app->GetDocument(); }
    CV7NamenView& View() const { return *app->GetView(); }
    CMainFrame& Frame() const { return *app->MainFrame(); }

    QTemporaryDir dir;
    std::unique_ptr<ScriptedWindowHost> ui;
    std::unique_ptr<CNamenApp> app;
};
