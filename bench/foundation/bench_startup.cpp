// Time from starting a process to its first top-level window being mapped, watched from
// outside through the X server (run under xvfb-run). The game and an empty Qt window are
// started in turn, ten times each, and the medians compared.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double timeToFirstWindow(xcb_connection_t *c, const std::string &exe)
{
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string dir = exe.substr(0, exe.rfind('/'));
        if (chdir(dir.c_str()) != 0) {
            _exit(127);
        }
        execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    double ms = -1;
    while (ms < 0) {
        xcb_generic_event_t *ev = xcb_wait_for_event(c);
        if (!ev) {
            break;
        }
        if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            auto *map = reinterpret_cast<xcb_map_notify_event_t *>(ev);
            if (!map->override_redirect) {
                ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
        }
        free(ev);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    // Drain what the closing window sent.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    while (xcb_generic_event_t *ev = xcb_poll_for_event(c)) {
        free(ev);
    }
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_startup: no X display (run under xvfb-run)\n");
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const int runs = 10;
    std::vector<double> game, empty;
    // A first run of each warms the file cache; it is not counted.
    timeToFirstWindow(c, TILNORA_EXE);
    timeToFirstWindow(c, EMPTY_EXE);
    for (int i = 0; i < runs; ++i) {
        game.push_back(timeToFirstWindow(c, TILNORA_EXE));
        empty.push_back(timeToFirstWindow(c, EMPTY_EXE));
    }
    const double g = median(game), e = median(empty);
    std::printf("start-up to first shown window, median of %d runs (alternating):\n", runs);
    std::printf("  tilnora       %8.1f ms\n", g);
    std::printf("  empty window  %8.1f ms\n", e);
    std::printf("  ratio         %8.2f   (target at most 1.30)\n", g / e);
    xcb_disconnect(c);
    return 0;
}
