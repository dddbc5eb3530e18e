// Starts the drill, a bare Qt window and the same window with one caption in
// turns under a private Xvfb, and prints for each the median time from the
// start of the process to its window being mapped, to its first complete frame
// (the moment from which the window shows what it shows a second after the
// map), and the resident memory after that second. With --wine both are
// Windows programs, Vendaro.exe and a bare Win32 window, each started by wine,
// and the bare window has no caption to show.
//   vendaro_startup_bench [--wine] <drill> <bare window> [runs, at least 10]

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kWidth = 792, kHeight = 566; // the drill's client area

struct Sample {
    double mapped;   // ms from fork
    double complete; // ms from fork
    double residentMiB;
};

struct Program {
    const char* name;
    std::vector<const char*> command;
    std::vector<Sample> samples = {};
};

// Xvfb on the first free display; returns the display's name.
std::string startXvfb(pid_t& server)
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe");
    server = fork();
    if (server == 0) {
        close(fds[0]);
        // Killed, the benchmark leaves no server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1024x768x24",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    return ":" + number;
}

double residentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long kib = 0;
    while (status >> key)
        if (key == "VmRSS:" && status >> kib)
            break;
    return static_cast<double>(kib) / 1024.0;
}

template <typename T>
using XReply = std::unique_ptr<T, decltype(&std::free)>;

bool drillSized(xcb_connection_t* x, xcb_window_t window)
{
    XReply<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr),
                                              &std::free};
    return geometry && geometry->width == kWidth && geometry->height == kHeight;
}

// Waits for a top-level window of the drill's size to be mapped, as Wine maps
// small windows of its own too; returns it, or 0 after ten seconds.
xcb_window_t awaitMap(xcb_connection_t* x)
{
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        while (XReply<xcb_generic_event_t> event{xcb_poll_for_event(x), &std::free}) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
            if (drillSized(x, window))
                return window;
        }
        poll(&fd, 1, 100);
    }
    return 0;
}

// A fingerprint of what the window shows now, but for the square of the first
// answer box, where the caret blinks.
std::size_t looks(xcb_connection_t* x, xcb_window_t window)
{
    XReply<xcb_get_image_reply_t> image{
        xcb_get_image_reply(x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, kWidth, kHeight, ~0u),
                            nullptr),
        &std::free};
    if (!image || xcb_get_image_data_length(image.get()) != kWidth * kHeight * 4)
        return 0;
    std::string pixels(reinterpret_cast<const char*>(xcb_get_image_data(image.get())), kWidth * kHeight * 4);
    for (int y = 152; y < 217; ++y)
        std::fill_n(pixels.begin() + (y * kWidth + 120) * 4, 65 * 4, '\0');
    return std::hash<std::string>{}(pixels);
}

Sample measure(xcb_connection_t* x, const std::string& display, const Program& program)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(x))
        std::free(event);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        execvp(program.command[0], const_cast<char* const*>(program.command.data()));
        _exit(127);
    }
    const xcb_window_t window = awaitMap(x);
    const Milliseconds mapped = Clock::now() - start;
    // What the window looks like, every two milliseconds for a second from the
    // map: a program under Wine may take most of a second to map its window.
    std::vector<std::pair<Milliseconds, std::size_t>> frames;
    while (window && Clock::now() - start < mapped + std::chrono::seconds(1)) {
        const std::size_t frame = looks(x, window);
        if (frames.empty() || frames.back().second != frame)
            frames.emplace_back(Clock::now() - start, frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const Sample sample{mapped.count(), frames.empty() ? 0 : frames.back().first.count(), residentMiB(pid)};
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!window)
        throw std::runtime_error(std::string(program.name) + " mapped no window");
    return sample;
}

double median(const std::vector<Sample>& samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& s : samples)
        values.push_back(s.*field);
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void report(int runs, const std::vector<Program>& programs, const char* targets)
{
    std::printf("%d runs each, interleaved, after one unmeasured warm-up run of each; medians\n", runs);
    std::printf("%-12s %12s %16s %14s\n", "", "mapped (ms)", "complete (ms)", "resident (MiB)");
    for (const Program& p : programs)
        std::printf("%-12s %12.1f %16.1f %14.1f\n", p.name, median(p.samples, &Sample::mapped),
                    median(p.samples, &Sample::complete), median(p.samples, &Sample::residentMiB));
    const Program& drill = programs.back();
    for (std::size_t i = 0; i + 1 < programs.size(); ++i) {
        const auto ratio = [&](double Sample::*field) {
            return median(drill.samples, field) / median(programs[i].samples, field);
        };
        std::printf("%s / %-10s %10.2f %16.2f %14.2f\n", drill.name, programs[i].name, ratio(&Sample::mapped),
                    ratio(&Sample::complete), ratio(&Sample::residentMiB));
    }
    std::printf("targets: Vendaro / bare at most %s\n", targets);
}

// The drill last: the ratios are the drill's to each of the others.
std::vector<Program> qtPrograms(const char* drill, const char* bare)
{
    return {{"bare", {bare, nullptr}}, {"caption", {bare, "--caption", nullptr}}, {"Vendaro", {drill, nullptr}}};
}

std::vector<Program> programsUnderWine(const char* drill, const char* bare)
{
    return {{"bare", {"wine", bare, nullptr}}, {"Vendaro", {"wine", drill, nullptr}}};
}

} // namespace

int main(int argc, char* argv[])
{
    const bool wine = argc > 1 && std::string(argv[1]) == "--wine";
    char** const args = argv + (wine ? 2 : 1); // drill, bare window, runs
    const int count = argc - (wine ? 2 : 1);
    if (count < 2) {
        std::fputs("usage: vendaro_startup_bench [--wine] <drill> <bare window> [runs]\n", stderr);
        return 2;
    }
    const int runs = std::max(10, count > 2 ? std::atoi(args[2]) : 15);
    std::vector<Program> programs = wine ? programsUnderWine(args[0], args[1]) : qtPrograms(args[0], args[1]);
    pid_t server = 0;
    int status = 0;
    try {
        const std::string display = startXvfb(server);
        xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(x);
        for (const Program& p : programs)
            measure(x, display, p);
        for (int i = 0; i < runs; ++i)
            for (Program& p : programs)
                p.samples.push_back(measure(x, display, p));
        xcb_disconnect(x);
        report(runs, programs, wine ? "1.25 mapped and 1.25 complete" : "1.25 mapped and 1.20 resident");
    }
    catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return status;
}
