// The whole editor screen as the program builds it from the data folder that the resource tool lays out.

#include "app/ScreenLayout.h"
#include "controls/DIBMixer.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "imaging/DIB.h"
#include "platform/FullPath.h"
#include "support/EditorFixture.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
RECT Geometry(const CControl* control) {
    const QRect g = control->GetWindow()->GetQWidget()->geometry();
    return {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

RECT Scaled(const RECT& design, double sx, double sy) {
    return {LONG(design.left * sx), LONG(design.top * sy), LONG(design.right * sx), LONG(design.bottom * sy)};
}

// The pictures the thumb strip lists first: BMP files that are no alpha companions, by name whatever the
// case.
std::vector<std::string> FirstPictures(const fs::path& folder, std::size_t count) {
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (lower(name[0] == 'a' || name[0] == 'A' ? "" : entry.path().extension().string()) == ".bmp")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [&](const auto& a, const auto& b) { return lower(a) < lower(b); });
    names.resize(std::min(names.size(), count));
    return names;
}

using EditorScreen = EditorFixture;
} // namespace

TEST_F(EditorScreen, HoldsEveryControlOfTheLayoutInItsOrderLinkedAsTheScreenWorks) {
    std::vector<int> expected;
    for (const ScreenPlace& place : SCREEN_LAYOUT) {
        if (place.kind == ScreenKind::Layer)
            expected.push_back(place.id + 1); // the hide toggle, made by its layer
        expected.push_back(place.id);
    }
    std::vector<int> ids;
    for (int i = 0; i < view->GetControlCount(); ++i)
        ids.push_back(view->GetControl(i)->GetId());
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(ids.size(), 49u);

    for (const ScreenPlace& place : SCREEN_LAYOUT) {
        auto* button = Find<CButtonControl>(place.id);
        if (place.kind != ScreenKind::Button && place.kind != ScreenKind::Toggle)
            continue;
        ASSERT_NE(button, nullptr) << place.id;
        EXPECT_EQ(button->GetImage()->GetName(), MakeFullPath(place.picture)) << place.id;
        EXPECT_EQ(bool(button->GetFlags() & CTL_TOGGLE), place.kind == ScreenKind::Toggle) << place.id;
    }
    auto* mixer = Find<CDIBMixer>(IDC_MIXER);
    auto* layers = Find<CLayerStrip>(IDC_LAYER_STRIP);
    auto* thumbs = Find<CThumbStrip>(IDC_THUMB_STRIP);
    ASSERT_TRUE(mixer && layers && thumbs);
    EXPECT_EQ(mixer->GetMoveButton(), view->FindControl(IDC_MOVE));
    EXPECT_EQ(layers->GetCompositor(), mixer);
    EXPECT_EQ(mixer->GetLayerStrip(), layers);
    EXPECT_EQ(layers->GetCount(), LAYER_COUNT);
    EXPECT_EQ(layers->GetSelected(), view->FindControl(IDC_LAYER10)) << "the last layer added is selected";
    EXPECT_EQ(thumbs->GetBackButton(), view->FindControl(IDC_THUMB_BACK));
    EXPECT_EQ(thumbs->GetForwardButton(), view->FindControl(IDC_THUMB_FORWARD));
    for (int k = 0; k < THUMB_CELL_COUNT; ++k)
        EXPECT_EQ(thumbs->GetControl(k), view->FindControl(IDC_THUMB_CELL1 + k));

    // The window cannot be made smaller than 210 x 210, its frame included.
    QWidget* window = app.Window();
    window->resize(50, 50);
    Settle();
    EXPECT_EQ(window->frameGeometry().size().expandedTo(QSize(210, 210)), window->frameGeometry().size());
    EXPECT_EQ(window->minimumSize() + (window->frameGeometry().size() - window->geometry().size()),
              QSize(210, 210));
}

TEST_F(EditorScreen, EveryControlSitsAtItsScaledPlaceAtEveryWindowSize) {
    for (const QSize size : {QSize(1000, 760), QSize(600, 430)}) {
        app.Window()->resize(size);
        Settle();
        RECT client;
        view->GetClientRect(&client);
        const double sx = double(client.Width()) / 788, sy = double(client.Height()) / 550;
        ASSERT_DOUBLE_EQ(view->GetScaleX(), sx);
        ASSERT_DOUBLE_EQ(view->GetScaleY(), sy);

        std::vector<std::pair<int, RECT>> places;
        for (const ScreenPlace& place : SCREEN_LAYOUT)
            if (!IsRectEmpty(place.rect) && place.id != IDC_THUMB_BACK && place.id != IDC_THUMB_FORWARD)
                places.push_back({place.id, Scaled(place.rect, sx, sy)});
        // The thumb strip's row: its buttons keep their 21 pixels, the four cells share the rest.
        const RECT t = Scaled(FindScreenPlace(IDC_THUMB_STRIP)->rect, sx, sy);
        const LONG cell = (t.Width() - 5 * 2 - 2 * 2 - 2 * 21) / 4;
        places.push_back({IDC_THUMB_BACK, {t.left + 2, t.top + 3, t.left + 23, t.bottom - 3}});
        for (int k = 0; k < 4; ++k) {
            const LONG x = t.left + 25 + k * (cell + 2);
            places.push_back({IDC_THUMB_CELL1 + k, {x, t.top + 3, x + cell, t.bottom - 3}});
        }
        const LONG forward = t.left + 25 + 4 * (cell + 2);
        places.push_back({IDC_THUMB_FORWARD, {forward, t.top + 3, forward + 21, t.bottom - 3}});
        // The layer strip's column: ten layers of equal height, 3 pixels apart, 4 pixels in from the sides.
        const RECT l = Scaled(FindScreenPlace(IDC_LAYER_STRIP)->rect, sx, sy);
        const LONG height = (l.Height() - 11 * 3) / 10;
        for (int k = 0; k < 10; ++k) {
            const LONG y = l.top + 3 + k * (height + 3);
            places.push_back({IDC_LAYER1 + 2 * k, {l.left + 4, y, l.right - 4, y + height}});
        }

        for (const auto& [id, expected] : places) {
            const CControl* control = view->FindControl(id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_EQ(control->GetRect(), expected) << id << " at " << size.width() << " x " << size.height();
            EXPECT_EQ(Geometry(control), expected) << id << " at " << size.width() << " x " << size.height();
        }
    }
}

TEST_F(EditorScreen, TheThumbStripShowsTheFirstFourBackgroundsAndStepsThroughThem) {
    const fs::path folder = fs::current_path() / "res" / "bckgnds";
    const std::vector<std::string> first = FirstPictures(folder, 5);
    ASSERT_EQ(first.size(), 5u);
    auto* forward = Find<CButtonControl>(IDC_THUMB_FORWARD);
    for (int step = 0; step < 2; ++step) {
        for (int k = 0; k < THUMB_CELL_COUNT; ++k) {
            const auto* cell = Find<CHoldControl>(IDC_THUMB_CELL1 + k);
            ASSERT_NE(cell->GetImage(), nullptr) << k;
            EXPECT_EQ(cell->GetImage()->GetName(), MakeFullPath("res/bckgnds/" + first[step + k])) << k;
            ASSERT_NE(cell->GetThumbnail(), nullptr) << k;
            EXPECT_EQ(cell->GetThumbnail()->GetWidth(), 100);
        }
        EXPECT_EQ(Find<CButtonControl>(IDC_THUMB_BACK)->GetWindow()->IsWindowEnabled(), step > 0);
        EXPECT_TRUE(forward->GetWindow()->IsWindowEnabled());
        forward->Clicked();
    }
}

TEST(EditorScreenBuild, TheFirstThumbnailsFollowTheFirstFullPaint) {
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!res || !fs::exists(fs::path(res) / "Backg.BMP"))
        GTEST_SKIP() << "QUIMBLE_RES_DIR names no data folder";
    ScopedCwd cwd(fs::path(res).parent_path().string());
    ShellApp app;
    ASSERT_TRUE(app.Start());
    const auto* first = app.View()->FindControlAs<CHoldControl>(IDC_THUMB_CELL1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetImage(), nullptr) << "nothing read before the screen has shown";
    Settle();
    ASSERT_NE(first->GetImage(), nullptr);
    EXPECT_EQ(first->GetImage()->GetName(),
              MakeFullPath("res/bckgnds/" + FirstPictures(fs::path(res) / "bckgnds", 1)[0]));
}

TEST(EditorScreenBuild, StopsAtTheFirstMissingPictureAndNamesIt) {
    const char* resEnv = std::getenv("QUIMBLE_RES_DIR");
    if (!resEnv || !fs::exists(fs::path(resEnv) / "Backg.BMP"))
        GTEST_SKIP() << "QUIMBLE_RES_DIR names no data folder";
    const fs::path res = resEnv;
    const struct {
        const char* missing;
        const char* screenColours; // the palette display reads the 8-bit background
        int controls;
    } cases[] = {
        {"bglue.BMP", nullptr, 14}, // the buttons up to Glue, Glue without its picture
        {"hold.bmp", nullptr, 21},  // up to the picture area, undo, redo and the first cell
        {"Backg.BMP", nullptr, 0},
        {"Backg8.BMP", "256", 0},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directory(dir.Join("res"));
        for (const auto& entry : fs::directory_iterator(res))
            if (entry.path().filename() != c.missing)
                fs::create_symlink(entry.path(), fs::path(dir.Join("res")) / entry.path().filename());
        ScopedCwd cwd(dir.path);
        if (c.screenColours)
            setenv("QUIMBLE_SCREEN_COLORS", c.screenColours, 1);
        testing::internal::CaptureStderr();
        ShellApp app;
        const bool started = app.Start();
        const std::string said = testing::internal::GetCapturedStderr();
        unsetenv("QUIMBLE_SCREEN_COLORS");
        ASSERT_TRUE(started) << c.missing;
        EXPECT_EQ(app.View()->GetControlCount(), c.controls) << c.missing;
        EXPECT_NE(said.find(MakeFullPath(std::string("res/") + c.missing)), std::string::npos) << said;
        // One line of the program's own; the platform may add lines of its own.
        EXPECT_EQ(said.find("quimble: "), said.rfind("quimble: ")) << said;
    }
}
