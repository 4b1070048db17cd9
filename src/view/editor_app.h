#pragma once

#include <QStringList>

#include <functional>

class TVkoEditorMainForm;

// One run of the editor inside an existing application object: settings read before any
// window, the main window created, the language applied, the window shown and the event loop
// run; at the end the window goes, the history and the document are released and the settings
// are written, once.
struct TEditorRun {
    // The command-line arguments after the program name.
    QStringList Arguments;
    // Called once the window is shown (tests drive the window from here).
    std::function<void(TVkoEditorMainForm&)> OnShown;
};

int RunEditor(const TEditorRun& run);
