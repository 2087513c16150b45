// quimble --render and --thumbnail, run as the program itself with no display, against the editor's own
// exports; and what the program's command line answers without a window.

#include "app/RenderCommand.h"
#include "PictureScreen.h"
#include "support/PictureFiles.h"
#include "support/ScriptedAnswers.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>

namespace {
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class Render : public PictureScreen {
protected:
    // Runs the program with arguments (each quoted for the shell) and no display at all, with the
    // environment's language (LANGUAGE=nl from the test main) or the one given.
    Outcome Run(const std::vector<std::string>& arguments, const std::string& language = "nl") const {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=" + language +
                              " '" QUIMBLE_PROGRAM "'";
        for (const std::string& argument : arguments)
            command += " '" + argument + "'";
        command += " >'" + dir.Join("out.txt") + "' 2>'" + dir.Join("err.txt") + "'";
        const int raw = std::system(command.c_str());
        Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, dir.Read("out.txt"), dir.Read("err.txt")};
        std::filesystem::remove(dir.Join("out.txt"));
        std::filesystem::remove(dir.Join("err.txt"));
        return outcome;
    }
    // Saves the picture shown under name with the Save button.
    void SaveAs(const std::string& name) {
        ScriptedAnswers answers;
        answers.Then(IDOK, dir.Join(name));
        ASSERT_TRUE(view->SavePicture(nullptr)) << name;
    }
};
} // namespace

TEST_F(Render, WritesWhatTheEditorsSaveWritesAtTheFlatPictureSizeOrTheSizeGiven) {
    // The editor at the design screen's size, so that its picture area too is at scale 1.
    view->Resize(DESIGN_WIDTH, DESIGN_HEIGHT);
    ASSERT_EQ(mixer->GetCanvas().GetWidth(), 569);
    ASSERT_EQ(mixer->GetCanvas().GetHeight(), 421);
    PutTwoLayers();
    SaveAs("picture.qmf");
    SaveAs("editor.bmp");
    const Outcome outcome =
        Run({"--render", dir.Join("picture.qmf"), dir.Join("render.bmp"), dir.Join("picture.qmf"),
             dir.Join("render.png"), dir.Join("picture.qmf"), dir.Join("small.png"), "--size", "57x42"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "wrote " + dir.Join("render.bmp") + " (1028 x 761)\nwrote " +
                               dir.Join("render.png") + " (1028 x 761)\nwrote " + dir.Join("small.png") +
                               " (57 x 42)\n");
    EXPECT_TRUE(dir.Read("render.bmp") == dir.Read("editor.bmp")) << "the same bytes";
    EXPECT_TRUE(PngMatchesBmp(dir.Join("render.png"), dir.Join("editor.bmp")));
    const QImage small(QString::fromStdString(dir.Join("small.png")));
    EXPECT_EQ(small.size(), QSize(57, 42));
}

TEST_F(Render, AMissingDamagedOrUnwritableFileOrBadArgumentsFailWithAClearMessage) {
    PutTwoLayers();
    SaveAs("good.qmf");
    const std::string good = dir.Read("good.qmf");
    dir.Write("damaged.qmf", good.substr(0, good.size() / 2));
    const std::string out = dir.Join("out.png");
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* told;
    } cases[] = {
        {{"--render", dir.Join("missing.qmf"), out}, 1, "missing.qmf: cannot be read as a layered picture"},
        {{"--render", dir.Join("damaged.qmf"), out}, 1, "damaged.qmf: cannot be read as a layered picture"},
        {{"--render", dir.Join("good.qmf"), dir.Join("gone/out.png")}, 1, "out.png: cannot be written"},
        {{"--render", dir.Join("good.qmf"), dir.Join("out.PNG")}, 2, "OUT must end in .bmp or .png"},
        {{"--render", dir.Join("good.qmf")}, 2, "has no OUT file"},
        {{"--render"}, 2, "needs a PICTURE and an OUT file"},
        {{"--render", "--size", "10x10", dir.Join("good.qmf"), out}, 2, "--size WxH follows"},
        {{"--render", dir.Join("good.qmf"), out, "--size", "0x10"}, 2, "--size WxH follows"},
        {{"--render", dir.Join("good.qmf"), out, "--size", "10x"}, 2, "--size WxH follows"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.told;
        EXPECT_EQ(outcome.out, "") << c.told;
        EXPECT_NE(outcome.err.find(c.told), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.err.find("usage: quimble --render") != std::string::npos, c.status == 2) << c.told;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.told;
    }
    // One pair that fails does not keep the next from being written.
    const Outcome outcome = Run({"--render", dir.Join("missing.qmf"), out, dir.Join("good.qmf"), out});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "wrote " + out + " (1028 x 761)\n");
}

TEST_F(Render, AThumbnailIsTheExportShrunkToSizeOnItsLongSideAndADamagedFileWritesNone) {
    PutTwoLayers(); // exported at 1028 x 761
    SaveAs("picture.qmf");
    const std::string picture = dir.Join("picture.qmf"), out = dir.Join("out.tmp");
    const std::string good = dir.Read("picture.qmf");
    dir.Write("damaged.qmf", good.substr(0, good.size() - 7));
    const struct {
        std::string picture;
        const char* size;
        int status;
        int width, height; // 0: no file written
    } cases[] = {
        {picture, "128", 0, 128, 95},
        {picture, "300", 0, 300, 222},
        {picture, "1024", 0, 1024, 758},
        {picture, "2000", 0, 1028, 761},
        {picture, "1", 0, 1, 1},
        {dir.Join("damaged.qmf"), "128", 1, 0, 0},
        {dir.Join("gone.qmf"), "128", 1, 0, 0},
        {picture, "0", 2, 0, 0},
        {picture, "12a", 2, 0, 0},
        {picture, "", 2, 0, 0},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run({"--thumbnail", c.picture, out, c.size});
        EXPECT_EQ(outcome.status, c.status) << c.size << outcome.err;
        EXPECT_EQ(outcome.out, "") << c.size;
        EXPECT_EQ(std::filesystem::exists(out), c.width != 0) << c.size;
        if (!c.width)
            continue;
        // A PNG whatever the name, composed as the export at its size.
        EXPECT_EQ(QImage(QString::fromStdString(out), "PNG").size(), QSize(c.width, c.height)) << c.size;
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        ASSERT_EQ(Run({"--render", picture, dir.Join("export.png"), "--size", size}).status, 0);
        EXPECT_TRUE(dir.Read("out.tmp") == dir.Read("export.png")) << c.size << ": the same bytes";
        std::filesystem::remove(out);
    }
}

TEST_F(Render, HelpVersionAndUnknownOptionsAreAnsweredInTheLanguageChosen) {
    const struct {
        std::vector<std::string> arguments;
        const char* language;
        int status;
        const char* out; // the start of standard output
        const char* err; // found in standard error
    } cases[] = {
        {{"--help"}, "de", 0, "Aufruf: ", ""},
        {{"-h", "3"}, "de", 0, "Usage: ", ""}, // the number wins
        {{"--help"}, "sv", 0, "Gebruik: ", ""},
        {{"--version"}, "fr", 0, "quimble " QUIMBLE_VERSION "\n", ""},
        {{"--bogus", "2"}, "de", 2, "", "quimble: Option inconnue \"bogus\".\n\nUtilisation"},
        {{"--thumbnail", "a.qmf"}, "en", 2, "", "quimble: --thumbnail needs IN, OUT and SIZE.\n\nUsage: "},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments, c.language);
        EXPECT_EQ(outcome.status, c.status) << c.arguments[0];
        EXPECT_EQ(outcome.out.compare(0, std::strlen(c.out), c.out), 0) << outcome.out;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
        // The usage names every option, where the man page lists them too.
        if (c.status == 0 && c.arguments[0] != "--version") {
            for (const char* option : {"--help", "--version", "--render", "--size", "--thumbnail"})
                EXPECT_NE(outcome.out.find(option), std::string::npos) << option;
        }
    }
}

namespace {
// Counts every event any widget receives while it lives: a widget made, laid out or shown hears of it.
struct WidgetWatch : QObject {
    WidgetWatch() { qApp->installEventFilter(this); }
    ~WidgetWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent*) override {
        heard += watched->isWidgetType();
        return false;
    }
    int heard = 0;
};
} // namespace

TEST_F(Render, ARenderAndAThumbnailOfTenLayersMakeNoWidget) {
    for (int k = 0; k < LAYER_COUNT; ++k)
        Put(k, SolidPicture(40 + 10 * k, 30, RGB(20 * k, 100, 200 - 15 * k)), 25 * k, 20 * k);
    SaveAs("ten.qmf");
    const std::string picture = dir.Join("ten.qmf");
    const int widgets = QApplication::allWidgets().size();
    WidgetWatch watch;
    CRenderCommand command;
    EXPECT_EQ(command.Run({"--render", picture, dir.Join("ten.png")}, nullptr, stderr),
              CRenderCommand::rendered);
    EXPECT_EQ(command.Thumbnail(picture, dir.Join("ten-thumbnail.png"), "96", stderr),
              CRenderCommand::rendered);
    EXPECT_EQ(watch.heard, 0);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(DecodedPicture(dir.Join("ten-thumbnail.png")).width(), 96);
}
