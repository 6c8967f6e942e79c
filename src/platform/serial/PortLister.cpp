// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/PortLister.h"

#include "platform/serial/PortListerModule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifndef QUINTARA_PORTS_MODULE_DIR
#define QUINTARA_PORTS_MODULE_DIR "../lib/quintara/modules"
#endif

namespace {

PortLister* g_lister = nullptr;

// Without the module there is nothing to list; the dialogs still offer the
// standard port and a typed path, and the transfer does not need it.
class NoPortLister final : public PortLister {
public:
    std::vector<SerialPortEntry> List() override { return {}; }
};

PortLister& SystemLister() {
    static const std::unique_ptr<PortLister> lister = [] {
        const QString exeDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        std::unique_ptr<PortLister> loaded = LoadPortLister(PortListerModulePaths(exeDir));
        return loaded ? std::move(loaded) : std::make_unique<NoPortLister>();
    }();
    return *lister;
}

} // namespace

QStringList PortListerModulePaths(const QString& exeDir) {
    const QDir dir(exeDir);
    return {dir.filePath(QLatin1String(kPortListerModule)),
            QDir::cleanPath(dir.filePath(QStringLiteral(QUINTARA_PORTS_MODULE_DIR "/") +
                                         QLatin1String(kPortListerModule)))};
}

std::unique_ptr<PortLister> LoadPortLister(const QStringList& paths) {
    using Entry = decltype(&quintara_port_lister_v1);
    for (const QString& path : paths) {
        if (!QFileInfo(path).isFile())
            continue;
        // Never unloaded: the lister's code lives in the module.
        QLibrary module(path);
        const auto entry = reinterpret_cast<Entry>(module.resolve(kPortListerEntry));
        if (entry)
            return std::unique_ptr<PortLister>(entry());
        module.unload();
    }
    return nullptr;
}

PortLister& GetPortLister() {
    return g_lister ? *g_lister : SystemLister();
}

void SetPortLister(PortLister* lister) {
    g_lister = lister;
}
