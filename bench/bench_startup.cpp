// Start-up as the player sees it: the time from starting a process to its window being mapped,
// and to the window being painted whole, watched from outside through the X server (run under
// xvfb-run, with no window manager). The X DAMAGE extension reports every area a program draws
// into its window; the window counts as painted once those areas cover all of it.
//
// Each run of a game follows a run of an empty Qt window of the same size and title, so that
// a busy neighbour on the machine weighs on both alike; after one warm-up pair per game, every
// pair gives a ratio, and the median ratio and its quartiles are printed.
//
// Usage: bench_startup [--pairs N] [game ...]. Every game named is timed in each round beside
// its own empty window, so copies of the game before and after a change compare in one run;
// with none, the build's game is timed.

#include "benchkit.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A program that shows nothing for so long has failed.
constexpr int GiveUpMs = 10000;

struct Times
{
    double mapped = -1;  // ms from the spawn to the window's map
    double painted = -1; // ms from the spawn to the damage covering the whole window
};

// Which pixels of a window have been drawn.
class Coverage
{
public:
    void add(const xcb_rectangle_t &area, int width, int height)
    {
        if (width != m_width || height != m_height) {
            m_width = width;
            m_height = height;
            m_drawn.assign(static_cast<std::size_t>(width) * height, false);
            m_count = 0;
        }
        const int x1 = std::max<int>(0, area.x), y1 = std::max<int>(0, area.y);
        const int x2 = std::min(width, area.x + area.width);
        const int y2 = std::min(height, area.y + area.height);
        for (int y = y1; y < y2; ++y) {
            for (int x = x1; x < x2; ++x) {
                auto pixel = m_drawn.begin() + static_cast<std::ptrdiff_t>(y) * width + x;
                if (!*pixel) {
                    *pixel = true;
                    ++m_count;
                }
            }
        }
    }
    bool whole() const { return m_width > 0 && m_count == m_drawn.size(); }

private:
    int m_width = 0, m_height = 0;
    std::vector<bool> m_drawn;
    std::size_t m_count = 0;
};

class Watcher
{
public:
    // False when there is no X display or it lacks the DAMAGE extension.
    bool connect()
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c)) {
            return false;
        }
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (!damage || !damage->present) {
            return false;
        }
        m_damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_c);
        return true;
    }
    ~Watcher()
    {
        if (m_c) {
            xcb_disconnect(m_c);
        }
    }

    // Starts the program in its own folder and times its first top-level window.
    Times run(const std::string &exe)
    {
        Times t;
        const double start = bench::ms();
        const pid_t pid = fork();
        if (pid == 0) {
            // What the program prints would only mix with the figures.
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            const std::string dir = exe.substr(0, exe.rfind('/'));
            if (chdir(dir.c_str()) == 0) {
                execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
            }
            _exit(127);
        }
        std::map<xcb_window_t, Coverage> drawn;
        xcb_window_t shown = XCB_NONE;
        while (t.painted < 0) {
            xcb_generic_event_t *ev = next(start + GiveUpMs);
            if (!ev) {
                break;
            }
            const double now = bench::ms() - start;
            const uint8_t type = ev->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(ev);
                if (!e->override_redirect) {
                    // Watched from its creation on, so no drawing is missed.
                    xcb_damage_create(m_c, xcb_generate_id(m_c), e->window,
                                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                    xcb_flush(m_c);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const auto *e = reinterpret_cast<xcb_map_notify_event_t *>(ev);
                if (!e->override_redirect && shown == XCB_NONE) {
                    shown = e->window;
                    t.mapped = now;
                    if (drawn[shown].whole()) {
                        t.painted = now;
                    }
                }
            } else if (type == m_damageNotify) {
                const auto *e = reinterpret_cast<xcb_damage_notify_event_t *>(ev);
                Coverage &c = drawn[e->drawable];
                c.add(e->area, e->geometry.width, e->geometry.height);
                if (e->drawable == shown && c.whole()) {
                    t.painted = now;
                }
            }
            free(ev);
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        usleep(150000); // then drop what the closing window sent
        while (xcb_generic_event_t *ev = xcb_poll_for_event(m_c)) {
            free(ev);
        }
        return t;
    }

private:
    // The next event, or null once the clock passes the deadline.
    xcb_generic_event_t *next(double deadline)
    {
        for (;;) {
            if (xcb_generic_event_t *ev = xcb_poll_for_event(m_c)) {
                return ev;
            }
            const double left = deadline - bench::ms();
            if (left <= 0 || xcb_connection_has_error(m_c)) {
                return nullptr;
            }
            pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left) + 1);
        }
    }

    xcb_connection_t *m_c = nullptr;
    uint8_t m_damageNotify = 0;
};

// The value below which a share q of the sorted values lies, between neighbours.
double quantile(std::vector<double> v, double q)
{
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const double at = q * double(v.size() - 1);
    const auto low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, v.size() - 1);
    return v[low] + (v[high] - v[low]) * (at - double(low));
}

struct Series
{
    std::string exe;
    std::vector<double> gameMapped, gamePainted, emptyMapped, emptyPainted;
    int failed = 0;

    std::vector<double> ratios(const std::vector<double> &game,
                               const std::vector<double> &empty) const
    {
        std::vector<double> r;
        for (std::size_t i = 0; i < game.size(); ++i) {
            r.push_back(game[i] / empty[i]);
        }
        return r;
    }
};

void report(const char *what, const std::vector<double> &game, const std::vector<double> &empty,
            const std::vector<double> &ratios, const char *target)
{
    std::printf("  %s\n", what);
    bench::figure("    game, median", bench::median(game), "ms");
    bench::figure("    empty window, median", bench::median(empty), "ms");
    bench::figure("    ratio of the pairs, median", quantile(ratios, 0.5), "", target);
    std::printf("  %-46s %10.3f to %.3f\n", "    ratio, quartiles", quantile(ratios, 0.25),
                quantile(ratios, 0.75));
}

} // namespace

int main(int argc, char *argv[])
{
    int pairs = 24;
    std::vector<Series> games;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pairs") == 0 && i + 1 < argc) {
            pairs = std::max(1, std::atoi(argv[++i]));
        } else {
            // The program runs in its own folder, so its path must not be relative.
            std::string path = argv[i];
            if (!path.empty() && path.front() != '/') {
                char here[4096];
                if (!getcwd(here, sizeof here)) {
                    return 1;
                }
                path = std::string(here) + '/' + path;
            }
            games.push_back(Series{path, {}, {}, {}, {}, 0});
        }
    }
    if (games.empty()) {
        games.push_back(Series{TILNORA_EXE, {}, {}, {}, {}, 0});
    }
    Watcher watcher;
    if (!watcher.connect()) {
        std::fprintf(stderr, "bench_startup: no X display with DAMAGE (run under xvfb-run)\n");
        return 1;
    }

    // A first pair of each warms the file cache; it is not counted.
    for (const Series &s : games) {
        watcher.run(EMPTY_EXE);
        watcher.run(s.exe);
    }
    for (int round = 0; round < pairs; ++round) {
        for (Series &s : games) {
            const Times e = watcher.run(EMPTY_EXE);
            const Times g = watcher.run(s.exe);
            if (e.painted < 0 || g.painted < 0) {
                ++s.failed;
                continue;
            }
            s.emptyMapped.push_back(e.mapped);
            s.emptyPainted.push_back(e.painted);
            s.gameMapped.push_back(g.mapped);
            s.gamePainted.push_back(g.painted);
        }
    }

    std::printf("start-up against an empty window of the same size, %d alternating pairs\n", pairs);
    for (const Series &s : games) {
        std::printf("%s\n", s.exe.c_str());
        if (s.failed > 0) {
            std::printf("  %d pairs left out: a window was not painted within %d ms\n", s.failed,
                        GiveUpMs);
        }
        report("to the window painted whole", s.gamePainted, s.emptyPainted,
               s.ratios(s.gamePainted, s.emptyPainted), "at most 1.30, goal 1.10");
        report("to the window mapped", s.gameMapped, s.emptyMapped,
               s.ratios(s.gameMapped, s.emptyMapped), nullptr);
    }
    return 0;
}
