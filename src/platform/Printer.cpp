#include "platform/Printer.h"

#include "platform/DC.h"
#include "platform/Modal.h"
#include "platform/PrintInfo.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {
QWidget* Owner(CWnd* parent) {
    QWidget* w = parent ? parent->GetQWidget() : nullptr;
    return w ? w->window() : QApplication::activeWindow();
}

void PrintIntoFile(QPrinter& printer, const std::string& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
}
} // namespace

// The printer's own resolution, so that a picture is sent at the detail the paper can take.
CPrinter::CPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

CPrinter::~CPrinter() = default;

BOOL CPrinter::PageSetup(CWnd* parent) {
    ModalQuestion q;
    q.kind = ModalKind::PrintSetup;
    if (auto answer = ScriptedAnswer(q))
        return answer->result == IDOK;
    QPageSetupDialog dialog(m_printer.get(), Owner(parent));
    return dialog.exec() == QDialog::Accepted;
}

BOOL CPrinter::PrintDialog(CWnd* parent, CPrintInfo* info) {
    ModalQuestion q;
    q.kind = ModalKind::Print;
    if (auto answer = ScriptedAnswer(q)) {
        if (answer->result != IDOK)
            return FALSE;
        if (!answer->path.empty())
            PrintIntoFile(*m_printer, answer->path);
        return TRUE;
    }
    QPrintDialog dialog(m_printer.get(), Owner(parent));
    dialog.setMinMax(int(info->GetMinPage()), int(info->GetMaxPage()));
    return dialog.exec() == QDialog::Accepted;
}

BOOL CPrinter::PrintPages(CPrintInfo* info, const PageDrawer& draw) {
    return Render(*m_printer, info, draw);
}

void CPrinter::Preview(CWnd* parent, CPrintInfo* info, bool facingPages, const PageDrawer& draw) {
    info->m_bPreview = TRUE;
    ModalQuestion q;
    q.kind = ModalKind::PrintPreview;
    if (auto answer = ScriptedAnswer(q)) {
        if (!answer->path.empty()) {
            QPrinter file(QPrinter::HighResolution);
            PrintIntoFile(file, answer->path);
            Render(file, info, draw);
        }
        return;
    }
    QPrintPreviewDialog dialog(m_printer.get(), Owner(parent));
    if (facingPages)
        if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
            view->setViewMode(QPrintPreviewWidget::FacingPagesView);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* printer) { Render(*printer, info, draw); });
    dialog.exec();
}

BOOL CPrinter::Render(QPrinter& printer, CPrintInfo* info, const PageDrawer& draw) {
    QPainter painter;
    if (!painter.begin(&printer))
        return FALSE;
    // Without this the PDF engine stores pictures as JPEG, blurring the hard edges of the layers.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (UINT page = info->GetMinPage(); page <= info->GetMaxPage(); ++page) {
        if (page != info->GetMinPage() && !printer.newPage())
            break;
        info->m_nCurPage = page;
        std::unique_ptr<CDC> dc = CDC::ForPainter(&painter, printer.width(), printer.height(),
                                                  printer.logicalDpiX(), printer.logicalDpiY());
        draw(dc.get(), info);
        if (page == info->GetMaxPage()) // the last page may be the largest number there is
            break;
    }
    return painter.end();
}
