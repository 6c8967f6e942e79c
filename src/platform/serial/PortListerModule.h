// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The module that holds the system's serial port lister, and how the
// program finds it: beside the executable (the build tree), else in
// lib/quintara/modules/ of the installation, relative to the executable.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

class PortLister;

// The one function the module exports: a new lister, owned by the caller.
// Its name carries the version of the interface, so that a module built
// for another layout of PortLister is not taken.
extern "C" Q_DECL_EXPORT PortLister* quintara_port_lister_v1();
inline constexpr char kPortListerEntry[] = "quintara_port_lister_v1";

inline constexpr char kPortListerModule[] = "quintara-ports.so";

// Where the module is looked for, in order, for an executable in exeDir.
QStringList PortListerModulePaths(const QString& exeDir);
// The lister of the first of paths that loads as the module; null when none
// does. The module stays loaded for the rest of the run.
std::unique_ptr<PortLister> LoadPortLister(const QStringList& paths);
