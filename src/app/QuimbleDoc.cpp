#include "app/QuimbleDoc.h"

#include "app/ControlIds.h"
#include "app/QuimbleView.h"
#include "app/ScreenLayout.h"
#include "composition/PictureFile.h"

namespace {
// The picture's places are measured in the picture area's design units.
SIZE DesignSize() {
    const RECT area = FindScreenPlace(IDC_MIXER)->rect;
    return {area.Width(), area.Height()};
}
} // namespace

CQuimbleDoc::CQuimbleDoc()
    : m_picture(DesignSize(), LAYER_COUNT),
      // Without a screen there is no picture to keep.
      m_autosave(
          [this](const char* path) { return GetFirstView() && CPictureFile::Write(path, m_picture); }) {}

BOOL CQuimbleDoc::OnNewDocument() {
    if (auto* view = dynamic_cast<CQuimbleView*>(GetFirstView()))
        view->ClearPicture();
    m_picture.Clear();
    m_autosave.Discard();
    m_history.MarkClean();
    return CDocument::OnNewDocument();
}

BOOL CQuimbleDoc::DoSave(const char* path, BOOL replace) {
    if (!CDocument::DoSave(path, replace))
        return FALSE;
    if (replace)
        m_history.MarkClean();
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

bool CQuimbleDoc::PictureCommitted(const CPictureState& state) {
    m_picture.SetState(state);
    return m_history.Commit(state);
}

bool CQuimbleDoc::ReadPicture(const std::string& path, CDIBManager& store) {
    CPicture read = m_picture;
    if (!CPictureFile::Read(path, store, &read))
        return false;
    // A step first, so that whoever shows the picture finds the step it can go back from.
    const CPictureState state = read.GetState();
    m_history.Commit(state);
    m_picture.SetState(state, true);
    return true;
}

bool CQuimbleDoc::Undo() {
    return GoTo(m_history.CanUndo(), &CUndoHistory::Undo);
}

bool CQuimbleDoc::Redo() {
    return GoTo(m_history.CanRedo(), &CUndoHistory::Redo);
}

bool CQuimbleDoc::GoTo(bool can, const CPictureState& (CUndoHistory::*step)()) {
    if (!can)
        return false;
    m_picture.SetState((m_history.*step)());
    // Back at the picture the file holds, there is nothing left to save or to autosave.
    if (m_history.IsClean())
        PictureIsUnchanged();
    return true;
}

void CQuimbleDoc::ResetHistory(const CPictureState& state) {
    m_picture.SetState(state);
    m_history.Reset(state);
}

void CQuimbleDoc::ForgetPicture() {
    m_picture.SetState({}, true);
    m_history.Reset({});
}

void CQuimbleDoc::PictureIsFile(const std::string& path) {
    SetPathName(path, TRUE);
    PictureIsUnchanged();
    m_history.MarkClean();
}

void CQuimbleDoc::PictureIsUnchanged() {
    SetModifiedFlag(FALSE);
    m_autosave.Discard();
}

bool CQuimbleDoc::RestoreAutosave(const std::string& path) {
    auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
    if (!view || !view->LoadPicture(path.c_str(), FALSE))
        return false;
    // The picture was never saved under a name of its own, and nowhere but in the autosave: going back
    // from it leaves changes to save too.
    CDocument::OnNewDocument();
    m_history.ForgetClean();
    SetModifiedFlag(TRUE);
    m_autosave.WriteNow();
    return true;
}
