#include "ReferenceCompose.h"
#include "composition/BlendTable.h"
#include "composition/DIBMixer.h"
#include "controls/ButtonControl.h"
#include "controls/ContentKey.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include "platform/Modal.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int moveId = 100008, infoId = 100012, glueId = 100013, upId = 100014, downId = 100015,
              deleteId = 100016;

// The picture area, its four mode buttons, the layer strip with its ten layers and five buttons, joined
// as the editor screen joins them: a view that is its own control manager.
class LayerScreen : public ::testing::Test, public CWnd, public CControlManager {
protected:
    LayerScreen() : CControlManager(this) {}

    // background: the screen background picture, or none for the plain colour.
    void Build(int width, int height, const std::string& togglePicture, const char* background = nullptr) {
        Create("", WS_VISIBLE, {0, 0, width, height}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        CButtonControl* modes[4];
        for (int i = 0; i < 4; ++i) {
            modes[i] = new CButtonControl(this, this, moveId + i, {580 + 50 * i, 98, 628 + 50 * i, 158},
                                          nullptr, CTL_TOGGLE, 0);
            AddControl(modes[i]);
        }
        mixer->SetButtons(modes[0], modes[1], modes[2], modes[3]);
        for (int i = 0; i < 10; ++i) {
            layers.push_back(new CLayerControl(this, this, 100025 + 2 * i, {603, 233, 777, 260}, nullptr, 0,
                                               togglePicture.c_str(), 100026 + 2 * i, 2, 2));
            AddControl(layers.back());
        }
        for (int id = infoId; id <= deleteId; ++id)
            AddControl(new CButtonControl(this, this, id,
                                          {580 + 40 * (id - infoId), 170, 615 + 40 * (id - infoId), 205},
                                          nullptr, 0, 0));
        strip = new CLayerStrip(this, this, 100045, {599, 230, 781, 540}, 0x10400, 4, 3);
        AddControl(strip);
        for (CLayerControl* layer : layers)
            strip->AddControl(layer);
        strip->SetButtons(Button(infoId), Button(glueId), Button(upId), Button(downId), Button(deleteId));
        strip->SetCompositor(mixer);
        SetBackground(background);
        PaintBackground(nullptr);
        GetMessageTable().AddMessage(MSG_CLEAR_LAYER, 0, "Clear the layer?");
        SetModalResponder([](const ModalQuestion&) {
            ModalAnswer answer;
            answer.result = IDOK;
            return answer;
        });
        ASSERT_TRUE(table.Build());
    }
    void SetUp() override {
        const std::string toggle = dir.Join("bvisib.bmp");
        SolidPicture(25, 108, RGB(90, 90, 90))->Save(toggle);
        Build(1000, 700, toggle);
    }
    void TearDown() override { SetModalResponder({}); }
    BOOL OnEraseBkgnd(CDC* dc) override { return PaintBackground(dc) ? TRUE : CWnd::OnEraseBkgnd(dc); }

    CButtonControl* Button(int id) { return static_cast<CButtonControl*>(FindControl(id)); }
    const std::vector<std::unique_ptr<CDIBSlot>>& Slots() { return mixer->GetSlots(); }

    // Puts picture on layer i with a new key, as the editor does with a picked picture (without the
    // strip's refresh).
    std::uint32_t Put(int i, std::unique_ptr<CDIB> picture) {
        EXPECT_TRUE(layers[i]->SetImage(picture.release()));
        layers[i]->m_contentKey = NewContentKey();
        layers[i]->m_label = "layer " + std::to_string(i);
        layers[i]->m_changed = true;
        return layers[i]->m_contentKey;
    }
    RECT Update() {
        RECT rect{};
        EXPECT_TRUE(mixer->UpdateFromLayerStrip(&rect));
        return rect;
    }
    static RECT AreaOf(const CDIBSlot* slot) {
        RECT area{slot->m_x, slot->m_y, slot->m_x + slot->m_width, slot->m_y + slot->m_height};
        NormalizeRect(area);
        return area;
    }
    static RECT Union(RECT a, const RECT& b) {
        UnionRect(a, a, b);
        return a;
    }
    // Puts slot at place (right before left mirrors it) as a drag does: it gathers its old and new area.
    static void Drag(CDIBSlot* slot, const RECT& place) {
        const RECT old = AreaOf(slot);
        slot->m_x = place.left, slot->m_y = place.top;
        slot->m_width = place.Width(), slot->m_height = place.Height();
        slot->SetMirrorHorizontal(slot->m_width < 0);
        slot->m_changed = 1;
        slot->m_changedArea = Union(old, AreaOf(slot));
    }
    // Whether the canvas is what composing every slot from scratch gives.
    ::testing::AssertionResult CanvasIsComposedWhole() {
        const CDIB& canvas = mixer->GetCanvas();
        CDIB expected;
        expected.Create(canvas.GetWidth(), canvas.GetHeight(), 24);
        ReferenceCompose(expected, Slots(), GetScaleX(), GetScaleY(), nullptr, true, table.Data(),
                         MIXER_KEY_COLOUR, MIXER_BACKGROUND);
        for (int y = 0; y < canvas.GetHeight(); ++y)
            for (int x = 0; x < canvas.GetWidth(); ++x)
                if (PixelAt(canvas, x, y) != PixelAt(expected, x, y))
                    return ::testing::AssertionFailure() << "first difference at " << x << ", " << y;
        return ::testing::AssertionSuccess();
    }

    TempDir dir;
    CBlendTable table;
    CDIBMixer* mixer = nullptr;
    CLayerStrip* strip = nullptr;
    std::vector<CLayerControl*> layers;
};

// A picture of w x h in colour with a white (key) hole, or cut out through an alpha companion with a
// soft edge.
std::unique_ptr<CDIB> Picture(int w, int h, COLORREF colour, bool withAlpha) {
    auto picture = SolidPicture(w, h, colour);
    const RECT hole{w / 4, h / 4, w / 2, h / 2};
    picture->Fill(0xFFFFFF, &hole);
    if (withAlpha) {
        auto alpha = SolidAlpha(w, h, 255);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w / 5; ++x)
                alpha->GetBits()[std::size_t(y) * alpha->GetStride() + x] = BYTE(40 * x % 256);
        picture->SetAlpha(std::move(alpha));
    }
    return picture;
}
} // namespace

TEST_F(LayerScreen, NewContentGetsASlotAtTheTopLeftAtFiveNinthsAndTwoQuietPassesChangeNothing) {
    EXPECT_EQ(mixer->m_layerStrip, strip);
    EXPECT_EQ(Update(), (RECT{})) << "nothing on the layers";
    const std::uint32_t a = Put(1, Picture(90, 45, RGB(200, 0, 0), false));
    const std::uint32_t b = Put(4, Picture(36, 72, RGB(0, 0, 200), true));
    EXPECT_EQ(Update(), (RECT{0, 0, 50, 40}));
    ASSERT_EQ(Slots().size(), 2u);
    EXPECT_EQ(Slots()[0]->m_key, a) << "the front-most layer first";
    EXPECT_EQ(Slots()[1]->m_key, b);
    EXPECT_EQ(AreaOf(Slots()[0].get()), (RECT{0, 0, 50, 25}));
    EXPECT_EQ(Slots()[0]->m_visible, 1);
    EXPECT_EQ(Slots()[1]->m_source, layers[4]->GetImage());
    EXPECT_FALSE(layers[1]->m_changed);
    EXPECT_EQ(Update(), (RECT{})) << "a second pass without change";
    EXPECT_FALSE(strip->UniteLayerArea(nullptr, layers[1]));
}

TEST_F(LayerScreen, SlotsKeepTheirPlaceByKeyWhenLayersSwapAndTheirOrderFollows) {
    Put(1, Picture(90, 45, RGB(200, 0, 0), false));
    Put(2, Picture(36, 72, RGB(0, 0, 200), true));
    Update();
    CDIBSlot* first = Slots()[0].get();
    CDIBSlot* second = Slots()[1].get();
    first->m_x = 100, first->m_y = 50;
    second->m_x = 300, second->m_y = 200, second->m_width = -20;

    ASSERT_TRUE(layers[1]->SwapLayerWith(layers[2]));
    layers[1]->m_changed = layers[2]->m_changed = true;
    EXPECT_EQ(Update(), Union(AreaOf(first), AreaOf(second)));
    ASSERT_EQ(Slots().size(), 2u);
    EXPECT_EQ(Slots()[0].get(), second);
    EXPECT_EQ(Slots()[1].get(), first);
    EXPECT_EQ(second->m_x, 300);
    EXPECT_EQ(second->m_width, -20);
}

TEST_F(LayerScreen, ANewKeyOnALayerMakesANewSlotAndRecomposesBothAreas) {
    Put(3, Picture(90, 45, RGB(200, 0, 0), false));
    Update();
    CDIBSlot* old = Slots()[0].get();
    old->m_x = 200, old->m_y = 100;
    const RECT oldArea = AreaOf(old);
    const std::uint32_t key = Put(3, Picture(18, 18, RGB(0, 200, 0), false));
    EXPECT_EQ(Update(), Union(oldArea, {0, 0, 10, 10}));
    ASSERT_EQ(Slots().size(), 1u);
    EXPECT_EQ(Slots()[0]->m_key, key);
    EXPECT_EQ(AreaOf(Slots()[0].get()), (RECT{0, 0, 10, 10}));

    // Content gone: its old area is recomposed and the slot goes.
    Slots()[0]->m_x = 40;
    layers[3]->ClearImage();
    layers[3]->m_changed = true;
    EXPECT_EQ(Update(), (RECT{40, 0, 50, 10}));
    EXPECT_TRUE(Slots().empty());
}

TEST_F(LayerScreen, HidingALayerRecomposesItsSlotsAreaAndShowingItAgainToo) {
    Put(0, Picture(90, 45, RGB(200, 0, 0), false));
    Update();
    CDIBSlot* slot = Slots()[0].get();
    slot->m_x = 10;
    layers[0]->GetToggle()->m_flags |= CTL_ON;
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
    EXPECT_EQ(slot->m_visible, 0);
    EXPECT_EQ(Update(), (RECT{}));
    layers[0]->GetToggle()->m_flags &= ~CTL_ON;
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
    EXPECT_EQ(slot->m_visible, 1);

    // A slot changed by a drag brings the area it gathered; without one, its own.
    slot->m_changed = 1;
    slot->m_changedArea = {90, 80, 5, 3};
    EXPECT_EQ(Update(), (RECT{5, 3, 90, 80}));
    slot->m_changed = 1;
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
}

TEST_F(LayerScreen, TheModeButtonsSelectTheSlotOfTheSelectedLayerAndALostSlotIsForgotten) {
    Put(2, Picture(90, 45, RGB(200, 0, 0), false));
    Put(5, Picture(90, 45, RGB(0, 200, 0), false));
    strip->Refresh(0, TRUE);
    strip->Select(layers[2]);
    EXPECT_TRUE(Button(moveId)->IsWindowEnabled());
    Button(moveId)->Clicked();
    ASSERT_NE(mixer->GetSelectedSlot(), nullptr);
    EXPECT_EQ(mixer->GetSelectedSlot()->m_key, layers[2]->m_contentKey);

    strip->Select(layers[5]);
    EXPECT_EQ(mixer->GetSelectedSlot()->m_key, layers[5]->m_contentKey) << "the selection follows the layer";

    // The selected layer gets a new picture: its old slot goes, and with it the selection.
    Put(5, Picture(30, 30, RGB(0, 0, 200), false));
    strip->Refresh(0, TRUE);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr);
    EXPECT_FALSE(mixer->m_flags & CMX_SLOT_SELECTED);
    EXPECT_FALSE(Button(moveId)->m_flags & CTL_ON);

    Button(moveId)->Clicked();
    strip->Select(layers[7]);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr) << "an empty layer clears the selection";
    EXPECT_FALSE(Button(moveId)->IsWindowEnabled());
}

// Five layers go through what a user does with the strip; after every step the picture must be what
// composing all slots from scratch gives, although only the changed areas were recomposed.
TEST_F(LayerScreen, TheWholeStripDrivesThePictureAndOnlyWhatChangedIsRecomposed) {
    const COLORREF colours[5] = {RGB(220, 30, 30), RGB(30, 160, 30), RGB(30, 30, 220), RGB(200, 200, 20),
                                 RGB(120, 20, 160)};
    const RECT places[5] = {
        {20, 30, 220, 180}, {150, 100, 400, 300}, {300, 20, 100, 260}, {60, 200, 500, 400}, {0, 0, 569, 421}};
    for (int i = 0; i < 5; ++i) {
        Put(i, Picture(60 + 30 * i, 50 + 20 * i, colours[i], i % 2 == 0));
        strip->Refresh(0, TRUE);
        ASSERT_TRUE(CanvasIsComposedWhole()) << "layer " << i << " filled";
    }
    for (int i = 0; i < 5; ++i)
        Drag(mixer->FindDibSlot(layers[i]->m_contentKey), places[i]);
    mixer->Recompose(TRUE);
    ASSERT_TRUE(CanvasIsComposedWhole()) << "placed";

    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"hide layer 1", [&] { layers[1]->GetToggle()->Clicked(); }},
        {"select layer 3", [&] { layers[3]->Clicked(); }},
        {"lay up", [&] { Button(upId)->Clicked(); }},
        {"lay down", [&] { Button(downId)->Clicked(); }},
        {"lay down again", [&] { Button(downId)->Clicked(); }},
        {"select and delete layer 0",
         [&] {
             strip->Select(layers[0]);
             Button(deleteId)->Clicked();
         }},
        {"glue", [&] { Button(glueId)->Clicked(); }},
        {"show the hidden layer",
         [&] {
             for (CLayerControl* layer : layers)
                 if (!layer->IsShown())
                     layer->GetToggle()->Clicked();
         }},
        {"a new picture on the last layer",
         [&] {
             strip->Select(layers[9]);
             Put(9, Picture(40, 40, RGB(10, 200, 200), true));
             strip->Refresh(0, TRUE);
         }},
    };
    for (const auto& step : steps) {
        step.act();
        ASSERT_TRUE(CanvasIsComposedWhole()) << step.step;
    }
    // Four pictures are left, gathered at the back, the new one in place of the last.
    EXPECT_EQ(Slots().size(), 4u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(layers[i]->GetImage(), nullptr) << i;
    EXPECT_EQ(Slots().back()->m_key, layers[9]->m_contentKey);
}

// Draws the layer strip beside the picture into the PNG file named by QUIMBLE_DEMO_SHOT, with pictures
// of the data folder; QUIMBLE_DEMO_WAIT keeps it on the display that many ms.
TEST(LayerScreenDemonstration, TenLayersBesideThePicture) {
    const char* shot = std::getenv("QUIMBLE_DEMO_SHOT");
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!shot || !res)
        GTEST_SKIP() << "set QUIMBLE_DEMO_SHOT=file.png and QUIMBLE_RES_DIR to draw the layer screen";
    class Screen : public LayerScreen {
    public:
        void TestBody() override {}
        void Show(const std::string& res) {
            Build(900, 628, res + "/bvisib.bmp", (res + "/Backg.BMP").c_str());
            std::vector<std::string> pictures;
            for (const auto& entry : std::filesystem::directory_iterator(res + "/chars"))
                if (entry.path().filename().string().rfind("i", 0) == 0)
                    pictures.push_back(entry.path().string());
            std::sort(pictures.begin(), pictures.end());
            ASSERT_GE(pictures.size(), 4u);
            const int on[4] = {1, 2, 4, 6};
            for (int k = 0; k < 4; ++k) {
                CLayerControl* layer = layers[on[k]];
                ASSERT_TRUE(layer->SetImageFromFile(pictures[k].c_str()));
                layer->m_contentKey = NewContentKey();
                layer->m_label = std::filesystem::path(pictures[k]).stem().string();
                strip->Refresh(0, TRUE);
                CDIBSlot* slot = mixer->FindDibSlot(layer->m_contentKey);
                Drag(slot,
                     {30 + 130 * k, 60 + 40 * k, 30 + 130 * k + slot->m_width, 60 + 40 * k + slot->m_height});
            }
            layers[4]->GetToggle()->Clicked();
            layers[2]->Clicked();
            strip->Refresh(0, TRUE);
            QApplication::processEvents();
        }
    } screen;
    screen.Show(res);
    QTest::qWait(200);
    EXPECT_TRUE(screen.GetQWidget()->grab().save(shot));
    if (const char* wait = std::getenv("QUIMBLE_DEMO_WAIT"))
        QTest::qWait(std::atoi(wait));
}
