#include "LayerScreen.h"
#include "platform/Cursor.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <cstdlib>
#include <optional>
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
    // The middle of handle i of the frame the picture area shows now.
    POINT HandleCentre(int i) const {
        const std::optional<CSelectionFrame> frame = mixer->CurrentFrame();
        EXPECT_TRUE(frame);
        const RECT h = frame ? frame->GetHandle(i) : RECT{};
        return {(h.left + h.right) / 2, (h.top + h.bottom) / 2};
    }

    int m_width = 788, m_height = 550;
    CDIBSlot* slot = nullptr;
};

class ScaledDrag : public DragScreen, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    ScaledDrag() { std::tie(m_width, m_height) = GetParam(); }
};

// Each handle, and the body, dragged in steps of 3 and 2 pixels, then back part of the way; live or
// recomposed at button-up. Each changes its row of the placement by the travel in design units.
TEST_P(ScaledDrag, EachHandleAndTheBodyChangeTheirRowOfThePlacementByTheTravel) {
    const double sx = GetScaleX(), sy = GetScaleY();
    const struct {
        int handle;
        struct {
            int x, width, y, height;
        } follows; // how each follows the travel: +1, -1 or 0
    } rows[] = {
        {-1, {1, 0, 1, 0}},  {0, {1, -1, 0, 0}}, {1, {0, 0, 1, -1}}, {2, {0, 1, 0, 0}},  {3, {0, 0, 0, 1}},
        {4, {1, -1, 1, -1}}, {5, {0, 1, 1, -1}}, {6, {0, 1, 0, 1}},  {7, {1, -1, 0, 1}},
    };
    for (bool interactive : {true, false}) {
        SetInteractive(interactive);
        for (const auto& row : rows) {
            SCOPED_TRACE(::testing::Message() << "handle " << row.handle << (interactive ? ", live" : ""));
            Place(start);
            // The body is taken in the middle of the layer.
            POINT p = row.handle < 0 ? POINT{int(160 * sx), int(125 * sy)} : HandleCentre(row.handle);
            const POINT from = p;
            const std::vector<BYTE> before = CanvasBytes();
            Press(p.x, p.y);
            EXPECT_EQ(mixer->GetHotHandle(), row.handle);
            for (int i = 0; i < 40; ++i) {
                p = i < 30 ? POINT{p.x + 3, p.y + 2} : POINT{p.x - 2, p.y - 1};
                MoveTo(p.x, p.y);
                if (i % 13 != 0)
                    continue;
                if (interactive) {
                    EXPECT_TRUE(CanvasIsComposedWhole()) << "the picture follows the drag";
                } else {
                    EXPECT_EQ(CanvasBytes(), before) << "only the frame moves";
                }
            }
            Release(p.x, p.y);
            // The travel, 70 x 50 pixels, to the nearest design unit.
            const LONG dx = std::lround((p.x - from.x) / sx), dy = std::lround((p.y - from.y) / sy);
            EXPECT_EQ(Placement(), (RECT{start.left + row.follows.x * dx, start.top + row.follows.y * dy,
                                         start.Width() + row.follows.width * dx,
                                         start.Height() + row.follows.height * dy}));
            EXPECT_EQ(mixer->GetHotHandle(), -1);
            EXPECT_TRUE(CanvasIsComposedWhole()) << "after the button-up";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AtScalesBelowOneAndAbove, ScaledDrag,
                         ::testing::Values(std::pair{788, 550}, std::pair{1000, 700}, std::pair{1280, 980},
                                           std::pair{600, 420}));

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
        POINT p = HandleCentre(row.handle);
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
        // The handle sits on the mirrored frame, where the edge it moves now lies, and takes it back.
        const POINT c = HandleCentre(row.handle);
        EXPECT_EQ(row.step.x ? c.x : c.y, row.step.x ? 20 : 10);
        Press(c.x, c.y);
        MoveTo(c.x - 4 * row.step.x, c.y - 4 * row.step.y);
        Release(c.x - 4 * row.step.x, c.y - 4 * row.step.y);
        EXPECT_EQ(Placement(), (RECT{100, 80, 120, 90}));
    }
}

// The frame is a dark line beside a light one, its handles light squares in a dark edge; painting again
// shows the same, and the picked handle shows its own face until the button goes up.
TEST_F(DragScreen, TheFrameShowsOnAnyPictureAndTheHotHandleUntilTheButtonGoesUp) {
    EXPECT_TRUE(mixer->IsFrameShown());
    const std::vector<COLORREF> shown = Surface();
    mixer->Draw(nullptr);
    EXPECT_EQ(Surface(), shown);
    const COLORREF dark = RGB(20, 20, 20), light = RGB(255, 255, 255);
    EXPECT_EQ(Shown(130, 79), dark) << "outside the top edge";
    EXPECT_EQ(Shown(130, 80), light) << "on the layer's first row";
    EXPECT_EQ(Shown(130, 81), Canvas(130, 81));
    EXPECT_EQ(Shown(220, 140), dark) << "outside the right edge";
    EXPECT_EQ(Shown(219, 140), light);
    EXPECT_EQ(Shown(215, 165), dark) << "the edge of handle 6";
    EXPECT_EQ(Shown(219, 169), light) << "its face";

    Press(219, 169);
    ASSERT_EQ(mixer->GetHotHandle(), 6);
    EXPECT_EQ(Shown(219, 169), RGB(0, 120, 215));
    const std::vector<COLORREF> hot = Surface();
    mixer->Draw(nullptr);
    EXPECT_EQ(Surface(), hot);
    Release(219, 169);
    EXPECT_EQ(Surface(), shown);
}

// Moves that leave the picture area still reach it, with points outside its window, and the button-up
// outside ends the drag and recomposes what it swept.
TEST_F(DragScreen, ADragThatEndsOutsideThePictureAreaStillEnds) {
    const std::vector<BYTE> before = CanvasBytes();
    Press(160, 125);
    MoveTo(420, 125);
    MoveTo(700, 135); // over the view beside the picture area
    EXPECT_EQ(Placement(), (RECT{640, 90, 120, 90}));
    EXPECT_EQ(CanvasBytes(), before);
    MoveTo(840, 145); // beyond the view's window
    Release(840, 145);
    EXPECT_EQ(Placement(), (RECT{780, 100, 120, 90}));
    EXPECT_EQ(mixer->GetHotHandle(), -1);
    EXPECT_TRUE(CanvasIsComposedWhole());
}

// With Move on a click takes the front-most layer shown under the pointer, and the layer strip follows, and
// the same press drags it; a click on empty picture leaves none selected, Move still on.
TEST_F(DragScreen, AClickTakesTheLayerUnderThePointerAndDragsIt) {
    const CDIBSlot* back = mixer->FindDibSlot(layers[5]->GetContentKey());
    const struct {
        POINT p;
        CLayerControl* layer; // the strip's selected layer afterwards
        const CDIBSlot* slot;
    } rows[] = {
        {{60, 30}, layers[5], back},      // the layer behind, where the front one is not
        {{150, 100}, layers[2], slot},    // the front one over it
        {{400, 300}, layers[2], nullptr}, // empty picture
        {{60, 30}, layers[5], back},
        {{18, 30}, layers[5], back}, // where it is transparent, inside its own frame: it stays
        {{150, 100}, layers[2], slot},
        {{18, 30}, layers[2], nullptr}, // where the layer behind is transparent
        {{0, 50}, layers[2], nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.p.x << ", " << row.p.y);
        Press(row.p.x, row.p.y);
        EXPECT_EQ(strip->GetSelected(), row.layer);
        EXPECT_EQ(mixer->GetSelectedSlot(), row.slot);
        EXPECT_TRUE(Button(moveId)->IsOn()) << "Move stays on";
        EXPECT_TRUE(Button(moveId)->GetWindow()->IsWindowEnabled());
        EXPECT_TRUE(mixer->GetQWidget()->hasFocus()) << "the keys work on the picture now";
        if (!row.slot) {
            Release(row.p.x, row.p.y);
            continue;
        }
        const RECT placed{row.slot->m_x, row.slot->m_y, row.slot->m_width, row.slot->m_height};
        MoveTo(row.p.x + 7, row.p.y + 4);
        Release(row.p.x + 7, row.p.y + 4);
        EXPECT_EQ((RECT{row.slot->m_x, row.slot->m_y, row.slot->m_width, row.slot->m_height}),
                  (RECT{placed.left + 7, placed.top + 4, placed.right, placed.bottom}))
            << "the same press drags it";
        MoveTo(row.p.x, row.p.y);
        Press(row.p.x + 7, row.p.y + 4);
        MoveTo(row.p.x, row.p.y);
        Release(row.p.x, row.p.y);
    }
    // A hidden layer is not taken.
    layers[5]->GetToggle()->Clicked();
    Press(60, 30);
    EXPECT_EQ(mixer->GetSelectedSlot(), nullptr);
    Release(60, 30);
}

// The pointer shows what a press does: resize the way of the handle, move, or nothing.
TEST_F(DragScreen, ThePointerShowsWhatAPressDoes) {
    const auto centre = [this](int i) { return HandleCentre(i); };
    const struct {
        POINT p;
        StandardCursor cursor;
    } rows[] = {
        {centre(0), StandardCursor::sizeWE},   {centre(3), StandardCursor::sizeNS},
        {centre(4), StandardCursor::sizeNWSE}, {centre(5), StandardCursor::sizeNESW},
        {{160, 125}, StandardCursor::sizeAll}, {{60, 30}, StandardCursor::sizeAll},
        {{400, 300}, StandardCursor::arrow},
    };
    for (const auto& row : rows) {
        MoveTo(row.p.x, row.p.y);
        EXPECT_EQ(GetWindowCursor(mixer), row.cursor) << row.p.x << ", " << row.p.y;
    }
    // During a drag the pointer keeps the shape of its press.
    Press(centre(2).x, centre(2).y);
    MoveTo(400, 300);
    EXPECT_EQ(GetWindowCursor(mixer), StandardCursor::sizeWE);
    Release(400, 300);
}

// The keys with the picture area focused, each change one step; a key that changes nothing makes none.
TEST_F(DragScreen, TheKeysWorkOnTheSelectedLayerEachChangeOneStep) {
    HistoryRecorder steps(mixer);
    int asked = 0;
    SetModalResponder([&](const ModalQuestion&) {
        ++asked;
        ModalAnswer answer;
        answer.result = IDOK;
        return answer;
    });
    Press(160, 125);
    Release(160, 125);
    EXPECT_EQ(steps.history.GetCount(), 1u) << "a click that moves nothing";
    QWidget* picture = mixer->GetQWidget();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(picture, k, modifiers);
    };
    const auto selectedLayer = [&] { return strip->GetSelected(); };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        RECT placement;
        CLayerControl* layer; // selected in the strip afterwards
        bool framed;
        std::size_t steps;
    } rows[] = {
        {Qt::Key_Right, Qt::NoModifier, {101, 80, 120, 90}, layers[2], true, 2},
        {Qt::Key_Down, Qt::ShiftModifier, {101, 90, 120, 90}, layers[2], true, 3},
        {Qt::Key_Left, Qt::ShiftModifier, {91, 90, 120, 90}, layers[2], true, 4},
        {Qt::Key_Up, Qt::NoModifier, {91, 89, 120, 90}, layers[2], true, 5},
        {Qt::Key_PageDown, Qt::NoModifier, {91, 89, 120, 90}, layers[3], true, 6},
        {Qt::Key_PageUp, Qt::NoModifier, {91, 89, 120, 90}, layers[2], true, 7},
        {Qt::Key_Tab, Qt::NoModifier, {91, 89, 120, 90}, layers[5], true, 7},
        {Qt::Key_Backtab, Qt::ShiftModifier, {91, 89, 120, 90}, layers[2], true, 7},
        {Qt::Key_Escape, Qt::NoModifier, {91, 89, 120, 90}, layers[2], false, 7},
        {Qt::Key_Right, Qt::NoModifier, {91, 89, 120, 90}, layers[2], false, 7},
        {Qt::Key_Delete, Qt::NoModifier, {91, 89, 120, 90}, layers[2], false, 7},
        {Qt::Key_Tab, Qt::NoModifier, {91, 89, 120, 90}, layers[5], true, 7},
        {Qt::Key_Tab, Qt::NoModifier, {91, 89, 120, 90}, layers[2], true, 7},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "key " << std::hex << row.key);
        key(row.key, row.modifiers);
        EXPECT_EQ(Placement(), row.placement);
        EXPECT_EQ(selectedLayer(), row.layer);
        EXPECT_EQ(mixer->GetSelectedSlot() != nullptr, row.framed);
        EXPECT_EQ(steps.history.GetCount(), row.steps);
        EXPECT_TRUE(CanvasIsComposedWhole());
    }
    EXPECT_EQ(asked, 0);
    key(Qt::Key_Delete);
    EXPECT_EQ(asked, 1) << "the Delete button's question";
    EXPECT_FALSE(layers[2]->GetImage());
    EXPECT_EQ(steps.history.GetCount(), 8u);

    // A drag from press to release is one step, however many moves it has.
    strip->Select(layers[5]);
    Button(moveId)->Clicked();
    Press(60, 30);
    for (int i = 1; i <= 20; ++i)
        MoveTo(60 + i, 30 + i / 2);
    Release(80, 40);
    EXPECT_EQ(steps.history.GetCount(), 9u);
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
    // A press on the body is where the dragged layer shows: on the balloon beside the text.
    const auto drag = [this](int handle, POINT by, POINT body = {150, 100}) {
        const POINT from = handle < 0 ? body : HandleCentre(handle);
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
    drag(-1, {-10, 5}, {(on.left + on.right) / 2, (on.top + on.bottom) / 2});
    EXPECT_EQ(AreaOf(slot), under);
    EXPECT_EQ(AreaOf(text), (RECT{on.left - 10, on.top + 5, on.right - 10, on.bottom + 5}));
    EXPECT_TRUE(CanvasIsComposedWhole());
}

// A layer dragged with the text on it shows what composing the whole picture gives, at every live step and
// after the button-up, live or not; also where it passes under a layer in front of the text.
TEST_F(DragScreen, ALayerDraggedWithItsTextShowsWhatComposingItAnewGives) {
    ASSERT_TRUE(mixer->SetTextLayer("Hi", nullptr, 0, 0));
    Put(0, Picture(60, 40, RGB(220, 120, 40), false)); // at 0, 0
    strip->Refresh(0, TRUE);
    strip->Select(layers[2]);
    Button(moveId)->Clicked();
    const struct {
        bool interactive;
        int handle; // -1: the body, taken an eighth inside the frame's top-left corner
        POINT by;
    } rows[] = {
        {false, -1, {30, 20}}, {true, -1, {-25, 15}}, {false, 2, {60, 0}},
        {true, 6, {-40, -30}}, {false, 2, {-300, 0}}, {false, -1, {-60, -110}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "handle " << row.handle << (row.interactive ? ", live" : ""));
        SetInteractive(row.interactive);
        const RECT o = mixer->CurrentFrame()->GetOutline();
        const POINT from =
            row.handle < 0 ? POINT{o.left + o.Width() / 8, o.top + o.Height() / 8} : HandleCentre(row.handle);
        Press(from.x, from.y);
        for (int i = 1; i <= 3; ++i) {
            MoveTo(from.x + row.by.x * i / 3, from.y + row.by.y * i / 3);
            if (row.interactive) {
                EXPECT_TRUE(CanvasIsComposedWhole()) << "step " << i;
            }
        }
        Release(from.x + row.by.x, from.y + row.by.y);
        EXPECT_EQ(mixer->GetSelectedSlot(), slot);
        EXPECT_TRUE(CanvasIsComposedWhole()) << "after the button-up";
    }
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
