#include "app/QuimbleDoc.h"

#include "app/QuimbleView.h"

BOOL CQuimbleDoc::OnNewDocument() {
    if (auto* view = dynamic_cast<CQuimbleView*>(GetFirstView()))
        view->ClearPicture();
    return CDocument::OnNewDocument();
}

BOOL CQuimbleDoc::OnSaveDocument(const char* path) {
    auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
    return view && view->SaveLayeredPicture(path);
}

void CQuimbleDoc::OnPictureChanged() {
    SetModifiedFlag(TRUE);
}

void CQuimbleDoc::PictureIsFile(const std::string& path) {
    SetPathName(path, TRUE);
    SetModifiedFlag(FALSE);
}
