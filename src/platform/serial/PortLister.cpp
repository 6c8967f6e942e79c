#include "platform/serial/PortLister.h"

#include "platform/serial/QtPortLister.h"

namespace {
PortLister* g_lister = nullptr;
} // namespace

PortLister& GetPortLister() {
    static QtPortLister system;
    return g_lister ? *g_lister : system;
}

void SetPortLister(PortLister* lister) {
    g_lister = lister;
}
