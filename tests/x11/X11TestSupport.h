// Test helpers for the window views: a virtual X server started for the
// test process and stopped by its pid, the test's own connection to it
// (finding a program's window, reading its pixels, closing it as a window
// manager does, making parent windows), real input through xdotool, and
// the orvanta program run in the background until its window closes.
#pragma once

#include <cairo.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/CliHarness.h"

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11_test {

using Clock = std::chrono::steady_clock;

// Waits until ready() or the time is up; true when ready.
template <typename Ready>
bool WaitFor(Ready ready, double seconds = 10.0) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!ready()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// An Xvfb server on a display number it picks itself (-displayfd), so
// tests running in parallel never collide. Started once per test process,
// stopped by its pid at exit. DISPLAY names it for the test and its children.
class VirtualDisplay {
public:
    static VirtualDisplay& Instance() {
        static VirtualDisplay display;
        return display;
    }
    bool Running() const { return m_Pid > 0 && !m_Name.empty(); }
    const std::string& Name() const { return m_Name; }
    const std::string& Problem() const { return m_Problem; }

    ~VirtualDisplay() {
        if (m_Pid <= 0) return;
        kill(m_Pid, SIGTERM);
        int status = 0;
        waitpid(m_Pid, &status, 0);
    }

private:
    VirtualDisplay() {
        int channel[2];
        if (pipe(channel) != 0) {
            m_Problem = "cannot make a pipe";
            return;
        }
        m_Pid = fork();
        if (m_Pid == 0) {
            // The server goes with the test process, however that ends.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(channel[0]);
            const std::string fd = std::to_string(channel[1]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(channel[1]);
        // The server writes its display number once it accepts clients.
        std::string number;
        pollfd reader{channel[0], POLLIN, 0};
        char c;
        while (poll(&reader, 1, 15000) > 0 && read(channel[0], &c, 1) == 1 && c != '\n') number += c;
        close(channel[0]);
        if (number.empty()) {
            m_Problem = "Xvfb did not start (is the xvfb package installed? setup.sh installs it)";
            return;
        }
        m_Name = ":" + number;
        setenv("DISPLAY", m_Name.c_str(), 1);
    }

    pid_t m_Pid = -1;
    std::string m_Name;
    std::string m_Problem;
};

// Every test here needs the server: a server that cannot start fails the
// test loudly.
#define ASSERT_VIRTUAL_DISPLAY()                                                            \
    ASSERT_TRUE(::x11_test::VirtualDisplay::Instance().Running())                           \
        << ::x11_test::VirtualDisplay::Instance().Problem()

// The test's own connection. Its protocol errors are counted, not fatal.
class Connection {
public:
    Connection() {
        static bool handlerInstalled = false;
        if (!handlerInstalled) XSetErrorHandler(CountError);
        handlerInstalled = true;
        m_Display = XOpenDisplay(nullptr);
        EXPECT_TRUE(m_Display) << "cannot connect to " << VirtualDisplay::Instance().Name();
    }
    ~Connection() {
        if (m_Display) XCloseDisplay(m_Display);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* Get() const { return m_Display; }
    Window Root() const { return DefaultRootWindow(m_Display); }
    static int& Errors() {
        static int errors = 0;
        return errors;
    }

    // The children of parent whose _NET_WM_PID is pid.
    std::vector<Window> WindowsOf(pid_t pid, Window parent) const {
        std::vector<Window> found;
        Window root, ancestor, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_Display, parent, &root, &ancestor, &children, &count)) return found;
        const Atom pidAtom = XInternAtom(m_Display, "_NET_WM_PID", False);
        for (unsigned int i = 0; i < count; ++i) {
            Atom type;
            int format;
            unsigned long items, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(m_Display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                                   &after, &data) == Success &&
                data && items == 1 && *reinterpret_cast<long*>(data) == long(pid))
                found.push_back(children[i]);
            if (data) XFree(data);
        }
        if (children) XFree(children);
        return found;
    }

    // The program's window under parent once it is mapped and viewable; 0 when none appears.
    Window WaitForWindow(pid_t pid, Window parent = 0) const {
        Window window = 0;
        if (!m_Display) return window;
        WaitFor([&] {
            const std::vector<Window> windows = WindowsOf(pid, parent ? parent : Root());
            XWindowAttributes attributes;
            if (windows.size() == 1 && XGetWindowAttributes(m_Display, windows[0], &attributes) &&
                attributes.map_state == IsViewable)
                window = windows[0];
            return window != 0;
        });
        return window;
    }

    bool Exists(Window window) const {
        const int before = Errors();
        XWindowAttributes attributes;
        const bool found = XGetWindowAttributes(m_Display, window, &attributes) != 0;
        Errors() = before;  // a BadWindow here is the answer, not a fault
        return found;
    }

    // Asks the window to close as a window manager does.
    void RequestClose(Window window) const {
        if (!m_Display) return;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_Display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(m_Display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_Display, window, False, NoEventMask, &event);
        XSync(m_Display, False);
    }

    // A mapped window filled with one colour, child of parent (0: the root).
    Window MakeWindow(int x, int y, int width, int height, unsigned long pixel, Window parent = 0) const {
        XSetWindowAttributes attributes{};
        attributes.background_pixel = pixel;
        attributes.override_redirect = True;
        const Window window =
            XCreateWindow(m_Display, parent ? parent : Root(), x, y, unsigned(width), unsigned(height), 0,
                          CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
        XMapRaised(m_Display, window);
        XSync(m_Display, False);
        return window;
    }

    void Destroy(Window window) const {
        XDestroyWindow(m_Display, window);
        XSync(m_Display, False);
    }

    // The window's pixels as 0xRRGGBB, row by row.
    std::vector<uint32_t> Pixels(Window window, int width, int height) const {
        std::vector<uint32_t> pixels;
        XImage* image = XGetImage(m_Display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image) return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFFu);
        XDestroyImage(image);
        return pixels;
    }

private:
    static int CountError(Display*, XErrorEvent*) {
        ++Errors();
        return 0;
    }

    Display* m_Display = nullptr;
};

// A PNG's pixels as 0xRRGGBB (the panel is opaque), row by row.
inline std::vector<uint32_t> PngPixels(const std::string& path, int* width, int* height) {
    std::vector<uint32_t> pixels;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    *width = cairo_image_surface_get_width(surface);
    *height = cairo_image_surface_get_height(surface);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < *height; ++y)
            for (int x = 0; x < *width; ++x)
                pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFFu);
    }
    cairo_surface_destroy(surface);
    return pixels;
}

// Runs xdotool on the virtual display; true when it succeeded.
inline bool Xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {"xdotool"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 15)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    EXPECT_TRUE(succeeded) << "xdotool failed or hung (is it installed?)";
    return succeeded;
}

// `orvanta editor ARGUMENTS` in the background, its output captured.
class EditorProgram {
public:
    explicit EditorProgram(std::vector<std::string> arguments) {
        // Text drawing leaves fontconfig's caches behind; the sanitizer
        // build's leak checker must not count them.
        setenv("LSAN_OPTIONS",
               "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/editorcli/fontconfig.supp", 1);
        arguments.insert(arguments.begin(), "editor");
        m_Pid = cli_test::Start(arguments, m_Streams.Path("out"), m_Streams.Path("err"));
    }
    ~EditorProgram() {
        if (m_Pid > 0 && m_ExitCode == kRunning) {
            kill(m_Pid, SIGKILL);
            cli_test::Wait(m_Pid);
        }
    }
    pid_t Pid() const { return m_Pid; }

    // The exit code once the program ends; a program still running after
    // the timeout is killed and reported as -1000.
    int Finish(double seconds = 20.0) {
        int status = 0;
        const bool ended = WaitFor([&] { return waitpid(m_Pid, &status, WNOHANG) == m_Pid; }, seconds);
        if (!ended) {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, &status, 0);
            m_ExitCode = -1000;
        } else {
            m_ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        }
        return m_ExitCode;
    }
    std::string Out() const { return cli_test::ReadWhole(m_Streams.Path("out")); }
    std::string Err() const { return cli_test::ReadWhole(m_Streams.Path("err")); }

    // The printed values: identifier to display string.
    std::map<std::string, std::string> Values() const {
        std::map<std::string, std::string> values;
        std::istringstream lines(Out());
        for (std::string line; std::getline(lines, line);) {
            const size_t gap = line.find("  ");
            if (gap != std::string::npos)
                values[line.substr(0, gap)] = line.substr(line.find_first_not_of(' ', gap));
        }
        return values;
    }

private:
    static constexpr int kRunning = -2000;
    cli_test::ScratchFolder m_Streams;
    pid_t m_Pid = -1;
    int m_ExitCode = kRunning;
};

}  // namespace x11_test
