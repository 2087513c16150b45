// Undo and redo: the picture after each committed change is a step of the history.

#include "app/QuimbleView.h"

#include "app/ControlIds.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "controls/ButtonControl.h"
#include "controls/DIBMixer.h"
#include "platform/FrameWnd.h"

void CQuimbleView::OnPictureChanged() {
    if (CQuimbleDoc* doc = GetDocument())
        doc->OnPictureChanged();
}

void CQuimbleView::OnPictureComposed() {
    CDIBMixer* mixer = GetPictureArea();
    // The document heard of the change already; here it becomes a step.
    if (mixer && m_history.Commit(mixer->CaptureState()))
        UpdateHistoryCommands();
}

void CQuimbleView::ResetHistory() {
    if (CDIBMixer* mixer = GetPictureArea())
        m_history.Reset(mixer->CaptureState());
    UpdateHistoryCommands();
}

void CQuimbleView::Undo() {
    if (m_history.CanUndo())
        Restore(m_history.Undo());
}

void CQuimbleView::Redo() {
    if (m_history.CanRedo())
        Restore(m_history.Redo());
}

void CQuimbleView::Restore(const CPictureState& state) {
    if (CDIBMixer* mixer = GetPictureArea())
        mixer->RestoreState(state);
    // Back at the picture the file holds, there is nothing left to save or to autosave.
    if (CQuimbleDoc* doc = GetDocument(); doc && m_history.IsClean())
        doc->PictureIsUnchanged();
    UpdateHistoryCommands();
}

void CQuimbleView::UpdateHistoryCommands() {
    const auto enable = [this](int button, UINT command, bool on) {
        if (auto* control = FindControlAs<CButtonControl>(button))
            if (CWnd* wnd = control->GetWindow(); wnd && bool(wnd->IsWindowEnabled()) != on)
                control->Enable(on);
        if (CFrameWnd* frame = GetParentFrame())
            frame->EnableCommand(command, on);
    };
    enable(IDC_UNDO, ID_EDIT_UNDO, m_history.CanUndo());
    enable(IDC_REDO, ID_EDIT_REDO, m_history.CanRedo());
}
