// Test helpers for the window views: a virtual X server, a connection to it, programs run.
#pragma once

#include <cairo.h>
#include <poll.h>
#include <sys/prctl.h>

#include <chrono>
#include <map>
#include <thread>

#include "tests/cli/CliHarness.h"

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11_test {

// Polls until ready() or the time is up; true when ready.
template <typename Ready>
bool WaitFor(Ready ready, double seconds = 10.0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Waits for pid to end, killed after the timeout: its exit code, or minus the signal that ended it.
inline int WaitOrKill(pid_t pid, double seconds) {
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Xvfb on a display number of its choice (-displayfd: parallel tests never collide), once per
// test process, exported as DISPLAY, stopped by its pid at exit and killed with the process.
class VirtualDisplay {
public:
    static VirtualDisplay& Instance() {
        static VirtualDisplay display;
        return display;
    }
    bool Running() const { return !m_Name.empty(); }
    const std::string& Name() const { return m_Name; }
    ~VirtualDisplay() {
        if (m_Pid <= 0) return;
        kill(m_Pid, SIGTERM);
        cli_test::Wait(m_Pid);
    }

private:
    VirtualDisplay() {
        int channel[2];
        if (pipe(channel) != 0) return;
        m_Pid = fork();
        if (m_Pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(channel[0]);
            dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
            // -noreset: the server must not restart (refusing clients) when its last client leaves.
            execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(channel[1]).c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(channel[1]);
        std::string number;
        pollfd reader{channel[0], POLLIN, 0};
        char c;
        while (poll(&reader, 1, 15000) > 0 && read(channel[0], &c, 1) == 1 && c != '\n') number += c;
        close(channel[0]);
        if (!number.empty()) m_Name = ":" + number;
        if (Running()) setenv("DISPLAY", m_Name.c_str(), 1);
    }

    pid_t m_Pid = -1;
    std::string m_Name;
};

// Every test here needs the server; one that cannot start fails the test.
#define ASSERT_VIRTUAL_DISPLAY() \
    ASSERT_TRUE(::x11_test::VirtualDisplay::Instance().Running()) << "Xvfb did not start (setup.sh installs xvfb)"

// The test's own connection; its protocol errors are counted, not fatal.
class Connection {
public:
    Connection() : m_Display(XOpenDisplay(nullptr)) {
        XSetErrorHandler([](Display*, XErrorEvent*) { return ++Errors(), 0; });
        EXPECT_TRUE(m_Display) << "cannot connect to " << VirtualDisplay::Instance().Name();
    }
    ~Connection() {
        if (m_Display) XCloseDisplay(m_Display);
    }
    Display* Get() const { return m_Display; }
    static int& Errors() {
        static int errors = 0;
        return errors;
    }

    // The viewable child of parent (0: the root) whose _NET_WM_PID is pid; 0 when none appears.
    Window WaitForWindow(pid_t pid, Window parent = 0) const {
        Window found = 0;
        const Atom pidAtom = XInternAtom(m_Display, "_NET_WM_PID", False);
        WaitFor([&] {
            Window root, ancestor, *children = nullptr;
            unsigned int count = 0;
            XQueryTree(m_Display, parent ? parent : DefaultRootWindow(m_Display), &root, &ancestor, &children, &count);
            for (unsigned int i = 0; i < count && !found; ++i) {
                Atom type;
                int format;
                unsigned long items, after;
                unsigned char* data = nullptr;
                XWindowAttributes attributes;
                if (XGetWindowProperty(m_Display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                                       &items, &after, &data) == Success &&
                    items == 1 && *reinterpret_cast<long*>(data) == long(pid) &&
                    XGetWindowAttributes(m_Display, children[i], &attributes) && attributes.map_state == IsViewable)
                    found = children[i];
                if (data) XFree(data);
            }
            if (children) XFree(children);
            return found != 0;
        });
        return found;
    }

    // The window's width and height; none when it does not exist (a BadWindow is the answer, not a fault).
    std::vector<int> Size(Window window) const {
        const int before = Errors();
        XWindowAttributes attributes;
        const bool exists = XGetWindowAttributes(m_Display, window, &attributes) != 0;
        Errors() = before;
        return exists ? std::vector<int>{attributes.width, attributes.height} : std::vector<int>{};
    }
    bool Exists(Window window) const { return !Size(window).empty(); }

    // Asks the window to close as a window manager does.
    void RequestClose(Window window) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_Display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(m_Display, "WM_DELETE_WINDOW", False));
        XSendEvent(m_Display, window, False, NoEventMask, &event);
        XSync(m_Display, False);
    }

    // A mapped top-level window of one colour (0xRRGGBB), above the others.
    Window MakeWindow(int x, int y, int width, int height, unsigned long colour) const {
        XSetWindowAttributes attributes{};
        attributes.background_pixel = colour;
        attributes.override_redirect = True;
        const Window window = XCreateWindow(m_Display, DefaultRootWindow(m_Display), x, y, unsigned(width),
                                            unsigned(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                            CWBackPixel | CWOverrideRedirect, &attributes);
        XMapRaised(m_Display, window);
        XSync(m_Display, False);
        return window;
    }

    // The top left width x height pixels of window as 0xRRGGBB, row by row.
    std::vector<uint32_t> Pixels(Window window, int width, int height) const {
        std::vector<uint32_t> pixels;
        if (XImage* image = XGetImage(m_Display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap)) {
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFFu);
            XDestroyImage(image);
        }
        return pixels;
    }

private:
    Display* m_Display;
};

// A PNG's pixels as 0xRRGGBB (the panel is opaque), row by row.
inline std::vector<uint32_t> PngPixels(const std::string& path) {
    std::vector<uint32_t> pixels;
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    const int stride = cairo_image_surface_get_stride(png);
    for (int y = 0; y < cairo_image_surface_get_height(png); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(png); ++x)
            pixels.push_back(reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png) + y * stride)[x] &
                             0xFFFFFFu);
    cairo_surface_destroy(png);
    return pixels;
}

// Runs a program to its end, killed after the timeout; its exit code.
inline int RunTool(std::vector<std::string> argv, double seconds = 15) {
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(&argument[0]);
    pointers.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(pointers[0], pointers.data());
        _exit(127);
    }
    return WaitOrKill(pid, seconds);
}

// `orvanta editor ARGUMENTS` in the background, its output captured.
class EditorProgram {
public:
    explicit EditorProgram(std::vector<std::string> arguments) {
        // The sanitizer build's leak checker must not count fontconfig's caches.
        setenv("LSAN_OPTIONS",
               "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/editorcli/fontconfig.supp", 1);
        arguments.insert(arguments.begin(), "editor");
        m_Pid = cli_test::Start(arguments, m_Streams.Path("out"), m_Streams.Path("err"));
    }
    ~EditorProgram() { Finish(0); }
    pid_t Pid() const { return m_Pid; }

    // The exit code once the program ends; one still running after the timeout is killed (-9).
    int Finish(double seconds = 20) {
        if (!m_Ended) m_ExitCode = WaitOrKill(m_Pid, seconds);
        m_Ended = true;
        return m_ExitCode;
    }
    std::string Out() const { return cli_test::ReadWhole(m_Streams.Path("out")); }
    std::string Err() const { return cli_test::ReadWhole(m_Streams.Path("err")); }

    // The printed values: identifier to display string.
    std::map<std::string, std::string> Values() const {
        std::map<std::string, std::string> values;
        std::istringstream lines(Out());
        for (std::string line; std::getline(lines, line);)
            if (line.find("  ") != std::string::npos)
                values[line.substr(0, line.find("  "))] = line.substr(line.find_first_not_of(' ', line.find("  ")));
        return values;
    }

private:
    cli_test::ScratchFolder m_Streams;
    pid_t m_Pid = -1;
    bool m_Ended = false;
    int m_ExitCode = 0;
};

}  // namespace x11_test
