#include "controls/DIBMixer.h"
#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "platform/DC.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
ModalAnswer Ok() {
    ModalAnswer answer;
    answer.result = IDOK;
    return answer;
}

constexpr COLORREF grey = MIXER_BACKGROUND;
constexpr COLORREF red = RGB(230, 10, 10);
constexpr int moveId = 100008, textId = 100009, interactiveId = 100010, helpId = 100011;

// A view that is its own control manager, with the compositor where the editor screen has it and its
// four mode buttons. The design screen is 788 x 550, so a view of that size has the scale 1.
class MixerTest : public ::testing::Test, public CWnd, public CControlManager {
protected:
    MixerTest() : CControlManager(this) {}

    void Build(int width, int height) {
        Create("", WS_VISIBLE, {0, 0, width, height}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        CButtonControl* buttons[4];
        const int ids[4] = {moveId, textId, interactiveId, helpId};
        for (int i = 0; i < 4; ++i) {
            buttons[i] = new CButtonControl(this, this, ids[i], {600, 10 + 30 * i, 640, 35 + 30 * i}, nullptr,
                                            CTL_TOGGLE, 0);
            AddControl(buttons[i]);
        }
        mixer->SetButtons(buttons[0], buttons[1], buttons[2], buttons[3]);
        SetBackground(nullptr);
        PaintBackground(nullptr); // fixes the design size and lays everything out
        SetModalResponder([this](const ModalQuestion& q) {
            questions.push_back(q);
            return onQuestion ? onQuestion(q) : Ok();
        });
    }
    void SetUp() override { Build(788, 550); }
    void TearDown() override {
        SetModalResponder({});
        ClearDisplayFlag(DISPLAY_PALETTE);
    }

    bool OnControlEvent(int id, WPARAM) override {
        commands.push_back(id);
        return true;
    }

    CButtonControl* Button(int id) { return static_cast<CButtonControl*>(FindControl(id)); }

    // A slot of one colour (opaque through its alpha companion) placed in design units.
    CDIBSlot* AddSlot(COLORREF colour, int pixelWidth, int pixelHeight, RECT place, std::uint32_t key) {
        auto source = SolidPicture(pixelWidth, pixelHeight, colour);
        source->SetAlpha(SolidAlpha(pixelWidth, pixelHeight, 255));
        auto slot = std::make_unique<CDIBSlot>();
        EXPECT_TRUE(slot->CreateFromLayerDib(source.get(), key));
        slot->m_x = place.left, slot->m_y = place.top;
        slot->m_width = place.Width(), slot->m_height = place.Height();
        slot->m_visible = 1;
        sources.push_back(std::move(source));
        CDIBSlot* raw = slot.get();
        EXPECT_TRUE(mixer->AddDibSlot(std::move(slot)));
        return raw;
    }

    COLORREF Shown(int x, int y) {
        CDC* dc = mixer->GetDC();
        const COLORREF colour = dc->GetPixel(x, y);
        mixer->ReleaseDC(dc);
        return colour;
    }

    CDIBMixer* mixer = nullptr;
    std::vector<std::unique_ptr<CDIB>> sources;
    std::vector<int> commands;
    std::vector<ModalQuestion> questions;
    std::function<ModalAnswer(const ModalQuestion&)> onQuestion;
};
} // namespace

TEST_F(MixerTest, RescaleMakesAGreyCanvasThePixelSizeOfTheControlAndPaintsIt) {
    EXPECT_TRUE(mixer->GetFlags() & CTL_NEVER_HOT);
    EXPECT_TRUE(mixer->GetFlags() & CMX_CANVAS_READY);
    EXPECT_EQ(mixer->GetCanvas().GetWidth(), 569);
    EXPECT_EQ(mixer->GetCanvas().GetHeight(), 421);
    EXPECT_EQ(mixer->GetCanvas().BitCount(), 24);
    EXPECT_EQ(mixer->GetCanvas().GetStretchMode(), COLORONCOLOR);
    EXPECT_EQ(PixelAt(mixer->GetCanvas(), 568, 420), grey);
    EXPECT_EQ(Shown(0, 0), grey);

    // At twice the size every design unit is two pixels; a palette screen draws it in halftone.
    SetDisplayFlag(DISPLAY_PALETTE);
    AddSlot(red, 10, 10, {10, 10, 20, 20}, 1);
    Resize(1576, 1100);
    EXPECT_EQ(mixer->GetCanvas().GetWidth(), 1138);
    EXPECT_EQ(mixer->GetCanvas().GetStretchMode(), HALFTONE);
    EXPECT_EQ(PixelAt(mixer->GetCanvas(), 19, 19), grey);
    EXPECT_EQ(PixelAt(mixer->GetCanvas(), 20, 20), red);
    EXPECT_EQ(PixelAt(mixer->GetCanvas(), 39, 39), red);
    EXPECT_EQ(PixelAt(mixer->GetCanvas(), 40, 40), grey);
    EXPECT_EQ(Shown(30, 30), red);
}

TEST_F(MixerTest, FindsTheFrontMostSlotOfAKeyAndTheLargestPicture) {
    CDIBSlot* first = AddSlot(red, 30, 12, {0, 0, 10, 10}, 7);
    AddSlot(red, 20, 40, {0, 0, 10, 10}, 7);
    int index = -1;
    EXPECT_EQ(mixer->FindDibSlot(7, &index), first);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(mixer->FindDibSlot(0), nullptr);
    EXPECT_EQ(mixer->FindDibSlot(8), nullptr);
    EXPECT_FALSE(mixer->AddDibSlot(nullptr));

    int width = 0, height = 0;
    mixer->GetLargestSlotSize(&width, &height);
    EXPECT_EQ(width, 30);
    EXPECT_EQ(height, 40);
}

TEST_F(MixerTest, ClearingTheSelectionSwitchesTheMoveAndTextButtonsOffWithoutEvents) {
    CDIBSlot* slot = AddSlot(red, 10, 10, {0, 0, 10, 10}, 1);
    mixer->SelectDibSlot(slot);
    EXPECT_TRUE(mixer->GetFlags() & CMX_SLOT_SELECTED);
    Button(moveId)->SetOn(true);
    Button(textId)->SetOn(true);
    mixer->SelectDibSlot(nullptr);
    EXPECT_FALSE(mixer->GetFlags() & CMX_SLOT_SELECTED);
    EXPECT_FALSE(Button(moveId)->GetFlags() & CTL_ON);
    EXPECT_FALSE(Button(textId)->GetFlags() & CTL_ON);
    EXPECT_TRUE(commands.empty());

    // Without a layer strip there is no layer to select: the move button goes off again at once.
    Button(moveId)->Clicked();
    EXPECT_FALSE(Button(moveId)->GetFlags() & CTL_ON);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr);
    Button(interactiveId)->Clicked();
    EXPECT_TRUE(mixer->IsInteractiveUpdate());
    Button(interactiveId)->Clicked();
    EXPECT_FALSE(mixer->IsInteractiveUpdate());
}

TEST_F(MixerTest, AnEventOfAnotherControlLeavesThePictureToWhoeverChangedIt) {
    // The layer strip recomposes after its own changes: composing again for its event would be twice.
    CDIB& canvas = const_cast<CDIB&>(mixer->GetCanvas());
    SetPixelAt(canvas, 5, 5, red);
    EXPECT_FALSE(mixer->OnControlEvent(100003, 0));
    EXPECT_EQ(PixelAt(canvas, 5, 5), red);
}

TEST_F(MixerTest, HelpShowsEachPageStretchedUntilOneIsMissingThenRepaintsThePicture) {
    TempDir dir;
    dir.Mkdir("res");
    const COLORREF pageColour[4] = {RGB(0, 0, 200), RGB(0, 200, 0), RGB(200, 200, 0), RGB(0, 200, 200)};
    for (int n = 0; n < 4; ++n)
        ASSERT_TRUE(
            SolidPicture(7 + n, 5, pageColour[n])->Save(dir.Join("res/helpe" + std::to_string(n) + ".bmp")));
    ASSERT_TRUE(SolidPicture(7, 5, red)->Save(dir.Join("res/helpn0.bmp")));
    ScopedCwd cwd(dir.path);
    mixer->SetHelpPrefix("res/helpe");

    std::vector<COLORREF> seen;
    onQuestion = [&](const ModalQuestion& q) {
        if (q.kind == ModalKind::WaitForClick) {
            seen.push_back(Shown(0, 0));
            EXPECT_EQ(Shown(568, 420), seen.back()) << "the page covers the whole picture area";
            EXPECT_TRUE(mixer->IsHelpShowing());
            Button(helpId)->Clicked(); // a second help event while pages show is ignored
        }
        return Ok();
    };
    Button(helpId)->Clicked();
    EXPECT_EQ(seen, std::vector<COLORREF>(pageColour, pageColour + 4));
    EXPECT_FALSE(mixer->IsHelpShowing());
    EXPECT_FALSE(Button(helpId)->GetFlags() & CTL_ON);
    EXPECT_EQ(Shown(0, 0), grey);

    // German has no pages here: nothing is shown and the button is off at once.
    mixer->SetHelpPrefix("res/helpg");
    seen.clear();
    Button(helpId)->SetOn(false);
    Button(helpId)->Clicked();
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(Button(helpId)->GetFlags() & CTL_ON);
}
