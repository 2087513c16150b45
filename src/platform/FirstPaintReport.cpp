#include "platform/FirstPaintReport.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {
// Milliseconds since the kernel started this process (its start time counts clock ticks since boot), or
// -1 when /proc cannot tell.
double SinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    const std::string line((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold spaces: start time is the
    // 20th of them.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!fields || ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double started = std::strtod(field.c_str(), nullptr) * 1000.0 / double(ticks);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6 - started;
}
} // namespace

double PeakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

void ReportFirstPaint() {
    static bool reported = false;
    const char* wanted = std::getenv("QUIMBLE_REPORT_FIRST_PAINT");
    if (reported || !wanted || std::strcmp(wanted, "1") != 0)
        return;
    reported = true;
    // The paint of the children of the view finishes in the same round of events; the report follows it.
    QTimer::singleShot(0, [] {
        std::printf("first paint: %.0f ms after the process started, peak resident %.1f MB\n",
                    SinceProcessStart(), PeakResidentMb());
        std::fflush(stdout);
        // Ends at once: a measuring run leaves no settings behind and does not wait for the start-up picture.
        std::_Exit(0);
    });
}
