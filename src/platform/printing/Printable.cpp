// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/Printable.h"

#include "platform/dialogs/WindowHost.h"
#include "platform/printing/PrintInfo.h"

bool DoPreparePrinting(PrintInfo& info) {
    if (info.direct || info.preview)
        return true;
    if (!info.printer)
        return false;
    return GetWindowHost().PrintDialog(*info.printer, info.minPage, info.maxPage);
}
