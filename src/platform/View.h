#pragma once
// A view: the window inside a frame that shows a document. It draws through OnDraw, on the screen and
// on a printer page alike, and handles the Print and Print Preview commands.

#include "platform/CmdTarget.h"
#include "platform/Wnd.h"

#include <functional>

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;

class CView : public CWnd, public CCmdTarget {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Draws the view: on its own surface when painted, on a page when printed.
    virtual void OnDraw(CDC* dc) = 0;
    // Once, after the frame and document are ready. By default the view repaints.
    virtual void OnInitialUpdate();

    // Before a print job (or a preview): sets the page range and calls DoPreparePrinting. FALSE stops it.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    // The print dialog (not for a preview); TRUE when the job goes on.
    BOOL DoPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // One page: by default OnDraw on the printer's context.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);

    // Print (the print dialog, then the pages) and Print Preview.
    void OnFilePrint();
    void OnFilePrintPreview();
    BOOL OnCmdMsg(UINT id) override;
    // Sends a command to this view later, from the event loop, as a menu would: the view has it first,
    // then its document, its frame and the application.
    void PostCommand(UINT id);
    // Runs call later, from the event loop, once what is waiting now (a paint, say) has been handled;
    // dropped when the view goes first.
    void PostCall(std::function<void()> call);

    void OnPaint() override;

private:
    friend class CDocument;
    friend class CFrameWnd;
    void PrintJob(bool preview);

    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};
