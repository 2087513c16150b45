#include "LayerScreen.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr int interactiveId = 100010;
// Where the selected layer starts in every test: 120 x 90 design units.
constexpr RECT start{100, 80, 220, 170};

// A picture in four quarters, so that a mirrored layer shows which way round it is.
constexpr COLORREF topLeft = RGB(200, 30, 30), topRight = RGB(30, 30, 200), bottomLeft = RGB(30, 160, 30),
                   bottomRight = RGB(200, 200, 20);
std::unique_ptr<CDIB> Quarters() {
    auto picture = SolidPicture(80, 60, topLeft);
    const RECT quarters[3] = {{40, 0, 80, 30}, {0, 30, 40, 60}, {40, 30, 80, 60}};
    const COLORREF colours[3] = {topRight, bottomLeft, bottomRight};
    for (int i = 0; i < 3; ++i)
        picture->Fill(colours[i], &quarters[i]);
    return picture;
}

// The editor screen at a size (788 x 550 is the scale 1), with a layer behind and the selected layer at
// start, driven with the mouse as a user drives it.
class DragScreen : public LayerScreen {
protected:
    void SetUp() override {
        const std::string toggle = dir.Join("bvisib.bmp");
        SolidPicture(25, 108, RGB(90, 90, 90))->Save(toggle);
        Build(m_width, m_height, toggle);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(GetQWidget()));
        Put(5, Picture(300, 200, RGB(90, 140, 200), true));
        Put(2, Quarters());
        strip->Refresh(0, TRUE);
        strip->Select(layers[2]);
        Button(moveId)->Clicked();
        slot = mixer->GetSelectedSlot();
        ASSERT_NE(slot, nullptr);
        Place(start);
    }

    // Puts the selected layer at place (a right before the left mirrors) and recomposes.
    void Place(const RECT& place) {
        Drag(slot, place);
        mixer->Recompose(TRUE);
        QApplication::processEvents();
    }
    void SetInteractive(bool on) {
        if (mixer->IsInteractiveUpdate() != on)
            Button(interactiveId)->Clicked();
    }

    // The mouse over the view, at x, y of the picture area's window.
    QPoint At(int x, int y) const { return {mixer->GetRect().left + x, mixer->GetRect().top + y}; }
    void Press(int x, int y) { QTest::mousePress(GetQWidget(), Qt::LeftButton, Qt::NoModifier, At(x, y)); }
    void MoveTo(int x, int y) { QTest::mouseMove(GetQWidget(), At(x, y)); }
    void Release(int x, int y) {
        QTest::mouseRelease(GetQWidget(), Qt::LeftButton, Qt::NoModifier, At(x, y));
    }

    // What the picture area's window shows, pixel by pixel.
    std::vector<COLORREF> Surface() {
        std::vector<COLORREF> pixels;
        CDC* dc = mixer->GetDC();
        for (int y = 0; y < mixer->GetRect().Height(); ++y)
            for (int x = 0; x < mixer->GetRect().Width(); ++x)
                pixels.push_back(dc->GetPixel(x, y));
        mixer->ReleaseDC(dc);
        return pixels;
    }
    COLORREF Shown(int x, int y) {
        CDC* dc = mixer->GetDC();
        const COLORREF colour = dc->GetPixel(x, y);
        mixer->ReleaseDC(dc);
        return colour;
    }
    COLORREF Canvas(int x, int y) { return PixelAt(mixer->GetCanvas(), x, y); }
    std::vector<BYTE> CanvasBytes() {
        const CDIB& canvas = mixer->GetCanvas();
        return {canvas.GetBits(), canvas.GetBits() + canvas.GetStride() * canvas.GetHeight()};
    }
    RECT Placement() const { return {slot->m_x, slot->m_y, slot->m_width, slot->m_height}; }

    int m_width = 788, m_height = 550;
    CDIBSlot* slot = nullptr;
};

class ScaledDrag : public DragScreen, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    ScaledDrag() { std::tie(m_width, m_height) = GetParam(); }
    // Window pixels that make a step of n design units on an axis with the scale s (1 or above).
    static int Pixels(int n, double s) { return n < 0 ? -Pixels(-n, s) : int(std::ceil(n * s)); }
};

// Each handle, and the body, dragged by 25, 20 and back by 15, 13 design units (10, 7 in all); live or
// recomposed at button-up. Above the scale 1 a step of one pixel first moves nothing.
TEST_P(ScaledDrag, EachHandleAndTheBodyChangeTheirRowOfThePlacement) {
    const double sx = GetScaleX(), sy = GetScaleY();
    const struct {
        int handle;
        RECT placement; // x, y, width, height afterwards
    } rows[] = {
        {-1, {110, 87, 120, 90}}, {0, {110, 80, 110, 90}}, {1, {100, 87, 120, 83}},
        {2, {100, 80, 130, 90}},  {3, {100, 80, 120, 97}}, {4, {110, 87, 110, 83}},
        {5, {100, 87, 130, 83}},  {6, {100, 80, 130, 97}}, {7, {110, 80, 110, 97}},
    };
    for (bool interactive : {true, false}) {
        SetInteractive(interactive);
        for (const auto& row : rows) {
            SCOPED_TRACE(::testing::Message() << "handle " << row.handle << (interactive ? ", live" : ""));
            Place(start);
            // The body is dragged from a point of the picture outside the layer.
            POINT p{int(400 * sx), int(300 * sy)};
            if (row.handle >= 0) {
                const RECT& h = mixer->GetHandle(row.handle);
                p = {(h.left + h.right) / 2, (h.top + h.bottom) / 2};
            }
            const std::vector<BYTE> before = CanvasBytes();
            Press(p.x, p.y);
            EXPECT_EQ(mixer->GetHotHandle(), row.handle);
            if (sx > 1) {
                p = {p.x + 1, p.y + 1};
                MoveTo(p.x, p.y);
                EXPECT_EQ(Placement(), (RECT{100, 80, 120, 90})) << "less than a design unit";
            }
            const POINT steps[2] = {{25, 20}, {-15, -13}};
            for (const POINT& step : steps) {
                p = {p.x + Pixels(step.x, sx), p.y + Pixels(step.y, sy)};
                MoveTo(p.x, p.y);
                if (interactive)
                    EXPECT_TRUE(CanvasIsComposedWhole()) << "the picture follows the drag";
                else
                    EXPECT_EQ(CanvasBytes(), before) << "only the frame moves";
            }
            Release(p.x, p.y);
            EXPECT_EQ(Placement(), row.placement);
            EXPECT_EQ(mixer->GetHotHandle(), -1);
            EXPECT_TRUE(CanvasIsComposedWhole()) << "after the button-up";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AtScaleOneAndAbove, ScaledDrag,
                         ::testing::Values(std::pair{788, 550}, std::pair{1000, 700}));

// An edge dragged past the opposite one mirrors the layer on that axis, and the picture is right at every
// step, also the one that crosses.
TEST_F(DragScreen, AnEdgeDraggedPastTheOppositeOneMirrorsTheLayer) {
    SetInteractive(true);
    const struct {
        int handle;
        POINT step;
        RECT placement;
        POINT at;        // a canvas pixel of the layer afterwards
        COLORREF colour; // and the quarter of the picture it shows
    } rows[] = {
        {2, {-50, 0}, {100, 80, -80, 90}, {30, 100}, topRight},
        {3, {0, -40}, {100, 80, 120, -70}, {110, 20}, bottomLeft},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.handle);
        Place(start);
        const RECT& h = mixer->GetHandle(row.handle);
        POINT p{(h.left + h.right) / 2, (h.top + h.bottom) / 2};
        Press(p.x, p.y);
        for (int i = 0; i < 4; ++i) {
            p = {p.x + row.step.x, p.y + row.step.y};
            MoveTo(p.x, p.y);
            EXPECT_TRUE(CanvasIsComposedWhole()) << "step " << i;
        }
        Release(p.x, p.y);
        EXPECT_EQ(Placement(), row.placement);
        EXPECT_EQ(slot->GetMirrorHorizontal(), row.placement.right < 0);
        EXPECT_EQ(slot->GetMirrorVertical(), row.placement.bottom < 0);
        EXPECT_EQ(Canvas(row.at.x, row.at.y), row.colour);
        EXPECT_TRUE(CanvasIsComposedWhole());
    }
}

TEST_F(DragScreen, HandlesArePickedFourPixelsAroundTheirSquareTheLowerIndexFirst) {
    EXPECT_TRUE(mixer->IsFrameShown());
    EXPECT_EQ(mixer->GetHandle(0), (RECT{101, 122, 107, 128}));
    EXPECT_EQ(mixer->GetHandle(6), (RECT{213, 163, 219, 169}));
    const struct {
        RECT place;
        POINT p;
        int hot;
    } rows[] = {
        {start, {97, 77}, 4},
        {start, {96, 77}, -1},
        {start, {110, 90}, 4},
        {start, {111, 84}, -1},
        {start, {160, 125}, -1},
        {start, {222, 172}, 6},
        // Handles of a small layer overlap: every one holds this point, the first wins.
        {{300, 300, 310, 310}, {304, 304}, 0},
    };
    for (const auto& row : rows) {
        Place(row.place);
        Press(row.p.x, row.p.y);
        EXPECT_EQ(mixer->GetHotHandle(), row.hot) << row.p.x << ", " << row.p.y;
        Release(row.p.x, row.p.y);
    }
}

// The frame is inverted over the canvas on every paint: painting again without composing shows the same,
// and the picked handle shows green around red until the button goes up.
TEST_F(DragScreen, TheFrameAndTheHotHandleNeverAccumulate) {
    const std::vector<COLORREF> shown = Surface();
    mixer->Draw(nullptr);
    EXPECT_EQ(Surface(), shown);
    mixer->Draw(nullptr);
    EXPECT_EQ(Surface(), shown);
    EXPECT_EQ(Shown(100, 80), Canvas(100, 80) ^ 0xFFFFFF) << "the frame's corner is inverted";
    EXPECT_EQ(Shown(101, 80), Canvas(101, 80)) << "dotted: every other pixel";

    Press(215, 165);
    ASSERT_EQ(mixer->GetHotHandle(), 6);
    const std::vector<COLORREF> hot = Surface();
    EXPECT_EQ(Shown(213, 163), RGB(0, 255, 50));
    EXPECT_EQ(Shown(215, 165), RGB(255, 0, 0));
    mixer->Draw(nullptr);
    mixer->Draw(nullptr);
    EXPECT_EQ(Surface(), hot);
    Release(215, 165);
    EXPECT_EQ(Surface(), shown);
}

// Moves that leave the picture area still reach it, with points outside its window, and the button-up
// outside ends the drag and recomposes what it swept.
TEST_F(DragScreen, ADragThatEndsOutsideThePictureAreaStillEnds) {
    const std::vector<BYTE> before = CanvasBytes();
    Press(300, 300);
    MoveTo(560, 300);
    MoveTo(700, 310); // over the view beside the picture area
    EXPECT_EQ(Placement(), (RECT{500, 90, 120, 90}));
    EXPECT_EQ(CanvasBytes(), before);
    MoveTo(840, 320); // beyond the view's window
    Release(840, 320);
    EXPECT_EQ(Placement(), (RECT{640, 100, 120, 90}));
    EXPECT_EQ(mixer->GetHotHandle(), -1);
    EXPECT_TRUE(CanvasIsComposedWhole());

    // The next press starts a new drag from where it is.
    Press(300, 300);
    MoveTo(290, 300);
    Release(290, 300);
    EXPECT_EQ(Placement(), (RECT{630, 100, 120, 90}));
}

// A text put on the layer goes with it: moved, stretched (it keeps its share of the layer's width) and
// mirrored (it comes to the mirrored place, itself unmirrored); dragged alone it moves alone.
TEST_F(DragScreen, TextsLyingOnALayerGoWithItAndATextDraggedAloneMovesAlone) {
    SetInteractive(true);
    ASSERT_TRUE(mixer->SetTextLayer("Hi", nullptr, 0, 0));
    CDIBSlot* text = mixer->FindDibSlot(layers[1]->GetContentKey());
    const RECT was = AreaOf(text);
    strip->Select(layers[2]);
    Button(moveId)->Clicked();
    const auto drag = [this](int handle, POINT by) {
        const RECT& h = mixer->GetHandle(std::max(handle, 0));
        const POINT from =
            handle < 0 ? POINT{400, 300} : POINT{(h.left + h.right) / 2, (h.top + h.bottom) / 2};
        Press(from.x, from.y);
        MoveTo(from.x + by.x / 2, from.y + by.y / 2);
        EXPECT_TRUE(CanvasIsComposedWhole()) << "the text follows each step";
        MoveTo(from.x + by.x, from.y + by.y);
        Release(from.x + by.x, from.y + by.y);
    };
    drag(-1, {30, 20});
    EXPECT_EQ(AreaOf(text), (RECT{was.left + 30, was.top + 20, was.right + 30, was.bottom + 20}));
    const double share = ((was.left + was.right) / 2.0 + 30 - 130) / 120;
    drag(2, {60, 0}); // 120 wide becomes 180
    EXPECT_NEAR((AreaOf(text).left + AreaOf(text).right) / 2.0, 130 + share * 180, 1);
    EXPECT_EQ(AreaOf(text).Width(), was.Width()) << "the text keeps its size";
    drag(2, {-360, 0}); // mirrored: 180 wide to the left of x
    EXPECT_NEAR((AreaOf(text).left + AreaOf(text).right) / 2.0, 130 - share * 180, 1);
    EXPECT_GT(text->m_width, 0);

    const RECT under = AreaOf(slot), on = AreaOf(text);
    strip->Select(layers[1]); // the frame goes with the selection
    drag(-1, {-10, 5});
    EXPECT_EQ(AreaOf(slot), under);
    EXPECT_EQ(AreaOf(text), (RECT{on.left - 10, on.top + 5, on.right - 10, on.bottom + 5}));
    EXPECT_TRUE(CanvasIsComposedWhole());
}

// The arrow at the border points toward a layer of which nothing shows; its colour tells how far it is.
TEST_F(DragScreen, AnArrowPointsTowardALayerWhollyOffThePicture) {
    const struct {
        const char* where;
        RECT place;
        POINT inside, side; // a pixel inside the triangle, and one of its black sides
        COLORREF colour;    // or CLR_INVALID: no arrow
    } rows[] = {
        {"near right", {600, 150, 700, 210}, {550, 188}, {539, 188}, RGB(20, 235, 245)},
        {"far right", {1500, 150, 1600, 210}, {550, 203}, {539, 203}, RGB(245, 10, 133)},
        {"above", {250, -200, 350, -140}, {292, 12}, {291, 21}, RGB(42, 213, 234)},
        {"partly on the right", {560, 150, 660, 210}, {550, 188}, {539, 188}, CLR_INVALID},
        {"mirrored, partly on the left", {10, 100, -40, 160}, {20, 140}, {28, 140}, CLR_INVALID},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        Place(row.place);
        if (row.colour == CLR_INVALID) {
            EXPECT_EQ(Shown(row.inside.x, row.inside.y), Canvas(row.inside.x, row.inside.y));
            EXPECT_EQ(Shown(row.side.x, row.side.y), Canvas(row.side.x, row.side.y));
        } else {
            EXPECT_EQ(Shown(row.inside.x, row.inside.y), row.colour);
            EXPECT_EQ(Shown(row.side.x, row.side.y), RGB(0, 0, 0));
        }
    }
}

// Draws the picture area with the selected layer's frame and a picked handle, and with the arrow toward a
// layer off the picture, into the PNG files named by QUIMBLE_DEMO_SHOT and the same with "-arrow";
// QUIMBLE_DEMO_WAIT keeps each on the display that many ms.
TEST_F(DragScreen, Demonstration) {
    const char* shot = std::getenv("QUIMBLE_DEMO_SHOT");
    if (!shot)
        GTEST_SKIP() << "set QUIMBLE_DEMO_SHOT=file.png to draw the selection frame and the arrow";
    const char* wait = std::getenv("QUIMBLE_DEMO_WAIT");
    auto show = [&](const std::string& file) {
        QTest::qWait(200);
        EXPECT_TRUE(GetQWidget()->grab().save(QString::fromStdString(file)));
        if (wait)
            QTest::qWait(std::atoi(wait));
    };
    Place({150, 100, 330, 250});
    Press(330, 250);
    show(shot);
    Release(330, 250);
    Place({700, 260, 820, 350});
    std::string arrow = shot;
    arrow.insert(arrow.rfind('.'), "-arrow");
    show(arrow);
}
} // namespace
