// SPDX-License-Identifier: MIT
// Starts a program and measures, on the X server in $DISPLAY, the time from
// exec to its first top-level window being mapped; then, once the window has
// settled, the program's resident memory (VmRSS) and proportional set size
// (PSS). Prints one line a run: "<milliseconds> <rss KiB> <pss KiB>".
//
// usage: map_timer RUNS PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

long ReadKib(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run) {
        XSync(display, True);  // drop events from earlier runs
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            // The programs' own chatter would drown the figures.
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        double milliseconds = -1;
        while (milliseconds < 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                milliseconds = std::chrono::duration<double, std::milli>(
                                   std::chrono::steady_clock::now() - start)
                                   .count();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const std::string proc = "/proc/" + std::to_string(child);
        const long rss = ReadKib(proc + "/status", "VmRSS:");
        const long pss = ReadKib(proc + "/smaps_rollup", "Pss:");
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        std::printf("%.1f %ld %ld\n", milliseconds, rss, pss);
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
