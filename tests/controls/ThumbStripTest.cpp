#include "support/ControlTestKit.h"

#include "controls/ButtonControl.h"
#include "controls/HoldControl.h"
#include "controls/ThumbStrip.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
constexpr int backId = 100022, forwardId = 100023, stripId = 100024;

// Four cells, a back and a forward button and the strip, made and joined as the editor screen makes
// them, over folders of small pictures p0.bmp, p1.bmp, ... each of its own colour.
struct Thumbs {
    explicit Thumbs(std::uint32_t flags = 0, bool buttons = true, RECT place = {160, 470, 496, 528})
        : view(DESIGN_WIDTH, DESIGN_HEIGHT) {
        for (int i = 0; i < 4; ++i) {
            cell[i] = new CHoldControl(&view, &view, 100017 + i, {}, nullptr, CTL_KEEP_ASPECT, 0, 2, 2);
            view.AddControl(cell[i]);
        }
        if (buttons) {
            back = new CButtonControl(&view, &view, backId, {162, 473, 183, 525}, nullptr, 0, 0);
            forward = new CButtonControl(&view, &view, forwardId, {473, 473, 494, 525}, nullptr, 0, 0);
            view.AddControl(back);
            view.AddControl(forward);
        }
        strip = new CThumbStrip(&view, &view, stripId, place, flags, nullptr, nullptr, 2, 3);
        view.AddControl(strip);
        for (CHoldControl* c : cell)
            strip->AddControl(c);
        strip->SetBackButton(back);
        strip->SetForwardButton(forward);
        view.SetBackground(nullptr);
        view.PaintBackground(nullptr);
    }
    // A folder of count pictures; its path.
    std::string Folder(const std::string& name, int count) {
        const std::string folder = dir.Mkdir(name);
        for (int i = 0; i < count; ++i) {
            CDIB picture;
            picture.Create(40, 30, 24);
            picture.Fill(RGB(30 * i, 200 - 20 * i, 90));
            picture.Save(folder + "/p" + std::to_string(i) + ".bmp");
        }
        return folder;
    }
    // The file names the cells show, "" for an empty cell.
    std::vector<std::string> Shown() const {
        std::vector<std::string> names;
        for (const CHoldControl* c : cell) {
            const CDIB* image = c->GetImage();
            names.push_back(image ? image->GetName().substr(image->GetName().rfind('/') + 1) : "");
        }
        return names;
    }
    bool Enabled(CButtonControl* button) const { return button->GetWindow()->IsWindowEnabled(); }

    TempDir dir;
    CTestView view;
    CHoldControl* cell[4];
    CButtonControl* back = nullptr;
    CButtonControl* forward = nullptr;
    CThumbStrip* strip;
};

using Names = std::vector<std::string>;
} // namespace

TEST(ThumbStrip, StepsPassPicturesAlongAndLoadOnlyTheNewOneWithinTheFolder) {
    Thumbs t;
    t.strip->SetFolder(t.Folder("six", 6).c_str());
    EXPECT_EQ(t.Shown(), (Names{"p0.bmp", "p1.bmp", "p2.bmp", "p3.bmp"}));
    EXPECT_FALSE(t.Enabled(t.back));
    EXPECT_TRUE(t.Enabled(t.forward));

    const CDIB* secondImage = t.cell[1]->GetImage();
    const CDIB* secondThumbnail = t.cell[1]->GetThumbnail();
    t.forward->Clicked(); // through the manager to the strip, a listener
    EXPECT_EQ(t.strip->GetFirstIndex(), 1);
    EXPECT_EQ(t.Shown(), (Names{"p1.bmp", "p2.bmp", "p3.bmp", "p4.bmp"}));
    EXPECT_EQ(t.cell[0]->GetImage(), secondImage) << "passed along, not loaded again";
    EXPECT_EQ(t.cell[0]->GetThumbnail(), secondThumbnail) << "passed along, not scaled again";
    EXPECT_FALSE(t.cell[3]->m_flags & CTL_SHOW_OVERLAY) << "the new picture replaced the overlay";
    EXPECT_EQ(t.view.GetDIBManager().GetCount(), 4) << "the picture that left was given back";
    EXPECT_TRUE(t.Enabled(t.back));

    t.strip->ScrollForward();
    EXPECT_EQ(t.strip->GetFirstIndex(), 2);
    EXPECT_FALSE(t.Enabled(t.forward));
    const CDIB* lastImage = t.cell[3]->GetImage();
    t.strip->ScrollForward();
    EXPECT_EQ(t.strip->GetFirstIndex(), 2) << "past the end nothing moves";
    EXPECT_EQ(t.cell[3]->GetImage(), lastImage);

    const CDIB* firstImage = t.cell[0]->GetImage();
    t.back->Clicked();
    EXPECT_EQ(t.strip->GetFirstIndex(), 1);
    EXPECT_EQ(t.Shown(), (Names{"p1.bmp", "p2.bmp", "p3.bmp", "p4.bmp"}));
    EXPECT_EQ(t.cell[1]->GetImage(), firstImage);
    t.strip->ScrollBack();
    t.strip->ScrollBack();
    EXPECT_EQ(t.strip->GetFirstIndex(), 0) << "before the start nothing moves";
    EXPECT_EQ(t.Shown(), (Names{"p0.bmp", "p1.bmp", "p2.bmp", "p3.bmp"}));
    EXPECT_FALSE(t.Enabled(t.back));
    EXPECT_EQ(t.strip->Refresh(), 4);
}

TEST(ThumbStrip, ANewFolderStartsAtItsFirstPictureAndEmptiesTheCellsBeyondItsLast) {
    const struct {
        int pictures;
        Names shown;
        bool forward;
    } cases[] = {
        {6, {"p0.bmp", "p1.bmp", "p2.bmp", "p3.bmp"}, true},
        {4, {"p0.bmp", "p1.bmp", "p2.bmp", "p3.bmp"}, false},
        {2, {"p0.bmp", "p1.bmp", "", ""}, false},
        {0, {"", "", "", ""}, false},
    };
    Thumbs t;
    t.strip->SetFolder(t.Folder("full", 6).c_str());
    t.strip->ScrollForward();
    for (const auto& c : cases) {
        t.strip->SetFolder(t.Folder(std::to_string(c.pictures) + "-pictures", c.pictures).c_str());
        EXPECT_EQ(t.strip->GetFirstIndex(), 0) << c.pictures;
        EXPECT_EQ(t.Shown(), c.shown) << c.pictures;
        for (int i = c.pictures; i < 4; ++i)
            EXPECT_EQ(t.cell[i]->GetThumbnail(), nullptr)
                << c.pictures << ": no thumbnail of the former folder";
        EXPECT_FALSE(t.Enabled(t.back)) << c.pictures;
        EXPECT_EQ(t.Enabled(t.forward), c.forward) << c.pictures;
        // With fewer pictures than cells the window cannot go past the start.
        t.strip->ScrollForward();
        EXPECT_EQ(t.strip->GetFirstIndex(), c.forward ? 1 : 0) << c.pictures;
        EXPECT_EQ(t.strip->Refresh(), std::min(c.pictures, 4)) << c.pictures;
    }
    t.strip->SetFolder(t.dir.Join("no such folder").c_str());
    EXPECT_EQ(t.Shown(), (Names{"", "", "", ""}));
}

TEST(ThumbStrip, ListsBmpFilesButNotTheirAlphaCompanions) {
    Thumbs t;
    const std::string folder = t.dir.Mkdir("house");
    for (const char* name : {"ihouse.bmp", "ahouse.bmp", "Aboat.bmp", "notes.txt"}) {
        CDIB picture;
        picture.Create(8, 6, 24);
        picture.Save(folder + "/" + name);
    }
    t.strip->SetFolder(folder.c_str());
    EXPECT_EQ(t.Shown(), (Names{"ihouse.bmp", "", "", ""}));
    EXPECT_NE(t.cell[0]->GetImage()->GetAlpha(), nullptr) << "the companion comes with its picture";
}

TEST(ThumbStrip, ArrangesTheButtonsAndCellsInARowOrAColumn) {
    const struct {
        std::uint32_t flags;
        bool buttons;
        RECT place;
        std::vector<RECT> expected; // back, cells, forward
    } cases[] = {
        // The editor's strip at design size: the buttons keep their width, the cells share the rest.
        {0,
         true,
         {160, 470, 496, 528},
         {{162, 473, 183, 525},
          {185, 473, 255, 525},
          {257, 473, 327, 525},
          {329, 473, 399, 525},
          {401, 473, 471, 525},
          {473, 473, 494, 525}}},
        // Without buttons: (496 - 10 - 160) / 4 = 81.
        {0,
         false,
         {160, 470, 496, 528},
         {{162, 473, 243, 525}, {245, 473, 326, 525}, {328, 473, 409, 525}, {411, 473, 492, 525}}},
        // A column: the buttons keep their height (52), g separates, m insets.
        {CTL_VERTICAL,
         true,
         {10, 10, 60, 500},
         {{12, 13, 58, 65},
          {12, 68, 58, 159},
          {12, 162, 58, 253},
          {12, 256, 58, 347},
          {12, 350, 58, 441},
          {12, 444, 58, 496}}},
    };
    for (const auto& c : cases) {
        Thumbs t(c.flags, c.buttons, c.place);
        std::vector<CControl*> placed(t.cell, t.cell + 4);
        if (t.back) {
            placed.insert(placed.begin(), t.back);
            placed.push_back(t.forward);
        }
        ASSERT_EQ(placed.size(), c.expected.size());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i]->m_rect, c.expected[i]) << c.flags << " " << c.buttons << " #" << i;
            EXPECT_EQ(GeometryOf(placed[i]->GetWindow()), c.expected[i]) << "the window follows";
        }
    }
    // At one and a half times the size the cells grow; the buttons keep the width they have.
    Thumbs t;
    t.view.MoveWindow(0, 0, 788 * 3 / 2, 550 * 3 / 2);
    Settle();
    EXPECT_EQ(t.strip->m_rect, (RECT{240, 705, 744, 792}));
    EXPECT_EQ(t.back->m_rect, (RECT{242, 708, 263, 789}));
    EXPECT_EQ(t.cell[0]->m_rect, (RECT{265, 708, 377, 789})); // (744 - 10 - 240 - 4 - 42) / 4 = 112
    EXPECT_EQ(t.forward->m_rect, (RECT{721, 708, 742, 789}));
}
