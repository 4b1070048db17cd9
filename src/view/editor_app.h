#pragma once

#include <functional>
#include <string>
#include <vector>

class TVkoEditorMainForm;

// One run of the editor inside an existing application object: settings read before any
// window, the main window created, the language applied, the window shown and the event loop
// run; at the end the window goes, the history and the document are released and the settings
// are written, once.
struct TEditorRun {
    // The command-line arguments that are the program's, as the bytes given (a file name is
    // bytes, not text).
    std::vector<std::string> Arguments;
    // Called once the window is shown (tests drive the window from here).
    std::function<void(TVkoEditorMainForm&)> OnShown;
};

int RunEditor(const TEditorRun& run);
