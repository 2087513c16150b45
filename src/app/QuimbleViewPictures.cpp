// The user's own pictures: Add Pictures, and files dropped from a file manager on the thumb strip or the
// picture area.

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/QuimbleResource.h"
#include "app/QuimbleView.h"
#include "app/ScreenLayout.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "imaging/OwnPictures.h"
#include "platform/FileDialog.h"
#include "platform/FullPath.h"
#include "platform/ImageFile.h"
#include "platform/Modal.h"
#include "platform/UserDataFolder.h"

namespace {
// "Pictures (*.png;*.jpg;...)|*.png;*.jpg;...|" for every format the readers take.
std::string PicturesFilter(int language) {
    std::string patterns;
    for (const std::string& extension : ImageFileExtensions())
        patterns += (patterns.empty() ? "*" : ";*") + extension;
    return std::string(PicturesFilterName(language)) + " (" + patterns + ")|" + patterns + "||";
}

bool IsThumbStripPart(int id) {
    return id == IDC_THUMB_STRIP || id == IDC_THUMB_BACK || id == IDC_THUMB_FORWARD ||
           (id >= IDC_THUMB_CELL1 && id < IDC_THUMB_CELL1 + THUMB_CELL_COUNT);
}
} // namespace

void CQuimbleView::AddPictures() {
    // A family adds its pictures from one folder of photos or drawings, often a few at a time.
    CFileDialog dialog(TRUE, nullptr, m_addFolder.empty() ? nullptr : m_addFolder.c_str(),
                       OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                       PicturesFilter(GetLanguage()).c_str(), this);
    if (dialog.DoModal() != IDOK || dialog.GetPathNames().empty())
        return;
    m_addFolder = SplitPath(dialog.GetPathNames().front()).folder;
    AddPictureFiles(dialog.GetPathNames());
}

bool CQuimbleView::CanDropFilesOn(CWnd* target) const {
    const CControl* control = target ? FindControlByWindow(target) : nullptr;
    return control && (control->GetId() == IDC_MIXER || IsThumbStripPart(control->GetId()));
}

void CQuimbleView::OnDropFiles(const std::vector<std::string>& paths, CWnd* target) {
    if (!CanDropFilesOn(target))
        return;
    const std::string first = AddPictureFiles(paths);
    if (FindControlByWindow(target)->GetId() == IDC_MIXER && !first.empty())
        PutPictureIntoLayer(first);
}

std::string CQuimbleView::AddPictureFiles(const std::vector<std::string>& paths) {
    auto* strip = FindControlAs<CThumbStrip>(IDC_THUMB_STRIP);
    // Before the strip shows a folder, pictures are backgrounds, the folder it shows first.
    std::string folder = strip ? strip->GetDirectory().GetOwnFolder() : std::string();
    if (folder.empty())
        folder = UserDataFolder() + "/" + SplitPath(FIRST_THUMB_FOLDER).name;
    const COwnPictures pictures(folder);
    std::string first, last;
    for (const std::string& path : paths) {
        std::string added;
        switch (pictures.Add(path, &added)) {
        case COwnPictures::Result::added:
            (first.empty() ? first : last) = added;
            break;
        case COwnPictures::Result::unreadable:
            ShowFileMessage(MSG_PICTURE_UNREADABLE, path, MB_OK | MB_ICONWARNING);
            break;
        case COwnPictures::Result::unwritable:
            ShowFileMessage(MSG_SAVE_ERROR, path, MB_OK | MB_ICONWARNING);
            break;
        }
    }
    if (strip && !first.empty())
        strip->ShowPicture(last.empty() ? first : last);
    return first;
}

void CQuimbleView::PutPictureIntoLayer(const std::string& path) {
    auto* picked = FindControlAs<CHoldControl>(IDC_PICKED);
    auto* strip = FindControlAs<CLayerStrip>(IDC_LAYER_STRIP);
    if (!picked || !strip || !picked->SetImageFromFile(path.c_str()))
        return;
    // With no layer selected, from the back.
    int selected = strip->GetCount();
    strip->IndexOf(strip->GetSelected(), &selected);
    // Outward from the selected layer, the nearer side first towards the back.
    for (int step = 0; step < LAYER_COUNT; ++step) {
        for (const int at : {selected + step, selected - step}) {
            CLayerControl* layer = strip->GetLayer(at);
            if (layer && !layer->GetImage()) {
                strip->Select(layer);
                PutPickedIntoLayer();
                return;
            }
        }
    }
    PutPickedIntoLayer();
}
