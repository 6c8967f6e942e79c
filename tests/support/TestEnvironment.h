// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every test executable sets up before Qt starts: the offscreen
// platform unless another is named, and private runtime, profile, data and
// state folders, so that no test touches the user's own (programs the tests start
// inherit these folders too).

#include <QTemporaryDir>

class TestEnvironment {
public:
    TestEnvironment();

private:
    QTemporaryDir runtime_;
    QTemporaryDir config_;
    QTemporaryDir data_;
    QTemporaryDir state_;
};
