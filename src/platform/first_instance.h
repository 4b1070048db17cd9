#pragma once

class QWidget;

// Whether this is the first copy of the program: a later copy moves its window aside so that it
// does not hide the one already open. The answer comes from the window system, not from a lock,
// so it counts only copies on the same display and only while they have a main window; the
// windows of a killed copy go with its connection, so nothing stale is left behind.
//
// Over X11 the main window carries a property of ours. Elsewhere (offscreen, Wayland) there is
// nothing to look at: no main window is seen and marking does nothing.

// Marks the native window of `form` as a main window of this program, creating the native window
// if it does not exist yet.
void MarkAsMainWindow(QWidget& form);

// True when a window marked by MarkAsMainWindow exists now on the application's display.
bool MainWindowExists();
