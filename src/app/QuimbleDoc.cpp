#include "app/QuimbleDoc.h"

#include "app/QuimbleView.h"
#include "controls/DIBMixer.h"

CQuimbleDoc::CQuimbleDoc()
    : m_autosave([this](const char* path) {
          auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
          CDIBMixer* mixer = view ? view->GetPictureArea() : nullptr;
          return mixer && mixer->SaveToLayeredFile(path);
      }) {}

namespace {
void MarkClean(CDocument& doc) {
    if (auto* view = dynamic_cast<CQuimbleView*>(doc.GetFirstView()))
        view->PictureIsClean();
}
} // namespace

BOOL CQuimbleDoc::OnNewDocument() {
    if (auto* view = dynamic_cast<CQuimbleView*>(GetFirstView()))
        view->ClearPicture();
    m_autosave.Discard();
    MarkClean(*this);
    return CDocument::OnNewDocument();
}

BOOL CQuimbleDoc::DoSave(const char* path, BOOL replace) {
    if (!CDocument::DoSave(path, replace))
        return FALSE;
    if (replace)
        MarkClean(*this);
    return TRUE;
}

BOOL CQuimbleDoc::OnSaveDocument(const char* path) {
    auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
    if (!view || !view->SaveLayeredPicture(path))
        return FALSE;
    m_autosave.Discard();
    return TRUE;
}

void CQuimbleDoc::OnPictureChanged() {
    SetModifiedFlag(TRUE);
    m_autosave.Schedule();
}

void CQuimbleDoc::PictureIsFile(const std::string& path) {
    SetPathName(path, TRUE);
    PictureIsUnchanged();
    MarkClean(*this);
}

void CQuimbleDoc::PictureIsUnchanged() {
    SetModifiedFlag(FALSE);
    m_autosave.Discard();
}

bool CQuimbleDoc::RestoreAutosave(const std::string& path) {
    auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
    if (!view || !view->LoadPicture(path.c_str(), FALSE))
        return false;
    // The picture was never saved under a name of its own, and nowhere but in the autosave.
    CDocument::OnNewDocument();
    SetModifiedFlag(TRUE);
    m_autosave.WriteNow();
    return true;
}
