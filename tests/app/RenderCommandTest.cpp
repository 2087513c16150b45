// quimble --render, run as the program itself with no display, against the editor's own exports.

#include "PictureScreen.h"
#include "support/ScriptedAnswers.h"

#include <cstdlib>
#include <sys/wait.h>

namespace {
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class Render : public PictureScreen {
protected:
    // Runs the program with arguments (each quoted for the shell) and no display at all.
    Outcome Run(const std::vector<std::string>& arguments) const {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" QUIMBLE_PROGRAM "'";
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

TEST_F(Render, WritesWhatTheEditorsSaveWritesAtTheLargestLayerSizeOrTheSizeGiven) {
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
    EXPECT_EQ(outcome.out, "wrote " + dir.Join("render.bmp") + " (300 x 260)\nwrote " +
                               dir.Join("render.png") + " (300 x 260)\nwrote " + dir.Join("small.png") +
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
    EXPECT_EQ(outcome.out, "wrote " + out + " (300 x 260)\n");
}
