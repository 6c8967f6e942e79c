// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's string table: German texts looked up by numeric id.

#include <QString>

// The text of string resource id, or an empty string when there is none.
QString LoadStr(int id);

// Part `index` (0-based) of a text whose parts are separated by '\n', as the
// status prompt (part 0) and tooltip (part 1) of a command.
QString LoadStrPart(int id, int index);
