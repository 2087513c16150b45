#pragma once
// The printer the program prints on, with its settings (the page set-up dialog changes them for the
// rest of the run), and the three ways to use it: set up, print, preview.

#include "platform/WinTypes.h"
#include <functional>
#include <memory>

class CDC;
class CPrintInfo;
class CWnd;
class QPrinter;

class CPrinter {
public:
    CPrinter();
    ~CPrinter();
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    // Draws one page: a context on the page (its printable width and resolution) and the job's facts.
    using PageDrawer = std::function<void(CDC*, CPrintInfo*)>;

    // The page set-up dialog; TRUE when the user accepted it.
    BOOL PageSetup(CWnd* parent);
    // The print dialog offering info's page range; TRUE when the user chose to print. A scripted answer
    // with a path prints into that PDF file.
    BOOL PrintDialog(CWnd* parent, CPrintInfo* info);
    // Prints info's pages. FALSE when the printer cannot start a job.
    BOOL PrintPages(CPrintInfo* info, const PageDrawer& draw);
    // Shows the pages in the preview window until it is closed; facingPages shows two side by side.
    // A scripted answer with a path renders what the preview shows into that PDF file.
    void Preview(CWnd* parent, CPrintInfo* info, bool facingPages, const PageDrawer& draw);

private:
    BOOL Render(QPrinter& printer, CPrintInfo* info, const PageDrawer& draw);

    std::unique_ptr<QPrinter> m_printer;
};
