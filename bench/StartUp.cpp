// Start-up to the first drawn frame: the real game binary against the least
// a GLFW + GLEW program needs to show one frame (vektra_minimal_window), both
// started the same way under the same X server and timed the same way.
//
// "First drawn frame" is watched from outside, on the X server: the clock
// starts just before fork(), the watcher waits for the program's top-level
// window to be mapped, then reads the screen pixel at the window's centre
// until it shows the clear colour of the shipped settings ("CLEAR_COLOR"),
// which is what both programs' first frame is. Neither program is changed
// or told that it is being watched. The pixel is read every 250 us, so the
// figures carry that much resolution.

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CFG/CFG.h"

#ifndef VEKTRA_GAME_BINARY
#error "VEKTRA_GAME_BINARY must name the game executable"
#endif
#ifndef VEKTRA_MINIMAL_BINARY
#error "VEKTRA_MINIMAL_BINARY must name the minimal window program"
#endif
#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The window size and first-frame colour of the shipped settings.
struct FirstFrame {
    int width;
    int height;
    unsigned long rgba;
};

FirstFrame shippedFirstFrame()
{
    CFG::setConfig(std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg");
    CFG::InfoParser* settings = CFG::parser();
    return FirstFrame{settings->getNumber<int>("SCREEN_WIDTH"),
                      settings->getNumber<int>("SCREEN_HEIGHT"),
                      settings->getNumber<unsigned long>("CLEAR_COLOR")};
}

// Starts programs and times them to their first frame on the X server of
// $DISPLAY. Holds one connection for its whole life, so the server does not
// reset between two programs.
class FirstFrameWatch {
public:
    FirstFrameWatch() : display(XOpenDisplay(nullptr))
    {
        if (display == nullptr) {
            throw std::runtime_error("no X server: run under xvfb-run");
        }
        root = DefaultRootWindow(display);
        XSelectInput(display, root, SubstructureNotifyMask);
    }
    ~FirstFrameWatch() { XCloseDisplay(display); }
    FirstFrameWatch(const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator=(const FirstFrameWatch&) = delete;

    // Seconds from fork() to the window's centre showing rgba; negative when
    // that did not happen within the time limit. The program is killed
    // afterwards either way.
    double measure(const std::vector<std::string>& argv, const std::string& dir, unsigned long rgba)
    {
        XSync(display, True); // forget the windows of earlier runs
        const Clock::time_point start = Clock::now();
        const pid_t child = launch(argv, dir);
        double seconds = -1.0;
        if (child > 0) {
            seconds = waitForColour(rgba, start);
            stop(child);
        }
        return seconds;
    }

private:
    static pid_t launch(const std::vector<std::string>& argv, const std::string& dir)
    {
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            if (chdir(dir.c_str()) == 0) {
                execv(args[0], args.data());
            }
            _exit(127);
        }
        return child;
    }

    double waitForColour(unsigned long rgba, Clock::time_point start)
    {
        const Clock::time_point limit = start + std::chrono::seconds(20);
        Window window = 0;
        while (Clock::now() < limit) {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == MapNotify && !event.xmap.override_redirect) {
                    window = event.xmap.window;
                }
            }
            if (window != 0 && centreShows(window, rgba)) {
                return std::chrono::duration<double>(Clock::now() - start).count();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(250));
        }
        return -1.0;
    }

    // Whether the screen pixel at the window's centre has the colour (each
    // channel within 2 of it); false when the window is already gone.
    bool centreShows(Window window, unsigned long rgba)
    {
        XWindowAttributes attributes;
        int x = 0;
        int y = 0;
        Window child = 0;
        if (!XGetWindowAttributes(display, window, &attributes) ||
            !XTranslateCoordinates(display, window, root, attributes.width / 2,
                                   attributes.height / 2, &x, &y, &child)) {
            return false;
        }
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return near(pixel >> 16, rgba >> 24) && near(pixel >> 8, rgba >> 16) &&
               near(pixel, rgba >> 8);
    }

    static bool near(unsigned long a, unsigned long b)
    {
        const long difference = static_cast<long>(a & 0xFFu) - static_cast<long>(b & 0xFFu);
        return difference >= -2 && difference <= 2;
    }

    static void stop(pid_t child)
    {
        kill(child, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (waitpid(child, nullptr, WNOHANG) == child) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }

    Display* display;
    Window root = 0;
};

FirstFrameWatch& watch()
{
    static FirstFrameWatch instance;
    return instance;
}

void runToFirstFrame(benchmark::State& state, const std::vector<std::string>& argv,
                     unsigned long rgba)
{
    for (auto _ : state) {
        const double seconds = watch().measure(argv, VEKTRA_SOURCE_DIR, rgba);
        if (seconds < 0) {
            state.SkipWithError("no first frame within 20 s");
            break;
        }
        state.SetIterationTime(seconds);
        // Let the server release the window before the next program starts.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

void BM_StartUpGame(benchmark::State& state)
{
    const FirstFrame frame = shippedFirstFrame();
    runToFirstFrame(state, {VEKTRA_GAME_BINARY}, frame.rgba);
}

void BM_StartUpMinimalWindow(benchmark::State& state)
{
    const FirstFrame frame = shippedFirstFrame();
    char colour[32];
    std::snprintf(colour, sizeof colour, "0x%08lX", frame.rgba);
    runToFirstFrame(
        state,
        {VEKTRA_MINIMAL_BINARY, std::to_string(frame.width), std::to_string(frame.height), colour},
        frame.rgba);
}

// Each repetition is 5 starts. scripts/run-benchmarks interleaves the
// repetitions of the two sides, so that a busy moment on the machine hits
// both alike.
BENCHMARK(BM_StartUpGame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(15);
BENCHMARK(BM_StartUpMinimalWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(15);

} // namespace
