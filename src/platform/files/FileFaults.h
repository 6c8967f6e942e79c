// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fault injection for the file steps of saving, so that tests can make any
// single write, flush, sync or rename fail and check that nothing is lost.
// Without an installed injector every check passes at no cost.

#include <functional>

namespace fault {

enum class Step { Open, Write, Flush, Sync, Chmod, Rename, SyncDir };

// Answers 0 to let the step run, or the system error number it fails with.
using Injector = std::function<int(Step)>;

void SetInjector(Injector injector);
int Check(Step step);

} // namespace fault
