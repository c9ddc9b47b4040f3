// End-to-end harness: a private display server (Xvfb, or weston with Xwayland), an optional
// window manager, the real bounce process, screenshots read with XGetImage and input sent
// through XTest.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Every wait is for a condition, bounded by one of these. They are generous, so that they hold
// under AddressSanitizer, an emulator or a loaded machine; a healthy run uses a small part.
namespace bound {
constexpr auto start = 30s;  // a server, a window manager, the program's first frame, a move
constexpr auto end = 15s;    // the program's exit once it has been asked to end
}  // namespace bound

// Polls done() until it holds; throws "<what> within <n> s" if the bound runs out first.
void waitUntil(Clock::duration limit, const std::string& what, const std::function<bool()>& done);

// A child process in its own process group; killed with its group, and with every process it
// started, when destroyed.
class Process {
public:
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& outputFile = "/dev/null");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool running();
    // The exit status (or 128 + signal), or nothing if it is still running after timeout.
    std::optional<int> waitExit(Clock::duration timeout);
    void kill();

private:
    int pid_ = -1;
    std::optional<int> status_;
};

// The display server under the tests: Xvfb by default, or with BOUNCE_DISPLAY_SERVER=weston
// the Xwayland of a headless weston, which manages every window itself and has no pointer
// device of its own (XTest's stands in).
bool onWeston();

// The processes whose parent is the given one, found through /proc.
struct ProcessEntry {
    int pid;
    std::string name;
};
std::vector<ProcessEntry> childrenOf(int parent);

// A fresh display of 1280x1024 on a free display number, with a client connection to it.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return name_; }
    Display* connection() const { return display_; }
    Process& server() { return *server_; }
    void closeConnection();

private:
    void connect();

    std::string name_;
    std::string runtimeDir_;
    std::unique_ptr<Process> server_;
    Display* display_ = nullptr;
};

// openbox on the given display (on weston, weston itself), ready once it manages windows: a
// probe window has been framed or listed among its clients. openbox finds fontconfig's cache
// cold, as on a fresh machine.
std::unique_ptr<Process> startWindowManager(VirtualDisplay& display);
// Whether the program under test gets input only under a window manager (as under Wine,
// whose windows get the keyboard focus from it): BOUNCE_NEEDS_WINDOW_MANAGER is set.
bool windowManagerRequired();

// The bounce executable under test, with its standard output and error kept in a file. The
// build's own by default; BOUNCE_EXECUTABLE names another, BOUNCE_LAUNCHER a program to run
// it through (such as Wine for bounce.exe).
class Bounce {
public:
    explicit Bounce(const VirtualDisplay& display, std::vector<std::string> arguments = {},
                    const std::string& displayOverride = "");
    ~Bounce();
    Bounce(const Bounce&) = delete;
    Bounce& operator=(const Bounce&) = delete;
    Process& process() { return *process_; }
    // Waits for the first frame, a white square; throws with the program's output if none.
    void waitForSquare(Display* display) const;
    std::string output() const;

private:
    std::string outputFile_;
    std::unique_ptr<Process> process_;
};

// Windows whose WM_NAME is the given title, anywhere in the tree.
std::vector<Window> windowsNamed(Display* display, const std::string& title);

struct Rect {
    int x;
    int y;
    int width;
    int height;
};
Rect rootGeometry(Display* display, Window window);

// The items of a window's list property (windows, atoms) of the given type; none if unset.
std::vector<unsigned long> listProperty(Display* display, Window window, const char* name,
                                        Atom type);

// What one screenshot shows: the counts of each kind of pixel and the white bounding box.
struct Picture {
    long black = 0;
    long white = 0;
    long other = 0;
    int left = 0;
    int top = 0;
    int right = -1;  // exclusive
    int bottom = -1;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
    bool oneFilledSquare() const
    {
        return white > 0 && white == static_cast<long>(width()) * height();
    }
};
Picture capture(Display* display);

// RGB pixels of the whole screen, row by row.
std::vector<std::uint8_t> screenPixels(Display* display, int& width, int& height);

// Input through XTest; keys are keysyms, modifiers keysyms held around the key.
void pressKey(Display* display, unsigned long keysym, const std::vector<unsigned long>& held = {});
void keyDown(Display* display, unsigned long keysym, bool down);
void clickButton(Display* display, unsigned int button);
void buttonDown(Display* display, unsigned int button, bool down);
void movePointerToCentre(Display* display);

// Asks the window manager to close the window, as its close button does.
void requestClose(Display* display, Window window);

}  // namespace e2e
