#include "files/file_commands.h"

#include "i18n/captions.h"

#include "core/editor_state.h"
#include "files/file_names.h"

#include <cstring>
#include <new>

namespace {

constexpr const char* Title = "Vantrokelmissory";

std::string OverwriteQuestion(int language, const std::string& name) {
    if (IsGerman(language)) {
        return "Die Datei " + name +
               " existiert bereits. Bestehende Datei überschreiben?\r\rWARNUNG: Das "
               "Überschreiben von bestehenden Dateien kann Software und Daten ihres Systems "
               "beschädigen. Es kann zu einem instabilen System führen. Wenn Sie nicht genau "
               "wissen was Sie tun oder sich nicht über die möglichen Konsequenzen im Klaren "
               "sind, dann drücken Sie den Nein-Schalter.";
    }
    return "File " + name +
           " already exists. Overwrite existing file?\r\rWARNING: Overwriting files can damage "
           "your system's software and data. It can lead to an unstable system. If you don't "
           "know exactly what you are doing or you don't know about the possible consequences "
           "then you should press the No-button.";
}

const char* WarningOffQuestion(int language) {
    return Tr(language,
              "Wollen Sie die Warnungen deaktivieren?\r\rWARNUNG: Wenn Sie diese Option "
              "deaktivieren werden Sie vor dem Speichern von Dateien unter ihrem bisherigen "
              "Dateinamen nicht mehr nach einer Bestätigung gefragt. Das Risiko ist daher hoch, "
              "daß Sie versehentlich eine Datei mit modifizierten Daten überschreiben.\r\rDas "
              "Überschreiben von bestehenden Dateien kann Software und Daten ihres Systems "
              "beschädigen. Es kann zu einem instabilen System führen. Wenn Sie nicht genau "
              "wissen was Sie tun oder sich nicht über die möglichen Konsequenzen im Klaren "
              "sind, dann drücken Sie den Nein-Schalter.",
              "Do you want to deactivate the warnings?\r\rWARNUNG: If you deactivate this "
              "option you will not be asked to confirm saving files under their present "
              "filename. Thus the risk will be high that you accidently overwrite files if "
              "modified data.\r\rOverwriting files can damage your system's software and data. "
              "It can lead to an unstable system. If you don't know exactly what you are doing "
              "or you don't know about the possible consequences then you should press the "
              "No-button.");
}

std::string SaveChangesQuestion(int language, const std::string& name) {
    if (IsGerman(language)) {
        return (name.empty() ? std::string("Daten wurden") : name + " wurde") +
               " geändert. Änderungen speichern?";
    }
    return (name.empty() ? std::string("Data") : name) + " has been changed. Save changes?";
}

} // namespace

TFileCommands::TFileCommands(TEditorState& state)
    : DialogInitialDir(state.Settings.InitialDir), State(state) {}

TFileDialogRequest TFileCommands::DialogRequest(const char* dialog,
                                                const std::string& fileName) const {
    TFileDialogRequest r;
    r.Title = CaptionText(dialog, State.Language);
    r.FileName = fileName;
    r.InitialDir = DialogInitialDir;
    return r;
}

TFileDialogRequest TFileCommands::OpenRequest() const {
    return DialogRequest("OpenDialog", OpenDialogFileName);
}

TFileDialogRequest TFileCommands::SaveRequest() const {
    return DialogRequest("SaveDialog", SaveDialogFileName);
}

void TFileCommands::ShowReadFailure() {
    State.Host.MessageDialog(Tr(State.Language, "Konnte nicht lesen!", "Reading failed!"),
                             TMsgDlgType::Error, mbOKOnly, 0);
}

void TFileCommands::ShowWriteFailure() {
    State.Host.MessageDialog(Tr(State.Language, "Konnte nicht schreiben!", "Writing failed!"),
                             TMsgDlgType::Error, mbOKOnly, 0);
}

void TFileCommands::ResetAfterReplace(bool redraw) {
    State.Geo.PlaceCursor(0, 0, redraw);
    State.Host.SetScrollPosition(0);
    State.Actions.Forget();
    State.Host.RequestRelayout();
}

void TFileCommands::SetDocumentName(const std::string& name) {
    OpenDialogFileName = name;
    SaveDialogFileName = name;
    TSettings& s = State.Settings;
    s.InitialDir = FolderOfFile(name);
    if (name.empty()) {
        State.Host.SetWindowTitle(Title);
        return;
    }
    State.Host.SetWindowTitle(std::string(Title) + " [" + name + "]");
    for (const std::string& recent : s.File) {
        if (recent == name) {
            return; // a known file keeps its place
        }
    }
    for (int i = TSettings::RecentCount - 1; i > 0; --i) {
        s.File[i] = s.File[i - 1];
    }
    s.File[0] = name;
}

void TFileCommands::LoadDocument(std::string name) {
    if (!FormCloseQuery()) {
        return;
    }
    TReadFile file;
    if (!file.Open(name, TByteDocument::MaxSize, Faults)) {
        ShowReadFailure();
        return;
    }
    TByteDocument& doc = State.Doc;
    const std::int32_t oldSize = doc.Size;
    const auto size = static_cast<std::int32_t>(file.Size());
    bool failed = false;
    try {
        doc.FitDataCapacity(size);
        doc.FitMarkCapacity(size);
        // Size follows the buffers, so it never exceeds them, even while the read runs.
        doc.Size = size;
        failed = !file.ReadExactly(doc.Data, size, Faults);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    if (failed) {
        doc.Size = 0;
        doc.FitDataCapacity(0);
        doc.FitMarkCapacity(0);
        doc.ChangeCount = 0;
        SetDocumentName(std::string());
    } else {
        doc.ChangeCount = 0;
        SetDocumentName(name);
        if (doc.Size > 0) {
            // Kept marks still need a defined code where the document grew.
            const std::int32_t from = State.Settings.KeepMarksOnLoad ? std::min(oldSize, size) : 0;
            std::memset(doc.Marks + from, 0, static_cast<std::size_t>(size - from));
        }
    }
    ResetAfterReplace(false);
    State.Host.RefreshCommandState();
    if (failed) {
        ShowReadFailure();
    }
}

bool TFileCommands::SaveDocument(std::string name, bool askAlways) {
    SaveDialogFileName = std::move(name);
    bool written = false;
    bool settled = false;
    while (!settled) {
        const std::string& target = SaveDialogFileName;
        if (!FileExists(target) || !(State.Settings.OverwriteWarning || askAlways)) {
            break;
        }
        const int answer =
            State.Host.MessageDialogDefault(OverwriteQuestion(State.Language, target),
                                            TMsgDlgType::Confirmation, mbYesNoCancel, 0, mbNo);
        if (answer == mrYes) {
            break;
        }
        if (answer == mrNo) {
            if (auto chosen = State.Host.ExecuteSaveDialog(SaveRequest())) {
                SaveDialogFileName = *chosen;
                continue;
            }
        }
        settled = true; // cancelled: nothing is written
    }
    if (!settled) {
        TByteDocument& doc = State.Doc;
        written = WriteFileReplacing(SaveDialogFileName, doc.Data, doc.Size,
                                     State.Settings.CreateBackUp, Faults);
        if (written) {
            doc.ChangeCount = 0;
        } else {
            ShowWriteFailure();
        }
    }
    // The open dialog still holds the previous name, which a failed save puts back.
    SetDocumentName(written ? SaveDialogFileName : OpenDialogFileName);
    return written;
}

bool TFileCommands::FormCloseQuery() {
    if (State.Doc.ChangeCount == 0) {
        return true;
    }
    const int answer =
        State.Host.MessageDialog(SaveChangesQuestion(State.Language, OpenDialogFileName),
                                 TMsgDlgType::Confirmation, mbYesNoCancel, 0);
    if (answer == mrYes) {
        if (!SaveDialogFileName.empty()) {
            return SaveDocument(SaveDialogFileName, false);
        }
        if (auto chosen = State.Host.ExecuteSaveDialog(SaveRequest())) {
            return SaveDocument(*chosen, true);
        }
        SaveDialogFileName = OpenDialogFileName;
        return false;
    }
    return answer == mrNo;
}

void TFileCommands::NewMainMenuItemClick() {
    if (!FormCloseQuery()) {
        return;
    }
    TByteDocument& doc = State.Doc;
    doc.FitMarkCapacity(0);
    doc.FitDataCapacity(0);
    doc.ChangeCount = 0;
    doc.Size = 0;
    ResetAfterReplace(true);
    SetDocumentName(std::string());
    State.Host.RefreshCommandState();
}

void TFileCommands::DoOpenFromFile() {
    const std::string remembered = OpenDialogFileName;
    if (auto chosen = State.Host.ExecuteOpenDialog(OpenRequest())) {
        OpenDialogFileName = remembered;
        LoadDocument(*chosen);
    } else {
        SetDocumentName(remembered);
    }
}

void TFileCommands::DoSave() {
    if (SaveDialogFileName.empty()) {
        DoSaveAs();
    } else {
        SaveDocument(SaveDialogFileName, false);
    }
}

void TFileCommands::DoSaveAs() {
    if (auto chosen = State.Host.ExecuteSaveDialog(SaveRequest())) {
        SaveDocument(*chosen, true);
    } else {
        SaveDialogFileName = OpenDialogFileName;
    }
}

void TFileCommands::FileMenuItemClick(int index) {
    if (index < 0 || index >= TSettings::RecentCount || State.Settings.File[index].empty()) {
        return;
    }
    LoadDocument(State.Settings.File[index]);
}

void TFileCommands::FormShow(const std::vector<std::string>& arguments) {
    if (!FirstShow || arguments.empty()) {
        return;
    }
    FirstShow = false;
    LoadDocument(ExpandLongName(arguments.front()));
}

void TFileCommands::DropFiles(const std::vector<std::string>& names) {
    // The name is taken whole: a shortened name would open another file.
    if (!names.empty()) {
        LoadDocument(ExpandLongName(names.front()));
    }
}

void TFileCommands::KeepmarksonloadMenuItemClick() {
    State.Settings.KeepMarksOnLoad = !State.Settings.KeepMarksOnLoad;
    State.Host.RefreshCommandState();
}

void TFileCommands::CreatebackupfilesMenuItemClick() {
    State.Settings.CreateBackUp = !State.Settings.CreateBackUp;
    State.Host.RefreshCommandState();
}

void TFileCommands::OverwriteWarnMenuItemClick() {
    TSettings& s = State.Settings;
    if (s.OverwriteWarning) {
        s.OverwriteWarning = State.Host.MessageDialogDefault(WarningOffQuestion(State.Language),
                                                             TMsgDlgType::Confirmation,
                                                             mbYesNoCancel, 0, mbNo) != mrYes;
    } else {
        s.OverwriteWarning = true;
    }
    State.Host.RefreshCommandState();
}
