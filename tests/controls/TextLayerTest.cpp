#include "LayerScreen.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr COLORREF white = 0xFFFFFF;

// The box of the pixels of picture in rows from..to - 1 that are not white (empty when there are none).
RECT InkBox(const CDIB& picture, int from, int to) {
    RECT box{picture.GetWidth(), to, 0, from};
    for (int y = from; y < to; ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            if (PixelAt(picture, x, y) != white)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    return box;
}

// Whether each channel of c lies between that of colour and white: a letter's edge fades into the white.
bool TowardWhite(COLORREF c, COLORREF colour) {
    return GetRValue(c) >= GetRValue(colour) && GetGValue(c) >= GetGValue(colour) &&
           GetBValue(c) >= GetBValue(colour);
}
} // namespace

// Text of every colour shows: white as the nearly white 0xFEFEFE, black on the white of its picture. Sharp
// fonts give letters of exactly the colour, antialiased ones edges that fade into white, never into black.
TEST_F(LayerScreen, TextOfEveryColourShowsInItsColourOnAWhitePicture) {
    const LOGFONT zero{};
    LOGFONT large{};
    large.lfHeight = -40;
    LOGFONT smooth{};
    smooth.lfQuality = ANTIALIASED_QUALITY;
    const struct {
        const char* name;
        const char* text;
        const LOGFONT* font;
        COLORREF colour, ink;
        bool exact;
    } cases[] = {
        {"white", "Hello", &zero, white, 0xFEFEFE, true},
        {"black, no font", "Hello", nullptr, 0x000000, 0x000000, true},
        {"a colour, 40 pixels", "Hello", &large, RGB(200, 30, 40), RGB(200, 30, 40), true},
        {"an ampersand", "&", &zero, RGB(0, 0, 200), RGB(0, 0, 200), true},
        {"antialiased", "Hello", &smooth, RGB(200, 30, 40), RGB(200, 30, 40), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(mixer->SetTextLayer(c.text, c.font, c.colour, 0));
        const CDIB* picture = layers[9]->GetImage();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->BitCount(), 24);
        const int w = picture->GetWidth(), h = picture->GetHeight();
        EXPECT_EQ(PixelAt(*picture, 0, 0), white);
        int ink = 0, edge = 0, other = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const COLORREF p = PixelAt(*picture, x, y);
                const bool between = p != white && p != c.ink;
                ink += p == c.ink;
                edge += between && TowardWhite(p, c.ink);
                other += between && !TowardWhite(p, c.ink);
            }
        }
        EXPECT_GT(ink, 10);
        EXPECT_EQ(other, 0) << "pixels darker than the text";
        EXPECT_EQ(edge > 0, !c.exact) << "smoothed edges";

        // The letters are on the picture, over the grey of the empty picture area.
        const CDIB& canvas = mixer->GetCanvas();
        int shown = 0;
        for (int y = 0; y < canvas.GetHeight() / 4; ++y)
            for (int x = 0; x < canvas.GetWidth() / 4; ++x)
                shown += PixelAt(canvas, x, y) == c.ink;
        EXPECT_GT(shown, 0);
    }
    LOGFONT small{};
    small.lfHeight = -12;
    ASSERT_TRUE(mixer->SetTextLayer("Hello", &small, 0, 0));
    const int smallHeight = layers[9]->GetImage()->GetHeight();
    ASSERT_TRUE(mixer->SetTextLayer("Hello", &zero, 0, 0));
    EXPECT_GT(layers[9]->GetImage()->GetHeight(), 2 * smallHeight)
        << "the default size reads well in a balloon";
}

TEST_F(LayerScreen, CentredTextCentresEachLineWhereLeftAlignedTextStartsAtTheLeft) {
    const std::string text = "ab\nabcdefghijklmnop";
    ASSERT_TRUE(mixer->SetTextLayer(text, nullptr, 0, 0));
    // The next text takes the layer's picture away.
    const std::unique_ptr<CDIB> kept = layers[9]->GetImage()->Clone();
    const CDIB& left = *kept;
    ASSERT_TRUE(mixer->SetTextLayer(text, nullptr, 0, 1));
    const CDIB& centred = *layers[9]->GetImage();
    ASSERT_EQ(left.GetWidth(), centred.GetWidth());
    ASSERT_EQ(left.GetHeight(), centred.GetHeight());
    const int width = left.GetWidth(), firstLine = left.GetHeight() / 2;
    EXPECT_LT(InkBox(left, 0, firstLine).left, 4);
    EXPECT_GT(InkBox(centred, 0, firstLine).left, width / 3);
    EXPECT_LT(InkBox(centred, 0, firstLine).right, 2 * width / 3);
}

TEST_F(LayerScreen, TextTooLongForTheAreaIsWrappedAndCutAtItsBottomAndTheAreaGrowsToTheLargestSlot) {
    std::string text;
    for (int i = 0; i < 800; ++i)
        text += "word" + std::to_string(i) + " ";
    ASSERT_TRUE(mixer->SetTextLayer(text, nullptr, RGB(0, 90, 0), 0));
    const CDIB* picture = layers[9]->GetImage();
    EXPECT_EQ(picture->GetWidth(), 800);
    EXPECT_EQ(picture->GetHeight(), 600);
    const RECT ink = InkBox(*picture, 0, 600);
    EXPECT_LT(ink.left, 4);
    EXPECT_GT(ink.right, 700) << "lines filled to the right edge";
    EXPECT_LT(ink.top, 10);
    EXPECT_GT(ink.bottom, 560) << "lines down to the bottom";

    Put(3, SolidPicture(1000, 640, RGB(0, 0, 200)));
    strip->Refresh(0, TRUE);
    ASSERT_TRUE(mixer->SetTextLayer(text, nullptr, RGB(0, 90, 0), 0));
    EXPECT_EQ(layers[9]->GetImage()->GetWidth(), 1000);
    EXPECT_EQ(layers[9]->GetImage()->GetHeight(), 640);
}

// Where Text goes from the selected layer: an empty one takes it, a text layer is changed, a picture gets
// it on the nearest empty layer in front of it, and with none free nothing changes.
TEST_F(LayerScreen, TextGoesIntoTheSelectedEmptyLayerOrInFrontOfThePictureItIsPutOn) {
    using Kind = CDIBMixer::TextTargetKind;
    const struct {
        std::vector<int> full;
        int selected;
        Kind kind;
        int layer;
    } rows[] = {
        {{9}, 8, Kind::newText, 8},
        {{9, 5}, 5, Kind::onPicture, 4},
        {{5, 4, 3}, 5, Kind::onPicture, 2},
        {{0, 1}, 0, Kind::noFreeLayer, -1},
        {{2, 1, 0}, 2, Kind::noFreeLayer, -1},
    };
    for (const auto& row : rows) {
        strip->ClearAllLayers();
        for (const int i : row.full)
            Put(i, SolidPicture(20, 20, RGB(0, 200, 0)));
        strip->Select(layers[std::size_t(row.selected)]);
        const CDIBMixer::TextTarget target = mixer->FindTextTarget();
        EXPECT_EQ(target.kind, row.kind) << row.selected;
        EXPECT_EQ(target.layer, row.layer >= 0 ? layers[std::size_t(row.layer)] : nullptr) << row.selected;
        const CPictureState before = mixer->CaptureState();
        EXPECT_EQ(mixer->SetTextLayer("Hi", nullptr, 0, 0), row.layer >= 0);
        EXPECT_EQ(mixer->CaptureState().SamePicture(before), row.layer < 0);
    }
    strip->Select(layers[3]);
    ASSERT_TRUE(mixer->SetTextLayer("Hi", nullptr, 0, 0));
    EXPECT_EQ(mixer->FindTextTarget().kind, Kind::changeText);
}

// Text put onto a balloon comes in front of it, wrapped and centred inside it, selected, lying on it, with
// what it was drawn from and its start as the label. Changed, it stays where it lies at the scale the user
// stretched it to, wrapped to its balloon again; undo brings back the text as it was.
TEST_F(LayerScreen, TextOnAPictureComesInsideItAndIsChangedInPlace) {
    const std::uint32_t balloon = Put(5, Picture(360, 270, RGB(0, 200, 0), true));
    strip->Select(layers[5]);
    Drag(mixer->FindDibSlot(balloon), {100, 60, 300, 210});
    mixer->Recompose(TRUE);
    LOGFONT font{};
    font.lfHeight = -20;
    const std::string text = "Hello there, what a fine day for a walk in the park";
    ASSERT_TRUE(mixer->SetTextLayer(text, &font, RGB(0, 0, 200), 1));
    EXPECT_EQ(strip->GetSelected(), layers[4]);
    EXPECT_EQ(*layers[4]->GetText(), (LayerText{text, font, RGB(0, 0, 200), 1}));
    EXPECT_EQ(layers[4]->GetAttachedTo(), balloon);
    EXPECT_EQ(layers[4]->GetLabel(), "Hello there, w...");
    RECT area = AreaOf(mixer->FindDibSlot(layers[4]->GetContentKey()));
    EXPECT_EQ(Union(area, {100, 60, 300, 210}), (RECT{100, 60, 300, 210})) << "inside the balloon";
    EXPECT_GT(area.Width(), 200 / 3) << "wrapped to the balloon, not shrunk to one line";
    EXPECT_NEAR((area.left + area.right) / 2, 200, 12);
    EXPECT_NEAR((area.top + area.bottom) / 2, 135, 12);
    const CPictureState first = mixer->CaptureState();

    Drag(mixer->FindDibSlot(layers[4]->GetContentKey()),
         area = {40, 50, 40 + 2 * area.Width(), 50 + 2 * area.Height()});
    ASSERT_TRUE(mixer->SetTextLayer(text, &font, RGB(200, 0, 0), 1));
    EXPECT_EQ(AreaOf(mixer->FindDibSlot(layers[4]->GetContentKey())), area) << "the same picture size";
    const double scale = double(area.Width()) / layers[4]->GetImage()->GetWidth();
    ASSERT_TRUE(mixer->SetTextLayer(text + ", or a swim", &font, RGB(200, 0, 0), 1));
    const CDIBSlot* now = mixer->FindDibSlot(layers[4]->GetContentKey());
    const RECT changed = AreaOf(now);
    EXPECT_NEAR(changed.left + changed.right, area.left + area.right, 2);
    EXPECT_NEAR(changed.top + changed.bottom, area.top + area.bottom, 2);
    EXPECT_NEAR(double(now->m_width) / now->GetWidth(), scale, 0.02);
    EXPECT_LE(changed.Width(), area.Width() + 1) << "wrapped as wide as it was";
    EXPECT_GT(changed.Height(), area.Height());
    EXPECT_EQ(layers[4]->GetAttachedTo(), balloon);
    EXPECT_TRUE(CanvasIsComposedWhole());

    mixer->RestoreState(first);
    EXPECT_EQ(layers[4]->GetText()->colour, RGB(0, 0, 200));
    EXPECT_TRUE(mixer->CaptureState().SamePicture(first));
}

TEST_F(LayerScreen, WithoutTextOrSelectedLayerNothingChanges) {
    const std::uint32_t key = Put(9, SolidPicture(90, 45, RGB(0, 200, 0)));
    strip->Refresh(0, TRUE);
    const CDIB* picture = layers[9]->GetImage();
    EXPECT_FALSE(mixer->SetTextLayer("", nullptr, 0, 0));
    strip->Select(nullptr);
    EXPECT_FALSE(mixer->SetTextLayer("Hello", nullptr, 0, 0));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(layers[i]->GetImage(), nullptr) << i;
    EXPECT_EQ(layers[9]->GetImage(), picture);
    EXPECT_EQ(layers[9]->GetContentKey(), key);
    ASSERT_EQ(Slots().size(), 1u);
    EXPECT_EQ(Slots()[0]->m_key, key);
}

// Draws a text balloon of the data folder with a text layer on it into the PNG file named by
// QUIMBLE_DEMO_SHOT; QUIMBLE_DEMO_WAIT keeps it on the display that many ms.
TEST(TextLayerDemonstration, TextOnABalloon) {
    const char* shot = std::getenv("QUIMBLE_DEMO_SHOT");
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!shot || !res)
        GTEST_SKIP() << "set QUIMBLE_DEMO_SHOT=file.png and QUIMBLE_RES_DIR to draw a text balloon";
    class Screen : public LayerScreen {
    public:
        void TestBody() override {}
        void Show(const std::string& res) {
            Build(900, 628, res + "/bvisib.bmp", (res + "/Backg.BMP").c_str());
            ASSERT_TRUE(layers[9]->PutContent(GetDIB((res + "/textblbs/ispeech-left.bmp").c_str(), false),
                                              NewContentKey(), "speech left"));
            strip->Refresh(0, TRUE);
            CDIBSlot* balloon = mixer->FindDibSlot(layers[9]->GetContentKey());
            Drag(balloon, {40, 30, 40 + balloon->m_width, 30 + balloon->m_height});

            strip->Select(layers[8]);
            ASSERT_TRUE(
                mixer->SetTextLayer("Hello there!\nWhat a fine day\nfor a walk.", nullptr, 0x000000, 1));
            CDIBSlot* text = mixer->FindDibSlot(layers[8]->GetContentKey());
            const int w = text->m_width, h = text->m_height;
            Drag(text, {40 + (balloon->m_width - w) / 2, 30 + balloon->m_height * 2 / 5 - h / 2,
                        40 + (balloon->m_width + w) / 2, 30 + balloon->m_height * 2 / 5 + h / 2});
            strip->Select(layers[7]);
            ASSERT_TRUE(mixer->SetTextLayer("White letters & an ampersand", nullptr, 0xFFFFFF, 0));
            text = mixer->FindDibSlot(layers[7]->GetContentKey());
            Drag(text, {300, 320, 300 + text->m_width, 320 + text->m_height});
            mixer->Recompose(TRUE);
            QApplication::processEvents();
        }
    } screen;
    screen.Show(res);
    QTest::qWait(200);
    EXPECT_TRUE(screen.GetQWidget()->grab().save(shot));
    if (const char* wait = std::getenv("QUIMBLE_DEMO_WAIT"))
        QTest::qWait(std::atoi(wait));
}
