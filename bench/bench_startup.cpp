// Start-up: the time from starting a process to its first top-level window being mapped,
// watched from outside through the X server (run under xvfb-run). The game and an empty window
// of its size are started in turn, ten times each, and the medians compared.

#include "benchkit.h"

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double timeToFirstWindow(xcb_connection_t *c, const std::string &exe)
{
    const double start = bench::ms();
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string dir = exe.substr(0, exe.rfind('/'));
        if (chdir(dir.c_str()) == 0) {
            execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
        }
        _exit(127);
    }
    double shown = -1;
    while (shown < 0) {
        xcb_generic_event_t *ev = xcb_wait_for_event(c);
        if (!ev) {
            break;
        }
        if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY &&
            !reinterpret_cast<xcb_map_notify_event_t *>(ev)->override_redirect) {
            shown = bench::ms() - start;
        }
        free(ev);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    usleep(150000); // then drop what the closing window sent
    while (xcb_generic_event_t *ev = xcb_poll_for_event(c)) {
        free(ev);
    }
    return shown;
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

    // A first run of each warms the file cache; it is not counted.
    timeToFirstWindow(c, TILNORA_EXE);
    timeToFirstWindow(c, EMPTY_EXE);
    std::vector<double> game, empty;
    for (int i = 0; i < 10; ++i) {
        game.push_back(timeToFirstWindow(c, TILNORA_EXE));
        empty.push_back(timeToFirstWindow(c, EMPTY_EXE));
    }
    const double g = bench::median(game), e = bench::median(empty);
    std::printf("start-up to the first shown window, median of 10 alternating runs\n");
    bench::figure("tilnora", g, "ms");
    bench::figure("empty window", e, "ms");
    bench::figure("ratio", g / e, "", "at most 1.30");
    xcb_disconnect(c);
    return 0;
}
