#include "platform/Document.h"

#include "platform/File.h"
#include "platform/FileDialog.h"
#include "platform/FrameWnd.h"
#include "platform/Modal.h"
#include "platform/SingleDocTemplate.h"
#include "platform/View.h"
#include "platform/WinApp.h"

#include <algorithm>

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetPathName(const std::string& path, BOOL addToMRU) {
    m_strPathName = path;
    std::size_t slash = path.find_last_of('/');
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
    if (addToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(path);
}

void CDocument::SetTitle(const std::string& title) {
    m_strTitle = title;
    UpdateFrameTitles();
}

void CDocument::SetModifiedFlag(BOOL modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    UpdateFrameTitles();
}

BOOL CDocument::OnNewDocument() {
    m_strPathName.clear();
    m_bModified = FALSE;
    SetDefaultTitle();
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    // A file is saved by writing a new one beside it, so one in a folder that takes no new file is as
    // read-only as a file that may not be written.
    return DoSave(CFile::CanReplace(m_strPathName.c_str()) ? m_strPathName.c_str() : nullptr);
}

void CDocument::SetDefaultTitle() {
    std::string name;
    if (m_pDocTemplate)
        m_pDocTemplate->GetDocString(name, CSingleDocTemplate::docName);
    SetTitle(name.empty() ? AfxGetFrameworkTexts().untitled : name);
}

BOOL CDocument::DoSave(const char* path, BOOL replace) {
    std::string newName = path ? path : "";
    if (newName.empty()) {
        // Documents here register no file type, so the dialog offers all files and adds no extension.
        std::string initial = m_strPathName.empty() ? m_strTitle : m_strPathName;
        std::string filter = AfxGetFrameworkTexts().allFiles + "|*.*||";
        CFileDialog dialog(FALSE, nullptr, initial.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           filter.c_str(), AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr);
        if (dialog.DoModal() != IDOK)
            return FALSE;
        newName = dialog.GetPathName();
        if (newName.empty())
            return FALSE;
    }
    if (!OnSaveDocument(newName.c_str()))
        return FALSE;
    if (replace) {
        SetPathName(newName);
        SetModifiedFlag(FALSE);
    }
    return TRUE;
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    std::string prompt = AfxGetFrameworkTexts().saveChanges;
    if (std::size_t at = prompt.find("%1"); at != std::string::npos)
        prompt.replace(at, 2, m_strTitle);
    switch (AfxMessageBox(prompt.c_str(), MB_SAVEDISCARDCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CDocument::AddView(CView* view) {
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    if (std::erase(m_views, view))
        view->m_pDocument = nullptr;
}

void CDocument::UpdateFrameTitles() {
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}

BOOL CDocument::OnCmdMsg(UINT id) {
    switch (id) {
    case ID_FILE_SAVE:
        DoFileSave();
        return TRUE;
    case ID_FILE_SAVE_AS:
        DoSave(nullptr);
        return TRUE;
    default:
        return FALSE;
    }
}
