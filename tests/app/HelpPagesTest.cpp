#include "app/AppState.h"
#include "platform/Modal.h"
#include "support/MixerView.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// The picture area of a view in a folder holding the given help pages, each of one colour. Each page on
// show is recorded when it waits for its click, which ends with the next of ends (a click on the page
// when there are none left).
struct HelpRun {
    explicit HelpRun(const std::vector<std::pair<std::string, COLORREF>>& pages) : cwd(MakeFolder(pages)) {
        SetModalResponder([this](const ModalQuestion& q) {
            ModalAnswer answer;
            answer.result = IDOK;
            if (q.kind == ModalKind::WaitForClick) {
                seen.push_back(view.Shown(10, 10));
                if (!ends.empty()) {
                    answer.result = ends.front();
                    ends.erase(ends.begin());
                }
            }
            return answer;
        });
    }
    ~HelpRun() { SetModalResponder({}); }

    std::string MakeFolder(const std::vector<std::pair<std::string, COLORREF>>& pages) {
        dir.Mkdir("res");
        for (const auto& [name, colour] : pages)
            EXPECT_TRUE(SolidPicture(6, 4, colour)->Save(dir.Join("res/" + name + ".bmp")));
        return dir.path;
    }

    std::vector<COLORREF> Show(int language) {
        view.mixer->SetHelpPrefix(HelpPrefix(language));
        seen.clear();
        view.help->Clicked();
        EXPECT_FALSE(view.help->GetFlags() & CTL_ON) << "help goes off after the last page";
        return seen;
    }

    TempDir dir;
    ScopedCwd cwd;
    MixerView view;
    std::vector<COLORREF> seen;
    std::vector<int> ends;
};

COLORREF PageColour(int n) {
    return RGB(BYTE(10 * n), 100, BYTE(250 - 10 * n));
}
} // namespace

TEST(HelpPages, EachLanguageShowsItsOwnPagesAndEveryOtherNumberTheDutchOnes) {
    const COLORREF dutch = RGB(200, 0, 0), french = RGB(0, 0, 200), english = RGB(0, 200, 0),
                   german = RGB(200, 200, 0);
    HelpRun run({{"helpn0", dutch}, {"helpf0", french}, {"helpe0", english}, {"helpg0", german}});
    const struct {
        int language;
        COLORREF page;
    } cases[] = {{LANG_NONE, dutch},
                 {LANG_DUTCH, dutch},
                 {LANG_FRENCH, french},
                 {LANG_ENGLISH, english},
                 {LANG_GERMAN, german},
                 {7, dutch},
                 {-1, dutch}};
    for (const auto& c : cases)
        EXPECT_EQ(run.Show(c.language), std::vector<COLORREF>{c.page}) << c.language;
}

TEST(HelpPages, PagesGoOnPastTenAndStopAfterPageTwenty) {
    for (const int present : {13, 23}) {
        std::vector<std::pair<std::string, COLORREF>> pages;
        for (int n = 0; n < present; ++n)
            pages.push_back({"helpe" + std::to_string(n), PageColour(n)});
        HelpRun run(pages);
        std::vector<COLORREF> expected;
        for (int n = 0; n < std::min(present, 21); ++n)
            expected.push_back(PageColour(n));
        EXPECT_EQ(run.Show(LANG_ENGLISH), expected) << present << " pages present";
    }
}

TEST(HelpPages, EscapeOrAClickBesideThePictureLeavesAtAnyPage) {
    std::vector<std::pair<std::string, COLORREF>> pages;
    std::vector<COLORREF> colours;
    for (int n = 0; n < 4; ++n) {
        pages.push_back({"helpe" + std::to_string(n), PageColour(n)});
        colours.push_back(PageColour(n));
    }
    HelpRun run(pages);
    const COLORREF picture = run.view.Shown(10, 10);
    const struct {
        std::vector<int> ends; // IDOK a click on the page, IDNO one beside it, IDCANCEL Escape
        std::size_t shown;
    } cases[] = {{{IDCANCEL}, 1}, {{IDOK, IDNO}, 2}, {{IDOK, IDOK, IDCANCEL}, 3}, {{IDNO}, 1}, {{}, 4}};
    for (const auto& c : cases) {
        run.ends = c.ends;
        EXPECT_EQ(run.Show(LANG_ENGLISH), std::vector<COLORREF>(colours.begin(), colours.begin() + c.shown))
            << c.shown;
        EXPECT_EQ(run.view.Shown(10, 10), picture) << "the picture is back after " << c.shown;
    }
}
