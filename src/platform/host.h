#pragma once

#include "platform/message_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a file dialog needs to be shown.
struct TFileDialogRequest {
    std::string Title;
    std::string FileName;   // the dialog opens on this file (its folder and its name)
    std::string InitialDir; // the folder to start in when FileName names none
    // Qt name filters such as "*.mrk (*.mrk)"; empty offers every file.
    std::vector<std::string> NameFilters;
    std::string DefaultSuffix; // appended to a name typed without one, e.g. "mrk"
    bool MustExist = false;    // only existing files (and folders) can be chosen
};

// Everything the model and the commands need from a screen or a person. The main window
// implements it with widgets; tests use a recording double.
class THost {
public:
    virtual ~THost() = default;

    // --- the byte view ---
    // Redraws the cursor byte's number cell (and, with withCharLine, its line's character area),
    // with the cursor drawn when show is true and hidden otherwise.
    virtual void RedrawCursorCells(bool show, bool withCharLine) = 0;
    // Marks the whole view as needing a repaint.
    virtual void InvalidateView() = 0;
    // Paints whatever is pending now, instead of at the next event loop turn.
    virtual void PaintPendingUpdates() = 0;
    // Asks the main window to recompute the layout (byte count, mode or size changed).
    virtual void RequestRelayout() = 0;
    // Moves the vertical scroll bar; its position is the view's top line.
    virtual void SetScrollPosition(std::int32_t topLine) = 0;
    // Shows the cursor now and restarts the blink interval.
    virtual void RestartCursorBlink() = 0;
    // Refreshes the status panels for position, value and distance.
    virtual void ShowCursorStatus() = 0;
    // Recomputes every enabled and checked state, the undo and redo captions, the recent files
    // and the status panels; every command ends with it.
    virtual void RefreshCommandState() = 0;

    // --- the person ---
    virtual int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                              int helpContext) = 0;
    virtual void Beep() = 0;

    // --- files ---
    // The message box with a preferred default button (pressed by Enter when it is in the set).
    virtual int MessageDialogDefault(const std::string& text, TMsgDlgType kind,
                                     TMsgDlgButtons buttons, int helpContext,
                                     TMsgDlgBtn defaultButton) = 0;
    // Modal file dialogs; the chosen name, or nothing when cancelled. The save dialog never asks
    // about overwriting by itself: the commands ask.
    virtual std::optional<std::string> ExecuteOpenDialog(const TFileDialogRequest& request) = 0;
    virtual std::optional<std::string> ExecuteSaveDialog(const TFileDialogRequest& request) = 0;
    virtual void SetWindowTitle(const std::string& text) = 0;
};
