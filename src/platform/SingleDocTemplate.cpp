#include "platform/SingleDocTemplate.h"

#include "platform/Document.h"
#include "platform/FrameWnd.h"
#include "platform/View.h"
#include "platform/WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(DOCRESOURCE resource, DocumentFactory newDocument,
                                       FrameFactory newFrame, ViewFactory newView)
    : m_resource(std::move(resource)), m_newDocument(std::move(newDocument)), m_newFrame(std::move(newFrame)),
      m_newView(std::move(newView)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    CWinApp* app = AfxGetApp();
    if (app && m_frame && app->m_pMainWnd == m_frame.get())
        app->m_pMainWnd = nullptr;
    m_frame.reset();
    m_document.reset();
}

BOOL CSingleDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
    out.clear();
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_resource.docString.find('\n', start);
        if (start == std::string::npos)
            return FALSE;
        ++start;
    }
    std::size_t end = m_resource.docString.find('\n', start);
    out = m_resource.docString.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return TRUE;
}

CDocument* CSingleDocTemplate::OpenNewDocument() {
    if (m_document || !m_newDocument || !m_newFrame || !m_newView)
        return nullptr;
    std::unique_ptr<CDocument> doc = m_newDocument();
    std::unique_ptr<CFrameWnd> frame = m_newFrame();
    std::unique_ptr<CView> view = m_newView();
    if (!doc || !frame || !view)
        return nullptr;
    doc->SetDocTemplate(this);
    std::string title;
    GetDocString(title, windowTitle);
    if (!frame->LoadFrame(title, m_resource.menu, m_resource.accelerators, doc.get(), std::move(view)))
        return nullptr;
    doc->SetDefaultTitle();
    if (!doc->OnNewDocument())
        return nullptr;

    m_document = std::move(doc);
    m_frame = std::move(frame);
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = m_frame.get();
    m_frame->InitialUpdateFrame();
    return m_document.get();
}
