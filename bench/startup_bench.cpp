// Starts the drill, a bare Qt window and the same window with one caption in
// turns under a private Xvfb, and prints for each the median time from the
// start of the process to its window being mapped, to its first complete frame
// (the moment from which the window shows what it shows a second later), and
// the resident memory after that second.
//   vendaro_startup_bench <drill> <bare window> [runs, at least 10]

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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

// Waits for a top-level window to be mapped; returns it, or 0 after ten seconds.
xcb_window_t awaitMap(xcb_connection_t* x)
{
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        while (XReply<xcb_generic_event_t> event{xcb_poll_for_event(x), &std::free}) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                return reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
        }
        poll(&fd, 1, 100);
    }
    return 0;
}

// A fingerprint of what the window shows now, but for the square of the first
// answer box, where the caret blinks.
std::size_t looks(xcb_connection_t* x, xcb_window_t window)
{
    constexpr int width = 792, height = 566;
    XReply<xcb_get_image_reply_t> image{
        xcb_get_image_reply(x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u), nullptr),
        &std::free};
    if (!image || xcb_get_image_data_length(image.get()) != width * height * 4)
        return 0;
    std::string pixels(reinterpret_cast<const char*>(xcb_get_image_data(image.get())), width * height * 4);
    for (int y = 152; y < 217; ++y)
        std::fill_n(pixels.begin() + (y * width + 120) * 4, 65 * 4, '\0');
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
        execv(program.command[0], const_cast<char* const*>(program.command.data()));
        _exit(127);
    }
    const xcb_window_t window = awaitMap(x);
    const Milliseconds mapped = Clock::now() - start;
    // What the window looks like, every two milliseconds for a second.
    std::vector<std::pair<Milliseconds, std::size_t>> frames;
    while (window && Clock::now() - start < std::chrono::seconds(1)) {
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

void report(int runs, const std::vector<Program>& programs)
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
    std::printf("targets: Vendaro / bare at most 1.25 mapped and 1.20 resident\n");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: vendaro_startup_bench <drill> <bare window> [runs]\n", stderr);
        return 2;
    }
    const int runs = std::max(10, argc > 3 ? std::atoi(argv[3]) : 15);
    std::vector<Program> programs{
        {"bare", {argv[2], nullptr}}, {"caption", {argv[2], "--caption", nullptr}}, {"Vendaro", {argv[1], nullptr}}};
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
        report(runs, programs);
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
