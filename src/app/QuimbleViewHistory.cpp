// Undo and redo: the picture after each committed change is a step of the document's history, and the
// screen shows whatever the document makes of its picture.

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
    CQuimbleDoc* doc = GetDocument();
    if (!mixer || !doc)
        return;
    // The document heard of the change already; here it becomes a step.
    m_committing = true;
    const bool step = doc->PictureCommitted(mixer->CaptureState());
    m_committing = false;
    if (step)
        UpdateHistoryCommands();
}

void CQuimbleView::OnChangesDone(bool replaced) {
    CDIBMixer* mixer = GetPictureArea();
    CQuimbleDoc* doc = GetDocument();
    if (m_committing || !mixer || !doc)
        return;
    mixer->ShowPicture(doc->GetPicture().GetState(), replaced);
    UpdateHistoryCommands();
}

void CQuimbleView::ResetHistory() {
    CDIBMixer* mixer = GetPictureArea();
    if (CQuimbleDoc* doc = GetDocument(); doc && mixer) {
        m_committing = true;
        doc->ResetHistory(mixer->CaptureState());
        m_committing = false;
    }
    UpdateHistoryCommands();
}

void CQuimbleView::Undo() {
    if (CQuimbleDoc* doc = GetDocument())
        doc->Undo();
    UpdateHistoryCommands();
}

void CQuimbleView::Redo() {
    if (CQuimbleDoc* doc = GetDocument())
        doc->Redo();
    UpdateHistoryCommands();
}

void CQuimbleView::UpdateHistoryCommands() {
    const CQuimbleDoc* doc = GetDocument();
    const auto enable = [this](int button, UINT command, bool on) {
        if (auto* control = FindControlAs<CButtonControl>(button))
            if (CWnd* wnd = control->GetWindow(); wnd && bool(wnd->IsWindowEnabled()) != on)
                control->Enable(on);
        if (CFrameWnd* frame = GetParentFrame())
            frame->EnableCommand(command, on);
    };
    enable(IDC_UNDO, ID_EDIT_UNDO, doc && doc->GetHistory().CanUndo());
    enable(IDC_REDO, ID_EDIT_REDO, doc && doc->GetHistory().CanRedo());
}
