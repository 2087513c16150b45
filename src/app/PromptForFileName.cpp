#include "app/PromptForFileName.h"

#include "platform/FileDialog.h"
#include "platform/FrameWnd.h"
#include "platform/Modal.h"
#include "platform/WinApp.h"

int PromptForFileName(std::string* path, BOOL open, const char* defExt, DWORD flags, const char* filter) {
    if (!path)
        return 0;
    if (flags == 0)
        flags = DEFAULT_FILE_DIALOG_FLAGS;
    if (open)
        flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    CWnd* owner = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    CFileDialog dialog(open, defExt, path->empty() ? nullptr : path->c_str(), flags, filter, owner);
    if (dialog.DoModal() != IDOK)
        return 0;
    *path = dialog.GetPathName();
    return path->empty() ? 0 : 1;
}
