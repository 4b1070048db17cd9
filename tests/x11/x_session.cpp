#include "x11/x_session.h"

#include <QSettings>

#include <xcb/xcb.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace x11 {

namespace {

using TClock = std::chrono::steady_clock;

constexpr auto PollStep = 15ms;

// The process environment with `set` put in (or replaced) and `unset` taken out.
std::vector<std::string> Environment(const std::vector<std::pair<std::string, std::string>>& set,
                                     const std::vector<std::string>& unset = {}) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string key = entry.substr(0, entry.find('='));
        bool dropped = false;
        for (const auto& [k, v] : set) {
            dropped = dropped || k == key;
        }
        for (const auto& k : unset) {
            dropped = dropped || k == key;
        }
        if (!dropped) {
            env.push_back(entry);
        }
    }
    for (const auto& [k, v] : set) {
        env.push_back(k + "=" + v);
    }
    return env;
}

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (const std::string& s : strings) {
        p.push_back(const_cast<char*>(s.c_str()));
    }
    p.push_back(nullptr);
    return p;
}

// fork and exec with stdin from /dev/null, stdout to `out` and stderr to `err`. The child dies
// with the test, so that a test killed on a timeout leaves no server or editor behind. `keep` is
// a descriptor the child is to inherit.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int out,
            int err, int keep = -1, const std::string& folder = {}) {
    // Everything the child touches is made before the fork.
    const std::vector<char*> args = Pointers(argv);
    const std::vector<char*> envp = Pointers(env);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        _exit(127);
    }
    const int in = open("/dev/null", O_RDONLY);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (keep >= 0) {
        fcntl(keep, F_SETFD, 0);
    }
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        _exit(127);
    }
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
}

int DevNull() {
    return open("/dev/null", O_WRONLY | O_CLOEXEC);
}

int Remaining(TClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads from `fd` until its end, until `done` says enough, or until the deadline.
bool ReadUntil(int fd, std::string& text, TClock::time_point deadline,
               bool (*done)(const std::string&)) {
    char buffer[4096];
    while (!done(text)) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, Remaining(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true; // the end
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

// Waits for `pid` until the deadline; the raw status, or none while it still runs.
std::optional<int> Reap(pid_t pid, TClock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            return status;
        }
        if (r < 0 && errno != EINTR) {
            return -1; // not ours any more
        }
        if (TClock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(5ms);
    }
}

// Ends `pid` politely, then firmly.
void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    if (!Reap(pid, TClock::now() + 5s)) {
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<TWindowId> WindowIds(const TToolResult& r) {
    std::vector<TWindowId> ids;
    if (r.Status == 0) {
        for (const std::string& line : Lines(r.Out)) {
            ids.push_back(static_cast<TWindowId>(std::stoul(line)));
        }
    }
    return ids;
}

} // namespace

TToolResult RunTool(const std::string& display, const std::vector<std::string>& argv,
                    std::chrono::milliseconds timeout) {
    TToolResult result;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        return result;
    }
    const int null = DevNull();
    const pid_t pid = Spawn(argv, Environment({{"DISPLAY", display}}), out[1], null);
    close(out[1]);
    close(null);
    const auto deadline = TClock::now() + timeout;
    const bool ended =
        ReadUntil(out[0], result.Out, deadline, [](const std::string&) { return false; });
    close(out[0]);
    if (pid < 0) {
        return result;
    }
    std::optional<int> status = ended ? Reap(pid, deadline) : std::nullopt;
    if (!status) {
        kill(pid, SIGKILL);
        Reap(pid, TClock::now() + 5s);
        return result;
    }
    result.Status = WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    return result;
}

std::ostream& operator<<(std::ostream& out, const TPoint& p) {
    return out << "(" << p.X << ", " << p.Y << ")";
}

std::ostream& operator<<(std::ostream& out, const TGeometry& g) {
    return out << g.Width << "x" << g.Height << " at (" << g.X << ", " << g.Y << ")";
}

// --- TXServer ---

TXServer::TXServer() {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        Failure = "no pipe for -displayfd";
        return;
    }
    const int null = DevNull();
    const pid_t pid = Spawn({"Xvfb", "-displayfd", std::to_string(report[1]), "-screen", "0",
                             "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                            Environment({}), null, null, report[1]);
    close(report[1]);
    close(null);
    // The server writes its display number once it is ready, or nothing when it fails.
    std::string number;
    const auto deadline = TClock::now() + 15s;
    ReadUntil(report[0], number, deadline,
              [](const std::string& t) { return t.find('\n') != std::string::npos; });
    close(report[0]);
    if (pid < 0 || number.find('\n') == std::string::npos) {
        Failure = "Xvfb did not report a display";
        if (pid > 0) {
            Stop(pid);
        }
        return;
    }
    Name = ":" + number.substr(0, number.find('\n'));
    while (TClock::now() < deadline) {
        xcb_connection_t* c = xcb_connect(Name.c_str(), nullptr);
        const bool connected = xcb_connection_has_error(c) == 0;
        xcb_disconnect(c);
        if (connected) {
            Pid = pid;
            return;
        }
        std::this_thread::sleep_for(PollStep);
    }
    Failure = "Xvfb on " + Name + " accepted no connection";
    Stop(pid);
}

TXServer::~TXServer() {
    if (Pid > 0) {
        Stop(Pid);
    }
}

bool TXServer::Screenshot(const std::string& path) const {
    return Tool({"import", "-window", "root", path}, 20s).Status == 0;
}

// --- TEditorUser ---

TEditorUser::TEditorUser() = default; // QTemporaryDir makes each folder 0700

std::string TEditorUser::ConfigHome() const {
    return Config.path().toStdString();
}

std::string TEditorUser::RuntimeDir() const {
    return Runtime.path().toStdString();
}

std::string TEditorUser::SettingsFile() const {
    return ConfigHome() + "/Quillmoran/Vantrokelmissory/1.0.conf";
}

std::optional<TPoint> TEditorUser::StoredPlace() const {
    const QSettings ini(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
    bool left = false;
    bool top = false;
    const TPoint p{ini.value("Left").toInt(&left), ini.value("Top").toInt(&top)};
    if (!left || !top) {
        return std::nullopt;
    }
    return p;
}

void TEditorUser::StorePlace(int left, int top) const {
    Store("Left", std::to_string(left));
    Store("Top", std::to_string(top));
}

void TEditorUser::Store(const std::string& key, const std::string& value) const {
    QSettings ini(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
    ini.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

// --- TEditor ---

TEditor::TEditor(const TXServer& server, const TEditorUser& user,
                 const std::vector<std::string>& arguments, const std::string& folder)
    : Server(server) {
    static std::atomic<int> count = 0;
    LogFile = user.RuntimeDir() + "/editor-" + std::to_string(++count) + ".log";
    const int log = open(LogFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::vector<std::string> argv{VKO_EDITOR_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    Process = Spawn(argv,
                    Environment({{"DISPLAY", server.Display()},
                                 {"QT_QPA_PLATFORM", "xcb"},
                                 {"XDG_CONFIG_HOME", user.ConfigHome()},
                                 {"XDG_RUNTIME_DIR", user.RuntimeDir()}},
                                {"WAYLAND_DISPLAY", "SESSION_MANAGER"}),
                    log, log, -1, folder);
    close(log);
}

TEditor::~TEditor() {
    Kill();
}

TWindowId TEditor::WaitForMainWindow(std::chrono::milliseconds timeout) {
    const auto deadline = TClock::now() + timeout;
    do {
        const auto ids =
            WindowIds(Server.Tool({"xdotool", "search", "--all", "--onlyvisible", "--pid",
                                   std::to_string(Process), "--name", "^Vantrokelmissory"}));
        if (!ids.empty()) {
            Main = ids.front();
            return Main;
        }
        if (!Running()) {
            return 0;
        }
        std::this_thread::sleep_for(PollStep);
    } while (TClock::now() < deadline);
    return 0;
}

std::string TEditor::WindowName(TWindowId window) const {
    std::string name =
        Server.Tool({"xdotool", "getwindowname", std::to_string(Window(window))}).Out;
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::optional<TGeometry> TEditor::Geometry(TWindowId window) const {
    const TToolResult r =
        Server.Tool({"xdotool", "getwindowgeometry", "--shell", std::to_string(Window(window))});
    if (r.Status != 0) {
        return std::nullopt;
    }
    TGeometry g;
    int found = 0;
    for (const std::string& line : Lines(r.Out)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        for (auto [name, field] : {std::pair{"X", &g.X}, std::pair{"Y", &g.Y},
                                   std::pair{"WIDTH", &g.Width}, std::pair{"HEIGHT", &g.Height}}) {
            if (key == name) {
                *field = value;
                ++found;
            }
        }
    }
    if (found != 4) {
        return std::nullopt;
    }
    return g;
}

std::vector<TWindow> TEditor::VisibleWindows() const {
    std::vector<TWindow> windows;
    for (const TWindowId id : WindowIds(Server.Tool(
             {"xdotool", "search", "--onlyvisible", "--pid", std::to_string(Process)}))) {
        windows.push_back({id, WindowName(id)});
    }
    return windows;
}

std::optional<TWindow> TEditor::WaitForOtherWindow(std::chrono::milliseconds timeout) {
    const auto deadline = TClock::now() + timeout;
    do {
        for (const TWindow& w : VisibleWindows()) {
            if (w.Id != Main) {
                return w;
            }
        }
        if (!Running()) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(PollStep);
    } while (TClock::now() < deadline);
    return std::nullopt;
}

bool TEditor::SendKeys(const std::vector<std::string>& keys, TWindowId window, int delayMs) const {
    std::vector<std::string> argv{
        "xdotool", "windowfocus",          "--sync", std::to_string(Window(window)), "key",
        "--delay", std::to_string(delayMs)};
    argv.insert(argv.end(), keys.begin(), keys.end());
    return Server.Tool(argv, 10s).Status == 0;
}

std::optional<int> TEditor::WaitForExit(std::chrono::milliseconds timeout) {
    if (!Status && Process > 0) {
        Status = Reap(Process, TClock::now() + timeout);
    }
    if (!Status || !WIFEXITED(*Status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(*Status);
}

bool TEditor::Running() {
    WaitForExit(0ms);
    return Process > 0 && !Status;
}

void TEditor::Kill() {
    if (Running()) {
        kill(Process, SIGKILL);
        WaitForExit(10s);
    }
}

std::string TEditor::Log() const {
    std::ifstream in(LogFile);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// --- TWindowManagerStandIn ---

TWindowManagerStandIn::TWindowManagerStandIn(const TXServer& server)
    : C(xcb_connect(server.Display().c_str(), nullptr)) {
    if (!Ok()) {
        return;
    }
    Root = xcb_setup_roots_iterator(xcb_get_setup(C)).data->root;
    const char name[] = "_NET_CLIENT_LIST";
    const auto cookie = xcb_intern_atom(C, 0, sizeof name - 1, name);
    if (auto* reply = xcb_intern_atom_reply(C, cookie, nullptr)) {
        Atom = reply->atom;
        std::free(reply);
    }
}

TWindowManagerStandIn::~TWindowManagerStandIn() {
    if (Ok()) {
        xcb_delete_property(C, Root, Atom);
        Sync();
    }
    xcb_disconnect(C); // the save set puts the framed windows back on the root
}

bool TWindowManagerStandIn::Ok() const {
    return xcb_connection_has_error(C) == 0;
}

void TWindowManagerStandIn::Frame(TWindowId window, int frames) {
    TWindowId parent = Root;
    for (int i = 0; i < frames; ++i) {
        const TWindowId frame = xcb_generate_id(C);
        xcb_create_window(C, XCB_COPY_FROM_PARENT, frame, parent, 0, 0, 800, 700, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(C, frame);
        parent = frame;
    }
    xcb_change_save_set(C, XCB_SET_MODE_INSERT, window);
    xcb_reparent_window(C, window, parent, 0, 0);
    Sync();
}

void TWindowManagerStandIn::List(TWindowId window) {
    xcb_change_property(C, XCB_PROP_MODE_APPEND, Root, Atom, XCB_ATOM_WINDOW, 32, 1, &window);
    Sync();
}

void TWindowManagerStandIn::Sync() {
    std::free(xcb_get_input_focus_reply(C, xcb_get_input_focus(C), nullptr));
}

} // namespace x11
