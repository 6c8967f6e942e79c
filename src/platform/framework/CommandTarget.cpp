// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/framework/CommandTarget.h"

bool CommandTarget::OnCmdMsg(int id, CmdUi* ui) {
    for (const Entry& e : table_) {
        if (id < e.first || id > e.last)
            continue;
        if (ui) {
            if (e.updater)
                e.updater(*ui);
            else
                ui->Enable(true);
            return true;
        }
        if (e.handler) {
            e.handler(id);
            return true;
        }
    }
    return false;
}

void CommandTarget::OnCommand(int id, Handler handler, Updater updater) {
    table_.push_back(
        {id, id, handler ? RangeHandler([h = std::move(handler)](int) { h(); }) : RangeHandler(),
         std::move(updater)});
}

void CommandTarget::OnCommandRange(int first, int last, RangeHandler handler, Updater updater) {
    table_.push_back({first, last, std::move(handler), std::move(updater)});
}
