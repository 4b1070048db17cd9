#include "platform/first_instance.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace {

constexpr const char* MarkName = "_VANTROKELMISSORY_MAIN_FORM";

// Window managers put each client into a frame, some into a frame inside a frame; below a root,
// a client window sits at most this deep.
constexpr int MaxDepth = 3;

struct TFree {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

xcb_connection_t* Connection() {
    // The offscreen platform may hold an X connection of its own (for GL); its display is not
    // the one the user sees, so only the xcb platform looks.
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_intern_atom_cookie_t AskAtom(xcb_connection_t* c, const char* name, bool onlyIfExists) {
    return xcb_intern_atom(c, onlyIfExists ? 1 : 0, static_cast<std::uint16_t>(std::strlen(name)),
                           name);
}

xcb_atom_t AtomOf(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
    const TReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The mark's atom, interned once for the application's connection.
struct TMarkAtom {
    xcb_connection_t* Connection = nullptr;
    xcb_atom_t Atom = XCB_ATOM_NONE;
};
TMarkAtom& Mark() {
    static TMarkAtom mark;
    return mark;
}

template <typename T> T* Take(T* reply, xcb_generic_error_t* error) {
    std::free(error); // a window that went away in between answers with an error
    return reply;
}

} // namespace

void MarkAsMainWindow(QWidget& form) {
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return;
    }
    TMarkAtom& mark = Mark();
    if (mark.Connection != c || mark.Atom == XCB_ATOM_NONE) {
        mark = {c, AtomOf(c, AskAtom(c, MarkName, false))};
    }
    if (mark.Atom == XCB_ATOM_NONE) {
        return;
    }
    const auto window = static_cast<xcb_window_t>(form.winId());
    const auto pid = static_cast<std::uint32_t>(getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, mark.Atom, XCB_ATOM_CARDINAL, 32, 1,
                        &pid);
    xcb_flush(c);
}

bool MainWindowExists() {
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return false;
    }
    // Only atoms that exist: while no copy has marked a window on this server, there is no atom
    // and so no mark.
    const auto markCookie = AskAtom(c, MarkName, true);
    const auto clientsCookie = AskAtom(c, "_NET_CLIENT_LIST", true);
    const xcb_atom_t atom = AtomOf(c, markCookie);
    const xcb_atom_t clients = AtomOf(c, clientsCookie);
    if (atom == XCB_ATOM_NONE) {
        return false;
    }
    Mark() = {c, atom};

    // One round trip a level of the tree: every request of a level goes out before the first
    // reply is read, so a desktop of hundreds of windows costs a handful of round trips. The
    // roots also give the window manager's client list, when one keeps it; those windows are
    // looked at with the roots' children, whatever depth their frames put them at.
    std::vector<xcb_window_t> level;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem > 0; xcb_screen_next(&it)) {
        level.push_back(it.data->root);
    }
    std::unordered_set<xcb_window_t> seen(level.begin(), level.end());
    for (int depth = 0; depth <= MaxDepth && !level.empty(); ++depth) {
        std::vector<xcb_get_property_cookie_t> marks;
        std::vector<xcb_get_property_cookie_t> lists;
        std::vector<xcb_query_tree_cookie_t> trees;
        for (const xcb_window_t w : level) {
            marks.push_back(xcb_get_property(c, 0, w, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
            if (depth < MaxDepth) {
                trees.push_back(xcb_query_tree(c, w));
            }
            if (depth == 0 && clients != XCB_ATOM_NONE) {
                lists.push_back(xcb_get_property(c, 0, w, clients, XCB_ATOM_WINDOW, 0, 1 << 16));
            }
        }

        // Every reply is read even once the answer is known, so that none is left queued.
        bool found = false;
        for (const auto cookie : marks) {
            xcb_generic_error_t* error = nullptr;
            const TReply<xcb_get_property_reply_t> reply(
                Take(xcb_get_property_reply(c, cookie, &error), error));
            found = found || (reply != nullptr && reply->type != XCB_ATOM_NONE);
        }
        std::vector<xcb_window_t> next;
        auto follow = [&](const xcb_window_t* windows, int count) {
            for (int i = 0; i < count; ++i) {
                if (seen.insert(windows[i]).second) {
                    next.push_back(windows[i]);
                }
            }
        };
        for (const auto cookie : lists) {
            xcb_generic_error_t* error = nullptr;
            const TReply<xcb_get_property_reply_t> reply(
                Take(xcb_get_property_reply(c, cookie, &error), error));
            if (reply != nullptr && reply->format == 32) {
                follow(static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get())),
                       xcb_get_property_value_length(reply.get()) / 4);
            }
        }
        for (const auto cookie : trees) {
            xcb_generic_error_t* error = nullptr;
            const TReply<xcb_query_tree_reply_t> reply(
                Take(xcb_query_tree_reply(c, cookie, &error), error));
            if (reply != nullptr) {
                follow(xcb_query_tree_children(reply.get()),
                       xcb_query_tree_children_length(reply.get()));
            }
        }
        if (found) {
            return true;
        }
        level = std::move(next);
    }
    return false;
}
