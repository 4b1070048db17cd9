#pragma once

#include "files/file_io.h"
#include "files/file_names.h"
#include "platform/host.h"

#include <string>
#include <vector>

class TEditorState;

// New, Open, Save, Save as, the recent files, the command-line file, dropped files, the close
// query and the three file options. Construct it after the settings were read: the dialogs take
// their start folder from the stored InitialDir.
class TFileCommands {
public:
    explicit TFileCommands(TEditorState& state);
    TFileCommands(const TFileCommands&) = delete;
    TFileCommands& operator=(const TFileCommands&) = delete;

    // The FileName of the open and of the save dialog. Both hold the current document name,
    // except for the moment a save is choosing another target.
    std::string OpenDialogFileName;
    std::string SaveDialogFileName;
    // Start folder of both dialogs, set once at start.
    std::string DialogInitialDir;
    // Set until the command line has been handled.
    bool FirstShow = true;
    // Test seam for failing reads and writes.
    TFileFaults Faults;

    const std::string& DocumentName() const { return OpenDialogFileName; }

    // Makes name (possibly empty) the current file: both dialogs, InitialDir, the window title
    // and, when new to it, the front of the recent-file list.
    void SetDocumentName(const std::string& name);
    // Runs the close query, then reads the file into the document. Failures are shown.
    void LoadDocument(std::string name);
    // Writes the document to name after the overwrite question and the backup; askAlways asks
    // even with the warning option off. Answers whether the file was written.
    bool SaveDocument(std::string name, bool askAlways);
    // Asks whether to save changes; answers whether the caller may discard the document.
    bool FormCloseQuery();

    void NewMainMenuItemClick();
    void DoOpenFromFile();
    void DoSave();
    void DoSaveAs();
    // The recent-file items File0MenuItem .. File4MenuItem.
    void FileMenuItemClick(int index);
    // The first showing of the main window: opens the first command-line argument.
    void FormShow(const std::vector<std::string>& arguments);
    // Files dropped on the view: opens the first.
    void DropFiles(const std::vector<std::string>& names);
    void KeepmarksonloadMenuItemClick();
    void CreatebackupfilesMenuItemClick();
    void OverwriteWarnMenuItemClick();

private:
    // The request for the dialog of that component name, opening on fileName.
    TFileDialogRequest DialogRequest(const char* dialog, const std::string& fileName) const;
    TFileDialogRequest OpenRequest() const;
    TFileDialogRequest SaveRequest() const;
    // Cursor, scroll position, history and layout after the document was replaced.
    void ResetAfterReplace(bool redraw);
    void ShowReadFailure();
    void ShowWriteFailure();

    TEditorState& State;
};
