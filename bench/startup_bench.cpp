// Starts the drill and the bare window in turns under a private Xvfb and
// prints, for each, the median time from the start of the process to its
// window being mapped and the resident memory one second later.
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
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    double residentMiB;
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

// Waits for a top-level window to be mapped; false after ten seconds.
bool awaitMap(xcb_connection_t* x)
{
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        while (std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{xcb_poll_for_event(x), &std::free}) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                return true;
        }
        poll(&fd, 1, 100);
    }
    return false;
}

void drain(xcb_connection_t* x)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(x))
        std::free(event);
}

Sample measure(xcb_connection_t* x, const std::string& display, const char* program)
{
    drain(x);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    const bool mapped = awaitMap(x);
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Sample sample{elapsed.count(), residentMiB(pid)};
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!mapped)
        throw std::runtime_error(std::string(program) + " mapped no window");
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

Sample medians(const std::vector<Sample>& samples)
{
    std::vector<double> times;
    std::vector<double> memory;
    for (const Sample& s : samples) {
        times.push_back(s.milliseconds);
        memory.push_back(s.residentMiB);
    }
    return {median(times), median(memory)};
}

void report(int runs, const Sample& drill, const Sample& bare)
{
    std::printf("%d runs each, interleaved, after one unmeasured warm-up run of each\n", runs);
    std::printf("%-14s %22s %22s\n", "", "start to mapped (ms)", "resident after 1 s (MiB)");
    std::printf("%-14s %22.1f %22.1f\n", "bare window", bare.milliseconds, bare.residentMiB);
    std::printf("%-14s %22.1f %22.1f\n", "Vendaro", drill.milliseconds, drill.residentMiB);
    std::printf("%-14s %14.2f (<= 1.40) %14.2f (<= 1.25)\n", "ratio", drill.milliseconds / bare.milliseconds,
                drill.residentMiB / bare.residentMiB);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: vendaro_startup_bench <drill> <bare window> [runs]\n", stderr);
        return 2;
    }
    const int runs = std::max(10, argc > 3 ? std::atoi(argv[3]) : 15);
    pid_t server = 0;
    int status = 0;
    try {
        const std::string display = startXvfb(server);
        xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(x);
        measure(x, display, argv[1]);
        measure(x, display, argv[2]);
        std::vector<Sample> drill;
        std::vector<Sample> bare;
        for (int i = 0; i < runs; ++i) {
            drill.push_back(measure(x, display, argv[1]));
            bare.push_back(measure(x, display, argv[2]));
        }
        xcb_disconnect(x);
        report(runs, medians(drill), medians(bare));
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
