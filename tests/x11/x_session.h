#pragma once

// The editor as the window system sees it: an Xvfb server of the test's own, editor processes on
// it, and xdotool to find, read, focus and type into their windows. The unit tests run offscreen
// and see neither the X11 title, nor the mapped geometry, nor the real key path.

#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

struct xcb_connection_t;

namespace x11 {

using namespace std::chrono_literals;
using TWindowId = std::uint32_t;

struct TToolResult {
    int Status = -1; // the exit code; -1 when the tool was killed or could not start
    std::string Out; // its standard output
};

// Runs a tool on `display` and waits for it; one that outlives `timeout` is killed.
TToolResult RunTool(const std::string& display, const std::vector<std::string>& argv,
                    std::chrono::milliseconds timeout = 5s);

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TPoint& p);

struct TGeometry {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TGeometry&) const = default;
    TPoint Place() const { return {X, Y}; }
};
std::ostream& operator<<(std::ostream& out, const TGeometry& g);

struct TWindow {
    TWindowId Id = 0;
    std::string Name;
};

// An Xvfb server (1280x1024x24, no TCP) on a display number the server picks itself, so that
// several run side by side; killed with the object.
class TXServer {
public:
    TXServer();
    ~TXServer();
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    // False when the server did not start or accept a connection; Error() says why.
    bool Ok() const { return Pid > 0; }
    const std::string& Error() const { return Failure; }
    // ":N"
    const std::string& Display() const { return Name; }
    TToolResult Tool(const std::vector<std::string>& argv,
                     std::chrono::milliseconds timeout = 5s) const {
        return RunTool(Name, argv, timeout);
    }
    // The whole screen as a PNG file.
    bool Screenshot(const std::string& path) const;

private:
    pid_t Pid = -1;
    std::string Name;
    std::string Failure;
};

// The folders of one user of the editor: the settings (XDG_CONFIG_HOME) and the private runtime
// folder (XDG_RUNTIME_DIR, 0700). Copies of one user share them.
class TEditorUser {
public:
    TEditorUser();
    std::string ConfigHome() const;
    std::string RuntimeDir() const;
    std::string SettingsFile() const;
    // Left and Top of the settings file, none while it has no placement.
    std::optional<TPoint> StoredPlace() const;
    // Writes Left and Top, keeping the other keys.
    void StorePlace(int left, int top) const;
    // Writes one value, keeping the other keys.
    void Store(const std::string& key, const std::string& value) const;

private:
    QTemporaryDir Config;
    QTemporaryDir Runtime;
};

// One editor process on a server, for one user, started in `folder` (the test's own when
// empty). Killed with the object if it still runs.
class TEditor {
public:
    TEditor(const TXServer& server, const TEditorUser& user,
            const std::vector<std::string>& arguments = {}, const std::string& folder = {});
    ~TEditor();
    TEditor(const TEditor&) = delete;
    TEditor& operator=(const TEditor&) = delete;

    pid_t Pid() const { return Process; }
    // Waits for a visible window of this process whose name starts with "Vantrokelmissory" and
    // keeps it as the main window; 0 when none came up in time.
    TWindowId WaitForMainWindow(std::chrono::milliseconds timeout = 10s);
    TWindowId MainWindow() const { return Main; }
    // As `xdotool getwindowname` prints it, without the line end.
    std::string WindowName(TWindowId window = 0) const;
    // As `xdotool getwindowgeometry --shell` gives it; none when the window is gone.
    std::optional<TGeometry> Geometry(TWindowId window = 0) const;
    // Every visible window of the process (the main window, message boxes, dialogs).
    std::vector<TWindow> VisibleWindows() const;
    // Waits for a visible window of the process other than the main window, such as a message
    // box; none when none came up in time.
    std::optional<TWindow> WaitForOtherWindow(std::chrono::milliseconds timeout = 5s);
    // Focuses the window (there is no window manager) and types xdotool key names in order,
    // e.g. {"ctrl+s"} or {"1", "Right", "BackSpace"}.
    bool SendKeys(const std::vector<std::string>& keys, TWindowId window = 0,
                  int delayMs = 20) const;
    // File > Exit through the English menu.
    bool Quit() const { return SendKeys({"alt+f", "e"}); }
    // The exit code once the process ended; none on a timeout or when it died of a signal.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout = 10s);
    bool Running();
    void Kill();
    // What the editor wrote on stdout and stderr so far.
    std::string Log() const;

private:
    TWindowId Window(TWindowId window) const { return window != 0 ? window : Main; }
    const TXServer& Server;
    pid_t Process = -1;
    std::optional<int> Status; // the raw wait status once reaped
    TWindowId Main = 0;
    std::string LogFile;
};

// What a window manager does to the windows it manages, as far as telling a running copy goes:
// it puts them into frames and lists them in _NET_CLIENT_LIST. The windows go back to the root
// when the object goes.
class TWindowManagerStandIn {
public:
    explicit TWindowManagerStandIn(const TXServer& server);
    ~TWindowManagerStandIn();
    TWindowManagerStandIn(const TWindowManagerStandIn&) = delete;
    TWindowManagerStandIn& operator=(const TWindowManagerStandIn&) = delete;

    bool Ok() const;
    // Reparents `window` into `frames` frames nested in one another below the root.
    void Frame(TWindowId window, int frames);
    // Appends `window` to the root's _NET_CLIENT_LIST.
    void List(TWindowId window);

private:
    void Sync();
    xcb_connection_t* C = nullptr;
    TWindowId Root = 0;
    std::uint32_t Atom = 0;
};

} // namespace x11
