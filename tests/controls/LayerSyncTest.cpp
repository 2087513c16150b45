#include "LayerScreen.h"

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

TEST_F(LayerScreen, NewContentGetsASlotAtTheTopLeftAtFiveNinthsAndTwoQuietPassesChangeNothing) {
    EXPECT_EQ(mixer->GetLayerStrip(), strip);
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
    EXPECT_FALSE(layers[1]->IsChanged());
    EXPECT_EQ(Update(), (RECT{})) << "a second pass without change";
    EXPECT_FALSE(strip->UniteLayerArea(nullptr, layers[1]));
}

TEST_F(LayerScreen, APictureLargerThanTheAreaComesFittedIntoItAndABackgroundCoversIt) {
    // The area is 569 x 421 design units; 5/9 of a picture's pixels are its size there.
    const struct {
        int width, height;
        bool background;
        RECT area;
    } cases[] = {
        {2048, 1536, false, {0, 0, 561, 421}}, // a photograph: its height decides
        {2048, 400, false, {0, 0, 569, 111}},  // a panorama: its width decides
        {1024, 758, false, {0, 0, 568, 421}},  // fits as it is
        {90, 45, false, {0, 0, 50, 25}},
        // A background covers the whole area in its proportions, centred, reaching past it on one axis.
        {800, 600, true, {0, -3, 569, 424}},
        {300, 600, true, {0, -358, 569, 780}},
        {2048, 400, true, {-793, 0, 1363, 421}},
        {90, 45, true, {-136, 0, 706, 421}},
    };
    for (const auto& c : cases) {
        const std::uint32_t key = Put(2, Picture(c.width, c.height, RGB(200, 0, 0), false));
        if (c.background)
            mixer->CoverPictureAreaWith(key);
        Update();
        ASSERT_EQ(Slots().size(), 1u);
        EXPECT_EQ(AreaOf(Slots()[0].get()), c.area) << c.width << " x " << c.height;
    }
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
    EXPECT_EQ(Update(), (RECT{40, 0, 50, 10}));
    EXPECT_TRUE(Slots().empty());
}

TEST_F(LayerScreen, HidingALayerRecomposesItsSlotsAreaAndShowingItAgainToo) {
    Put(0, Picture(90, 45, RGB(200, 0, 0), false));
    Update();
    CDIBSlot* slot = Slots()[0].get();
    slot->m_x = 10;
    layers[0]->SetHidden(true);
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
    EXPECT_EQ(slot->m_visible, 0);
    EXPECT_EQ(Update(), (RECT{}));
    layers[0]->SetHidden(false);
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
    EXPECT_EQ(slot->m_visible, 1);

    // A slot changed by a drag brings the area it gathered; without one, its own.
    slot->m_changed = 1;
    slot->m_changedArea = {90, 80, 5, 3};
    EXPECT_EQ(Update(), (RECT{5, 3, 90, 80}));
    slot->m_changed = 1;
    EXPECT_EQ(Update(), (RECT{10, 0, 60, 25}));
}

// A click on the hide toggle, the button held down while the click is handled, hides the layer at once, and
// the next one shows it at once.
TEST_F(LayerScreen, AClickOnTheHideToggleHidesOrShowsTheLayerAtOnce) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(GetQWidget()));
    Put(3, Picture(90, 45, RGB(200, 0, 0), false));
    strip->Refresh(0, TRUE);
    QWidget* toggle = layers[3]->GetToggle()->GetQWidget();
    for (const bool hidden : {true, false, true, false}) {
        SCOPED_TRACE(hidden ? "hidden" : "shown");
        QTest::mousePress(toggle, Qt::LeftButton, Qt::NoModifier, toggle->rect().center());
        QApplication::processEvents();
        QTest::mouseRelease(toggle, Qt::LeftButton, Qt::NoModifier, toggle->rect().center());
        EXPECT_EQ(layers[3]->IsHidden(), hidden);
        EXPECT_EQ(Slots()[0]->m_visible, hidden ? 0 : 1);
        EXPECT_EQ(PixelAt(mixer->GetCanvas(), 5, 5), hidden ? MIXER_BACKGROUND : RGB(200, 0, 0));
        EXPECT_TRUE(CanvasIsComposedWhole());
    }
}

TEST_F(LayerScreen, TheModeButtonsSelectTheSlotOfTheSelectedLayerAndALostSlotIsForgotten) {
    Put(2, Picture(90, 45, RGB(200, 0, 0), false));
    Put(5, Picture(90, 45, RGB(0, 200, 0), false));
    strip->Refresh(0, TRUE);
    strip->Select(layers[2]);
    EXPECT_TRUE(Button(moveId)->IsWindowEnabled());
    Button(moveId)->Clicked();
    ASSERT_NE(mixer->GetSelectedSlot(), nullptr);
    EXPECT_EQ(mixer->GetSelectedSlot()->m_key, layers[2]->GetContentKey());

    strip->Select(layers[5]);
    EXPECT_EQ(mixer->GetSelectedSlot()->m_key, layers[5]->GetContentKey())
        << "the selection follows the layer";

    // The selected layer gets a new picture: its old slot goes, and with it the selection.
    Put(5, Picture(30, 30, RGB(0, 0, 200), false));
    strip->Refresh(0, TRUE);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr);
    EXPECT_FALSE(mixer->GetFlags() & CMX_SLOT_SELECTED);
    EXPECT_FALSE(Button(moveId)->GetFlags() & CTL_ON);

    Button(moveId)->Clicked();
    strip->Select(layers[7]);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr) << "an empty layer clears the selection";
    EXPECT_TRUE(Button(moveId)->IsWindowEnabled()) << "a click on the picture still takes a sticker";
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
        Drag(mixer->FindDibSlot(layers[i]->GetContentKey()), places[i]);
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
    EXPECT_EQ(Slots().back()->m_key, layers[9]->GetContentKey());
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
                ASSERT_TRUE(layer->PutContent(GetDIB(pictures[k].c_str(), false), NewContentKey(),
                                              std::filesystem::path(pictures[k]).stem().string()));
                strip->Refresh(0, TRUE);
                CDIBSlot* slot = mixer->FindDibSlot(layer->GetContentKey());
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
