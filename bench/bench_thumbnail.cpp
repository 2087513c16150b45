// The file manager's preview: `quimble --thumbnail` of a ten-layer picture (ten soft-edged 1024 x 768
// layers, saved as a layered file) at 256 pixels, the large size of the thumbnail cache, as a process
// from its start to its end. The baseline, run the same way beside it: `quimble --version`, the same
// program starting and ending without reading a picture. Run in the build folder, beside ./quimble.

#include "MedianReporter.h"
#include "TenLayerScreen.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
std::string picture, preview;

// Runs the program with arguments, its output thrown away; whether it ended with status 0.
bool RunProgram(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "./quimble");
    std::vector<char*> argv;
    for (std::string& word : arguments)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = -1;
    return spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Thumbnail(benchmark::State& state) {
    for (auto _ : state)
        if (!RunProgram({"--thumbnail", picture, preview, "256"}))
            state.SkipWithError("the thumbnail failed");
}

void Version(benchmark::State& state) {
    for (auto _ : state)
        if (!RunProgram({"--version"}))
            state.SkipWithError("--version failed");
}
} // namespace

int main(int argc, char** argv) {
    if (access("./quimble", X_OK) != 0) {
        std::fprintf(stderr, "bench_thumbnail: run it in the build folder, beside ./quimble\n");
        return 1;
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    picture = folder.filePath("ten.qmf").toStdString();
    preview = folder.filePath("preview.png").toStdString();
    {
        bench::TenLayerScreen screen;
        if (!WriteShownPicture(*screen.mixer, picture.c_str())) {
            std::fprintf(stderr, "bench_thumbnail: cannot write %s\n", picture.c_str());
            return 1;
        }
    }
    RegisterMedian("thumbnail 256", Thumbnail)->UseRealTime();
    RegisterMedian("version", Version)->UseRealTime();
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    const double ours = reporter.Real("thumbnail 256"), start = reporter.Real("version");
    if (ours > 0 && start > 0)
        std::printf("thumbnail of a ten-layer picture: %.0f ms, %.0f%% of the 150 ms target; ratio %.2f to "
                    "the program's start and end alone (%.0f ms)\n",
                    ours, 100 * ours / 150, ours / start, start);
    return 0;
}
