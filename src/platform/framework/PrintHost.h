#pragma once
// What the print commands of a view need from the application: the one
// printer of the run, and the profile entry for the preview's page count.

class QPrinter;

class PrintHost {
public:
    virtual ~PrintHost() = default;
    // The printer for every job and preview of the run (made on first use).
    virtual QPrinter& Printer() = 0;
    // How many pages the print preview shows side by side (1 or 2).
    virtual int PreviewPages() = 0;
    virtual void SetPreviewPages(int pages) = 0;
};
