// The start of the program: from starting the process to the first full paint of the editor screen, with
// the data folder in place (run in the build folder, beside ./quimble and res/). The program reports the
// paint and ends when QUIMBLE_REPORT_FIRST_PAINT=1. The baseline, run the same way beside it: this bench
// started again as a bare Qt window of the same size that ends at its first paint, which is what any
// Qt program pays before its first picture. Seven runs of each; the medians, the program's own count since
// its start, its peak resident memory then, and the ratio to the baseline end the output.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
constexpr int runs = 7;
constexpr int timeoutMs = 20000;
const char baselineFlag[] = "--bare-window";

struct Run {
    double wallMs = -1; // from before the start to the report line
    std::string line;   // the report line itself
};

// Starts program with its arguments, reads its standard output up to the first line that starts with
// "first paint", and waits for it to end. A run that does not report within the time-out is ended.
Run Measure(const std::vector<std::string>& command) {
    Run run;
    int out[2];
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return run;
    }
    std::string text;
    char buffer[4096];
    pollfd wait{out[0], POLLIN, 0};
    while (text.find("first paint") == std::string::npos ||
           text.find('\n', text.find("first paint")) == std::string::npos) {
        if (poll(&wait, 1, timeoutMs) <= 0)
            break;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, std::size_t(n));
    }
    const auto end = std::chrono::steady_clock::now();
    const std::size_t at = text.find("first paint");
    if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
        run.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
        run.line = text.substr(at, text.find('\n', at) - at);
    } else {
        kill(pid, SIGKILL);
    }
    close(out[0]);
    waitpid(pid, nullptr, 0);
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The first number after key in line, or -1.
double NumberAfter(const std::string& line, const char* key) {
    const std::size_t at = line.find(key);
    return at == std::string::npos ? -1 : std::atof(line.c_str() + at + std::strlen(key));
}

// The baseline: a window of the program's size that reports its first paint and ends.
class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QTimer::singleShot(0, [] {
            std::printf("first paint\n");
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
};

int RunBareWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(800, 600);
    window.show();
    return app.exec();
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], baselineFlag) == 0)
        return RunBareWindow(argc, argv);
    if (access("./quimble", X_OK) != 0 || access("res", R_OK) != 0) {
        std::fprintf(stderr, "bench_startup: run it in the build folder, beside ./quimble and res/\n");
        return 1;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QUIMBLE_REPORT_FIRST_PAINT", "1", 1);
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = 0;
    std::vector<double> program, own, resident, baseline;
    for (int i = 0; i < runs; ++i) {
        const Run quimble = Measure({"./quimble"});
        const Run bare = Measure({self, baselineFlag});
        if (quimble.wallMs < 0 || bare.wallMs < 0) {
            std::fprintf(stderr, "bench_startup: a run did not report its first paint\n");
            return 1;
        }
        program.push_back(quimble.wallMs);
        own.push_back(NumberAfter(quimble.line, "first paint:"));
        resident.push_back(NumberAfter(quimble.line, "peak resident"));
        baseline.push_back(bare.wallMs);
        std::printf("run %d: quimble %.0f ms (%s), bare Qt window %.0f ms\n", i + 1, quimble.wallMs,
                    quimble.line.c_str(), bare.wallMs);
    }
    const double median = Median(program), floor = Median(baseline);
    std::printf(
        "start to first full paint: %.0f ms (the program counts %.0f ms since its start), %.0f%% of the "
        "200 ms target; peak resident then %.1f MB\n",
        median, Median(own), 100 * median / 200, Median(resident));
    std::printf("start to first paint, ratio %.2f to a bare Qt window of the same size (%.0f ms)\n",
                median / floor, floor);
    return 0;
}
