// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/FileFaults.h"

namespace fault {
namespace {
Injector& Current() {
    static Injector injector;
    return injector;
}
} // namespace

void SetInjector(Injector injector) {
    Current() = std::move(injector);
}

int Check(Step step) {
    const Injector& injector = Current();
    return injector ? injector(step) : 0;
}

} // namespace fault
