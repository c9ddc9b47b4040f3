// End-to-end harness: processes, a private X server, screenshots and XTest input.
#include "harness.hpp"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {
namespace {

bool pollUntil(Clock::duration limit, const std::function<bool()>& done)
{
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::vector<std::string> environmentWith(const std::string& display)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "DISPLAY=", 8) != 0) {
            environment.emplace_back(*entry);
        }
    }
    if (display != "-") {
        environment.push_back("DISPLAY=" + display);
    }
    return environment;
}

// Whether the window manager has framed the window or lists it among the ones it manages.
bool managed(Display* x, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(x, window, &root, &parent, &children, &count);
    if (children != nullptr) {
        XFree(children);
    }
    const std::vector<unsigned long> clients = listProperty(x, root, "_NET_CLIENT_LIST", XA_WINDOW);
    return parent != root || std::find(clients.begin(), clients.end(), window) != clients.end();
}

}  // namespace

void waitUntil(Clock::duration limit, const std::string& what, const std::function<bool()>& done)
{
    if (!pollUntil(limit, done)) {
        throw std::runtime_error(
            what + " within " +
            std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit).count()) + " s");
    }
}

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& outputFile)
{
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& entry : environment) {
        env.push_back(const_cast<char*>(entry.c_str()));
    }
    env.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        // Children never outlive the test process, even when it is killed.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    setpgid(pid_, pid_);
}

Process::~Process()
{
    kill();
}

bool Process::running()
{
    return !waitExit(0s).has_value();
}

std::optional<int> Process::waitExit(Clock::duration timeout)
{
    pollUntil(timeout, [this] {
        if (status_) {
            return true;
        }
        int raw = 0;
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        }
        return status_.has_value();
    });
    return status_;
}

void Process::kill()
{
    if (pid_ <= 0) {
        return;
    }
    // What the process started goes with it, also what has left its group.
    std::vector<int> tree{pid_};
    for (std::size_t at = 0; at < tree.size(); ++at) {
        for (const ProcessEntry& child : childrenOf(tree[at])) {
            tree.push_back(child.pid);
        }
    }
    if (!status_) {
        ::kill(-pid_, SIGTERM);
        if (!waitExit(2s)) {
            ::kill(-pid_, SIGKILL);
            waitExit(5s);
        }
    }
    ::kill(-pid_, SIGKILL);
    for (std::size_t at = 1; at < tree.size(); ++at) {
        ::kill(tree[at], SIGKILL);
    }
    pid_ = -1;
}

std::vector<ProcessEntry> childrenOf(int parent)
{
    std::vector<ProcessEntry> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        // "pid (name) state parent ...", where the name may hold spaces and parentheses.
        std::string stat;
        std::getline(std::ifstream(entry.path() / "stat"), stat);
        const std::size_t open = stat.find('(');
        const std::size_t close = stat.rfind(')');
        std::istringstream rest(close != std::string::npos ? stat.substr(close + 1) : "");
        std::string state;
        int parentOfIt = 0;
        if (open != std::string::npos && rest >> state >> parentOfIt && parentOfIt == parent) {
            children.push_back({std::stoi(stat), stat.substr(open + 1, close - open - 1)});
        }
    }
    return children;
}

bool onWeston()
{
    const char* server = std::getenv("BOUNCE_DISPLAY_SERVER");
    return server != nullptr && std::string(server) == "weston";
}

VirtualDisplay::VirtualDisplay()
{
    if (onWeston()) {
        // weston names its Xwayland's display in its log, in its private runtime folder.
        char runtime[] = "/tmp/bounce-weston-XXXXXX";
        runtimeDir_ = mkdtemp(runtime);
        std::vector<std::string> environment = environmentWith("-");
        environment.push_back("XDG_RUNTIME_DIR=" + runtimeDir_);
        server_ = std::make_unique<Process>(
            std::vector<std::string>{"weston", "--backend=headless-backend.so", "--width=1280",
                                     "--height=1024", "--use-pixman", "--xwayland",
                                     "--socket=bounce"},
            environment, runtimeDir_ + "/log");
        const std::string said = "xserver listening on display ";
        waitUntil(bound::start, "weston started no Xwayland", [&] {
            std::ifstream log(runtimeDir_ + "/log");
            for (std::string line; std::getline(log, line);) {
                if (line.find(said) != std::string::npos) {
                    name_ = line.substr(line.find(said) + said.size());
                    return true;
                }
            }
            return false;
        });
        connect();
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    server_ = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 "1280x1024x24", "-nolisten", "tcp", "-noreset"},
        environmentWith("-"));
    close(fds[1]);
    std::string number;
    char ch = 0;
    while (read(fds[0], &ch, 1) == 1 && ch != '\n') {
        number += ch;
    }
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    name_ = ":" + number;
    connect();
}

void VirtualDisplay::connect()
{
    // Windows come and go while the tests look at them; a request on one that has just gone
    // fails, and the harness checks what each request returns instead.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    waitUntil(bound::start, "the X server on " + name_ + " took no connection", [this] {
        display_ = XOpenDisplay(name_.c_str());
        return display_ != nullptr;
    });
}

VirtualDisplay::~VirtualDisplay()
{
    closeConnection();
    server_.reset();
    if (!runtimeDir_.empty()) {
        std::filesystem::remove_all(runtimeDir_);
    }
}

void VirtualDisplay::closeConnection()
{
    if (display_ != nullptr) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

std::unique_ptr<Process> startWindowManager(VirtualDisplay& display)
{
    std::unique_ptr<Process> wm;
    if (!onWeston()) {
        std::vector<std::string> environment = environmentWith(display.name());
        environment.emplace_back("FONTCONFIG_FILE=" BOUNCE_COLD_FONTS);
        wm = std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"},
                                       environment);
    }
    // A manager may take over the screen before it is ready to manage windows, and a map
    // request it receives in between is lost: the probe asks again until it is listed.
    Display* x = display.connection();
    const Window probe = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 16, 16, 0, 0, 0);
    auto asked = Clock::now() - 1s;
    waitUntil(bound::start, std::string(onWeston() ? "weston" : "openbox") + " managed no window",
              [&] {
                  if (Clock::now() - asked >= 1s) {
                      XMapWindow(x, probe);
                      XFlush(x);
                      asked = Clock::now();
                  }
                  return managed(x, probe);
              });
    XDestroyWindow(x, probe);
    XSync(x, False);
    return wm;
}

bool windowManagerRequired()
{
    return std::getenv("BOUNCE_NEEDS_WINDOW_MANAGER") != nullptr;
}

Bounce::Bounce(const VirtualDisplay& display, std::vector<std::string> arguments,
               const std::string& displayOverride)
{
    // The program under test, and what it runs through: by default the build's own bounce.
    std::vector<std::string> argv;
    if (const char* launcher = std::getenv("BOUNCE_LAUNCHER")) {
        argv.emplace_back(launcher);
    }
    const char* executable = std::getenv("BOUNCE_EXECUTABLE");
    argv.emplace_back(executable != nullptr ? executable : BOUNCE_EXECUTABLE);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    char name[] = "/tmp/bounce-e2e-XXXXXX";
    close(mkstemp(name));
    outputFile_ = name;
    std::vector<std::string> environment =
        environmentWith(displayOverride.empty() ? display.name() : displayOverride);
    // Libraries to preload into the program alone, not into the X server or the tests.
    if (const char* preload = std::getenv("BOUNCE_LD_PRELOAD")) {
        environment.push_back(std::string("LD_PRELOAD=") + preload);
    }
    process_ = std::make_unique<Process>(argv, environment, outputFile_);
}

Bounce::~Bounce()
{
    process_.reset();
    unlink(outputFile_.c_str());
}

void Bounce::waitForSquare(Display* display) const
{
    try {
        waitUntil(bound::start, "bounce showed no white square",
                  [display] { return capture(display).white > 0; });
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(error.what() + ("; its output: " + output()));
    }
}

std::string Bounce::output() const
{
    std::ifstream in(outputFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Window> windowsNamed(Display* display, const std::string& title)
{
    std::vector<Window> found;
    std::function<void(Window)> visit = [&](Window window) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            if (title == name) {
                found.push_back(window);
            }
            XFree(name);
        }
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
            for (unsigned int n = 0; n < count; ++n) {
                visit(children[n]);
            }
            if (children != nullptr) {
                XFree(children);
            }
        }
    };
    visit(DefaultRootWindow(display));
    return found;
}

Rect rootGeometry(Display* display, Window window)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

std::vector<unsigned long> listProperty(Display* display, Window window, const char* name,
                                        Atom type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type,
                           &actual, &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        // Xlib hands 32-bit items out as longs.
        const auto* first = reinterpret_cast<const unsigned long*>(data);
        items.assign(first, first + count);
        XFree(data);
    }
    return items;
}

std::vector<std::uint8_t> screenPixels(Display* display, int& width, int& height)
{
    // Xwayland keeps no picture of its root window, only of each window: there the program's
    // own window is read, which spans the screen once it is full screen.
    Window shown = DefaultRootWindow(display);
    if (onWeston()) {
        const std::vector<Window> windows = windowsNamed(display, "Hello World");
        shown = windows.empty() ? 0 : windows.front();
    }
    XWindowAttributes attributes{};
    XImage* image = nullptr;
    if (shown != 0 && XGetWindowAttributes(display, shown, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        image = XGetImage(display, shown, 0, 0, static_cast<unsigned int>(attributes.width),
                          static_cast<unsigned int>(attributes.height), AllPlanes, ZPixmap);
    }
    width = image != nullptr ? attributes.width : 0;
    height = image != nullptr ? attributes.height : 0;
    if (image == nullptr) {
        if (onWeston()) {
            return {};
        }
        throw std::runtime_error("XGetImage read nothing from the screen");
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb[at++] = static_cast<std::uint8_t>((pixel & image->red_mask) >> 16);
            rgb[at++] = static_cast<std::uint8_t>((pixel & image->green_mask) >> 8);
            rgb[at++] = static_cast<std::uint8_t>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return rgb;
}

Picture capture(Display* display)
{
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rgb = screenPixels(display, width, height);
    Picture picture;
    picture.left = width;
    picture.top = height;
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, at += 3) {
            const int sum = rgb[at] + rgb[at + 1] + rgb[at + 2];
            if (sum == 0) {
                ++picture.black;
            } else if (sum == 3 * 255) {
                ++picture.white;
                picture.left = std::min(picture.left, x);
                picture.top = std::min(picture.top, y);
                picture.right = std::max(picture.right, x + 1);
                picture.bottom = std::max(picture.bottom, y + 1);
            } else {
                ++picture.other;
            }
        }
    }
    return picture;
}

void keyDown(Display* display, unsigned long keysym, bool down)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, CurrentTime);
    XFlush(display);
}

void pressKey(Display* display, unsigned long keysym, const std::vector<unsigned long>& held)
{
    for (unsigned long modifier : held) {
        keyDown(display, modifier, true);
    }
    keyDown(display, keysym, true);
    keyDown(display, keysym, false);
    for (unsigned long modifier : held) {
        keyDown(display, modifier, false);
    }
}

void buttonDown(Display* display, unsigned int button, bool down)
{
    XTestFakeButtonEvent(display, button, down ? True : False, CurrentTime);
    XFlush(display);
}

void clickButton(Display* display, unsigned int button)
{
    buttonDown(display, button, true);
    buttonDown(display, button, false);
}

void movePointerToCentre(Display* display)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), DisplayWidth(display, 0) / 2,
                         DisplayHeight(display, 0) / 2, CurrentTime);
    XFlush(display);
}

void requestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;  // a request from a pager or taskbar, honoured at once
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

}  // namespace e2e
