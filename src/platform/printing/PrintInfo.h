// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one print job or print preview knows while it runs.

class QPrinter;

struct PrintInfo {
    QPrinter* printer = nullptr;
    bool direct = false;  // printed without the print dialog
    bool preview = false; // drawn into the print preview
    int minPage = 1;
    int maxPage = 0xFFFF;
    int currentPage = 1;
    void SetMaxPage(int page) { maxPage = page; }
};
