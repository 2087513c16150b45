// The editor's commands that compose the picture: new picture, quit, the content folders, picking a
// thumbnail and putting it into a layer, the move and text modes, and Info.

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/InfoDialog.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "app/QuimbleView.h"
#include "app/ScreenLayout.h"
#include "composition/ContentKey.h"
#include "composition/DIBSlot.h"
#include "composition/LayerLabel.h"
#include "controls/DIBMixer.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/UserDataFolder.h"
#include "platform/WinApp.h"

#include <string>

namespace {
// Asks the question of key in the user's language; only OK is yes, and a missing text is no.
bool Ask(CControlManager& manager, int key) {
    return manager.ShowMessage(manager.GetMessageTable().FindMessage(key), MB_OKCANCEL | MB_ICONQUESTION) ==
           IDOK;
}

// What the Info dialog says of a layer's content image and the slot that shows it.
std::string DescribeLayer(const CDIB& image, const CDIBSlot& slot) {
    const auto number = [](long value) { return std::to_string(value); };
    const int bits = image.BitCount() ? image.BitCount() : 24;
    const CDIB* alpha = image.GetAlpha();
    const int language = GetLanguage();
    return ProgramTextOf(
        ProgramText::layerInfo, language,
        {image.GetName().empty() ? ProgramWords(ProgramText::textPicture, language) : image.GetName(),
         number(slot.GetWidth()), number(slot.GetHeight()), number(bits), number(slot.m_x), number(slot.m_y),
         number(slot.m_width), number(slot.m_height),
         alpha ? alpha->GetName() : ProgramWords(ProgramText::noTransparency, language)});
}
// Whether path names a picture of the backgrounds folder, the installed one or the user's own.
bool IsBackground(const std::string& path) {
    const std::string folder = SplitPath(path).folder;
    const std::string name = SplitPath(FIRST_THUMB_FOLDER).name;
    return folder == MakeFullPath(FIRST_THUMB_FOLDER) + "/" || folder == UserDataFolder() + "/" + name + "/";
}
} // namespace

void CQuimbleView::ClearPicture() {
    auto* strip = FindControlAs<CLayerStrip>(IDC_LAYER_STRIP);
    if (!strip)
        return;
    strip->ClearAllLayers();
    strip->Refresh(0, TRUE);
}

void CQuimbleView::NewPicture() {
    CQuimbleDoc* doc = GetDocument();
    if (!doc)
        ClearPicture();
    else if (doc->SaveModified())
        doc->OnNewDocument();
}

void CQuimbleView::Quit() {
    // As the window's close box: the document asks about its changes, then the program ends.
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        app->OnAppExit();
    else
        PostQuitMessage(0);
}

void CQuimbleView::ShowContentFolder(int id) {
    auto* strip = FindControlAs<CThumbStrip>(IDC_THUMB_STRIP);
    if (!strip)
        return;
    for (const ContentFolder& folder : CONTENT_FOLDERS)
        if (folder.id == id)
            strip->SetFolder(MakeFullPath(folder.folder).c_str(),
                             (UserDataFolder() + "/" + SplitPath(folder.folder).name).c_str());
}

void CQuimbleView::MoveModeChanged() {
    auto* move = FindControlAs<CButtonControl>(IDC_MOVE);
    auto* text = FindControlAs<CButtonControl>(IDC_TEXT);
    if (move && text && move->IsOn())
        text->SwitchOff();
}

void CQuimbleView::TextModeChanged() {
    auto* move = FindControlAs<CButtonControl>(IDC_MOVE);
    auto* text = FindControlAs<CButtonControl>(IDC_TEXT);
    if (!move || !text)
        return;
    if (text->IsOn())
        move->SwitchOff();
    auto* mixer = GetPictureArea();
    if (!mixer) {
        AfxMessageBox("Error: could not get the DIBMixer\n", 0);
        return;
    }
    // The dialog opens whichever way the button went: switching it off is also a way to ask for a text.
    using Kind = CDIBMixer::TextTargetKind;
    const CDIBMixer::TextTarget target = mixer->FindTextTarget();
    if (target.kind == Kind::noFreeLayer) {
        ShowMessage(GetMessageTable().FindMessage(MSG_NO_FREE_LAYER), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int prompt = target.kind == Kind::changeText  ? MSG_REPLACE_PROMPT
                       : target.kind == Kind::onPicture ? MSG_TEXT_PROMPT_ON_PICTURE
                                                        : MSG_TEXT_PROMPT_NEW;
    LayerText s = target.kind == Kind::changeText ? *target.layer->GetText() : m_textSettings;
    CTextDialog dialog;
    if (!dialog.Run(GetMessageTable().FindMessage(prompt), &s.text, &s.centred, &s.colour, s.font))
        return;
    m_textSettings = s;
    // After Cancel the text is empty, which leaves the picture as it is.
    mixer->SetTextLayer(s.text, &s.font, s.colour, s.centred);
}

void CQuimbleView::ShowInfo() {
    auto* strip = FindControlAs<CLayerStrip>(IDC_LAYER_STRIP);
    auto* mixer = GetPictureArea();
    CLayerControl* layer = strip ? strip->GetSelected() : nullptr;
    CDIB* image = layer ? layer->GetImage() : nullptr;
    const CDIBSlot* slot = image && mixer ? mixer->FindDibSlot(layer->GetContentKey()) : nullptr;
    if (!slot)
        return;
    CInfoDialog dialog;
    dialog.Run(DescribeLayer(*image, *slot), image);
}

void CQuimbleView::PickThumbnail(int id) {
    auto* cell = FindControlAs<CHoldControl>(id);
    auto* picked = FindControlAs<CHoldControl>(IDC_PICKED);
    if (cell && picked)
        picked->CopyImageFrom(cell);
}

void CQuimbleView::PutPickedIntoLayer() {
    auto* picked = FindControlAs<CHoldControl>(IDC_PICKED);
    auto* strip = FindControlAs<CLayerStrip>(IDC_LAYER_STRIP);
    CLayerControl* layer = strip ? strip->GetSelected() : nullptr;
    if (!picked || !picked->GetImage() || !layer)
        return;
    if (auto* mixer = GetPictureArea())
        mixer->SelectDibSlot(nullptr);
    if (layer->GetImage() && !Ask(*this, MSG_REPLACE_LAYER))
        return;
    const std::string& name = picked->GetImage()->GetName();
    const std::uint32_t key = NewContentKey();
    if (auto* mixer = GetPictureArea(); mixer && IsBackground(name))
        mixer->CoverPictureAreaWith(key);
    layer->PutContent(picked, key, PictureLabel(name, IsInUserDataFolder(name)));
    // Clicks one after another fill the layers from the back towards the front.
    CLayerControl* previous = strip->GetPreviousLayer(layer);
    if (previous && !previous->GetImage())
        strip->Select(previous); // which recomposes
    else
        strip->Refresh(0, TRUE);
}
