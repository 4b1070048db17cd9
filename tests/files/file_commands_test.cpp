#include "core/action.h"
#include "files/file_commands.h"
#include "support/recording_host.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes B(const std::string& s) {
    return {s.begin(), s.end()};
}

struct FileCommands : ::testing::Test, TEditorFixture {
    TTempFolder Dir;
    TFileCommands Cmd{State};

    // A loaded, named document with (unless empty) one undoable action, and a scrolled view.
    void Current(const std::string& bytes, const std::string& name) {
        Load(B(bytes));
        Cmd.SetDocumentName(name);
        if (!bytes.empty()) {
            // Rewrites the first byte with its own value: history without a visible change.
            Actions.AddAction(std::make_unique<TEditAction>(akChangeValue, State.NextGroup(), 0,
                                                            false,
                                                            static_cast<std::uint8_t>(bytes[0])),
                              false);
        }
        Doc.ChangeCount = 0;
        Host.SetScrollPosition(3);
        Host.Messages.clear();
    }
    std::string DocText() const { return {Doc.Data, Doc.Data + Doc.Size}; }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> t;
        for (const auto& m : Host.Messages) {
            t.push_back(m.Text);
        }
        return t;
    }
    static std::string Overwrite(const std::string& name) {
        return "File " + name + " already exists. Overwrite existing file?";
    }
    bool AskedToOverwrite(std::size_t i, const std::string& name) const {
        if (i >= Host.Messages.size()) {
            return false;
        }
        const auto& m = Host.Messages[i];
        return m.Text.rfind(Overwrite(name), 0) == 0 && m.Kind == TMsgDlgType::Confirmation &&
               m.Buttons == mbYesNoCancel && m.DefaultButton == mbNo;
    }
};

TEST_F(FileCommands, LoadReplacesTheWholeDocument) {
    Current("old bytes", Dir / "old.bin");
    Geo.PlaceCursor(5, 0, false);
    const std::string name = Dir / "new.bin";
    WriteBytes(name, std::string(40, 'n'));
    const int relayouts = Host.Relayouts;
    const int refreshes = Host.Refreshes;

    Cmd.LoadDocument(name);

    EXPECT_EQ(DocText(), std::string(40, 'n'));
    EXPECT_EQ(Doc.ChangeCount, 0);
    EXPECT_EQ(Doc.DataCapacity, 65536);
    EXPECT_EQ(Doc.MarkCapacity, 65536);
    EXPECT_EQ(Actions.Count(), 0);
    EXPECT_EQ(Geo.CursorColumn, 0);
    EXPECT_EQ(Geo.TopLine, 0);
    EXPECT_GT(Host.Relayouts, relayouts);
    EXPECT_GT(Host.Refreshes, refreshes);
    EXPECT_EQ(Host.Title, "Vantrokelmissory [" + name + "]");
    EXPECT_EQ(Cmd.OpenDialogFileName, name);
    EXPECT_EQ(Cmd.SaveDialogFileName, name);
    EXPECT_EQ(State.Settings.InitialDir, Dir.Path.string());
    EXPECT_EQ(State.Settings.File[0], name);
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FileCommands, LoadThatCannotOpenChangesNothing) {
    fs::create_directory(Dir / "folder");
    WriteBytes(Dir / "locked.bin", "secret");
    { std::ofstream big(Dir / "big.bin"); }
    fs::resize_file(Dir / "big.bin", std::uintmax_t{TByteDocument::MaxSize} + 1); // sparse
    Cmd.Faults.OpenForRead = [this](const std::string& n) {
        return n == Dir / "locked.bin" ? EACCES : 0;
    };
    for (const char* file : {"missing.bin", "folder", "locked.bin", "big.bin"}) {
        SCOPED_TRACE(file);
        Current("keep me", Dir / "current.bin");
        Doc.ChangeCount = 2;
        Host.Answers = {mrNo}; // discard the changes
        Cmd.LoadDocument(Dir / file);
        ASSERT_EQ(Host.Messages.size(), 2u);
        EXPECT_EQ(Host.Messages[1].Text, "Reading failed!");
        EXPECT_EQ(Host.Messages[1].Kind, TMsgDlgType::Error);
        EXPECT_EQ(Host.Messages[1].Buttons, mbOKOnly);
        EXPECT_EQ(DocText(), "keep me");
        EXPECT_EQ(Doc.ChangeCount, 2);
        EXPECT_EQ(Actions.Count(), 1);
        EXPECT_EQ(Geo.TopLine, 3);
        EXPECT_EQ(Cmd.DocumentName(), Dir / "current.bin");
        EXPECT_EQ(Host.Title, "Vantrokelmissory [" + (Dir / "current.bin") + "]");
    }
    // A missing recent file stays in the list.
    EXPECT_EQ(State.Settings.File[0], Dir / "current.bin");
}

TEST_F(FileCommands, ReadFailureAfterOpeningEmptiesTheDocument) {
    State.Language = LangGerman;
    Current("old", Dir / "old.bin");
    WriteBytes(Dir / "bad.bin", "0123456789");
    Cmd.Faults.ReadFailAfter = 4;
    Cmd.LoadDocument(Dir / "bad.bin");
    EXPECT_EQ(Doc.Size, 0);
    EXPECT_FALSE(Doc.HasData());
    EXPECT_EQ(Doc.DataCapacity + Doc.MarkCapacity, 0);
    EXPECT_EQ(Doc.ChangeCount, 0);
    EXPECT_EQ(Cmd.DocumentName(), "");
    EXPECT_EQ(Host.Title, "Vantrokelmissory");
    EXPECT_EQ(State.Settings.InitialDir, "");
    EXPECT_EQ(Actions.Count(), 0);
    EXPECT_EQ(Geo.TopLine, 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Konnte nicht lesen!"});
}

TEST_F(FileCommands, EmptyFileGivesAnEmptyNamedDocument) {
    Current("old", Dir / "old.bin");
    WriteBytes(Dir / "empty.bin", "");
    Cmd.LoadDocument(Dir / "empty.bin");
    EXPECT_EQ(Doc.Size, 0);
    EXPECT_FALSE(Doc.HasData());
    EXPECT_EQ(Doc.Marks, nullptr);
    EXPECT_EQ(Cmd.DocumentName(), Dir / "empty.bin");
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(FileCommands, MarksOnLoad) {
    struct Case {
        const char* name;
        bool keep;
        std::string file;
        Bytes marks;
    };
    const Case cases[] = {
        {"cleared", false, "wxyz", {0, 0, 0, 0}},
        {"kept, same length", true, "wxyz", {1, 2, 3, 4}},
        {"kept, longer file", true, "uvwxyz", {1, 2, 3, 4, 0, 0}},
        {"kept, shorter file", true, "yz", {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(B("abcd"), {1, 2, 3, 4});
        Doc.Marks[4] = Doc.Marks[5] = 6; // stale codes beyond the old end
        State.Settings.KeepMarksOnLoad = c.keep;
        WriteBytes(Dir / "next.bin", c.file);
        Cmd.LoadDocument(Dir / "next.bin");
        EXPECT_EQ(DocText(), c.file);
        EXPECT_EQ(MarkCodes(), c.marks);
    }
}

TEST_F(FileCommands, RecentFilesKeepTheirOrderAndLetterCase) {
    const auto open = [this](const std::string& n) {
        WriteBytes(Dir / n, n);
        Cmd.LoadDocument(Dir / n);
    };
    const auto recent = [this](std::vector<std::string> names) {
        std::array<std::string, 5> r;
        for (std::size_t i = 0; i < names.size(); ++i) {
            r[i] = names[i].empty() ? "" : Dir / names[i];
        }
        return r;
    };
    open("a");
    open("b");
    open("c");
    EXPECT_EQ(State.Settings.File, recent({"c", "b", "a"}));
    open("a"); // known: not moved to the front
    EXPECT_EQ(State.Settings.File, recent({"c", "b", "a"}));
    EXPECT_EQ(Host.Title, "Vantrokelmissory [" + (Dir / "a") + "]");
    open("A"); // another name
    open("d");
    open("e");
    EXPECT_EQ(State.Settings.File, recent({"e", "d", "A", "c", "b"}));

    Cmd.FileMenuItemClick(3);
    EXPECT_EQ(Cmd.DocumentName(), Dir / "c");
    EXPECT_EQ(DocText(), "c");
    EXPECT_EQ(State.Settings.File, recent({"e", "d", "A", "c", "b"}));
}

TEST_F(FileCommands, CloseQuery) {
    struct Case {
        const char* name;
        bool named;
        std::deque<int> answers;
        std::deque<std::optional<std::string>> dialog;
        bool result;
        const char* writtenTo; // nullptr: nothing written
    };
    const Case cases[] = {
        {"No discards", true, {mrNo}, {}, true, nullptr},
        {"Cancel stays", true, {mrCancel}, {}, false, nullptr},
        {"closed box stays", true, {mrCancel}, {}, false, nullptr},
        {"Yes saves under the name, asking to overwrite",
         true,
         {mrYes, mrYes},
         {},
         true,
         "doc.bin"},
        {"Yes, then No to overwriting and Cancel",
         true,
         {mrYes, mrNo},
         {std::nullopt},
         false,
         nullptr},
        {"Yes without a name picks one", false, {mrYes}, {"picked.bin"}, true, "picked.bin"},
        {"Yes without a name, dialog cancelled", false, {mrYes}, {std::nullopt}, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder dir;
        const std::string name = c.named ? dir / "doc.bin" : "";
        WriteBytes(dir / "doc.bin", "on disk");
        Current("edited", name);
        Doc.ChangeCount = 1;
        Host.Answers = c.answers;
        Host.SaveAnswers.clear();
        for (const auto& d : c.dialog) {
            Host.SaveAnswers.push_back(d ? std::optional(dir / *d) : std::nullopt);
        }
        EXPECT_EQ(Cmd.FormCloseQuery(), c.result);
        ASSERT_FALSE(Host.Messages.empty());
        EXPECT_EQ(Host.Messages[0].Text,
                  (c.named ? name : std::string("Data")) + " has been changed. Save changes?");
        EXPECT_EQ(Host.Messages[0].Buttons, mbYesNoCancel);
        EXPECT_FALSE(Host.Messages[0].DefaultButton.has_value());
        EXPECT_TRUE(Host.Answers.empty());
        EXPECT_TRUE(Host.SaveAnswers.empty());
        if (c.writtenTo != nullptr) {
            EXPECT_EQ(ReadBytes(dir / c.writtenTo), "edited");
            EXPECT_EQ(Doc.ChangeCount, 0);
            EXPECT_EQ(Cmd.DocumentName(), dir / c.writtenTo);
        } else {
            EXPECT_EQ(ReadBytes(dir / "doc.bin"), "on disk");
            EXPECT_EQ(Doc.ChangeCount, 1);
            EXPECT_EQ(Cmd.DocumentName(), name);
            EXPECT_EQ(Cmd.SaveDialogFileName, name);
        }
    }
}

TEST_F(FileCommands, CloseQueryWithoutChangesAsksNothing) {
    Current("x", Dir / "x.bin");
    Doc.ChangeCount = 0;
    EXPECT_TRUE(Cmd.FormCloseQuery());
    // Mark changes alone do not count.
    Doc.Marks[0] = mcRed;
    EXPECT_TRUE(Cmd.FormCloseQuery());
    EXPECT_TRUE(Host.Messages.empty());
    // An undo past the save counts as a change.
    Doc.ChangeCount = -1;
    Host.Answers = {mrCancel};
    EXPECT_FALSE(Cmd.FormCloseQuery());
}

TEST_F(FileCommands, CloseQueryInGerman) {
    State.Language = LangGerman;
    Doc.ChangeCount = 1;
    Host.Answers = {mrCancel, mrCancel};
    Cmd.FormCloseQuery();
    Cmd.SetDocumentName("/d/x.bin");
    Cmd.FormCloseQuery();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Daten wurden geändert. Änderungen speichern?",
                                        "/d/x.bin wurde geändert. Änderungen speichern?"}));
}

TEST_F(FileCommands, OverwriteQuestionLoop) {
    struct Case {
        const char* name;
        std::deque<int> answers;
        std::deque<std::optional<std::string>> dialog;
        std::vector<std::string> asked; // files named by the questions, in order
        const char* writtenTo;          // nullptr: nothing written
    };
    const Case cases[] = {
        {"Yes", {mrYes}, {}, {"a"}, "a"},
        {"No, then another existing file", {mrNo, mrYes}, {"b"}, {"a", "b"}, "b"},
        {"No, then a new file", {mrNo}, {"new"}, {"a"}, "new"},
        {"No twice, then a new file", {mrNo, mrNo}, {"b", "new"}, {"a", "b"}, "new"},
        {"Cancel", {mrCancel}, {}, {"a"}, nullptr},
        {"No, then the dialog cancelled", {mrNo}, {std::nullopt}, {"a"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder dir;
        WriteBytes(dir / "a", "old a");
        WriteBytes(dir / "b", "old b");
        Current("document", dir / "prev.bin");
        Doc.ChangeCount = 4;
        Host.Answers = c.answers;
        Host.SaveAnswers.clear();
        Host.SaveRequests.clear();
        for (const auto& d : c.dialog) {
            Host.SaveAnswers.push_back(d ? std::optional(dir / *d) : std::nullopt);
        }
        const bool written = Cmd.SaveDocument(dir / "a", true);

        ASSERT_EQ(Host.Messages.size(), c.asked.size());
        for (std::size_t i = 0; i < c.asked.size(); ++i) {
            EXPECT_TRUE(AskedToOverwrite(i, dir / c.asked[i])) << Host.Messages[i].Text;
        }
        // The save dialog opens on the file just refused.
        for (std::size_t i = 0; i < Host.SaveRequests.size(); ++i) {
            EXPECT_EQ(Host.SaveRequests[i].FileName, dir / c.asked[i]);
            EXPECT_EQ(Host.SaveRequests[i].Title, "Save as");
        }
        EXPECT_EQ(written, c.writtenTo != nullptr);
        EXPECT_EQ(Doc.ChangeCount, written ? 0 : 4);
        const std::string now = written ? dir / c.writtenTo : dir / "prev.bin";
        EXPECT_EQ(Cmd.DocumentName(), now);
        EXPECT_EQ(Cmd.SaveDialogFileName, now);
        EXPECT_EQ(ReadBytes(dir / "a"),
                  written && std::string(c.writtenTo) == "a" ? "document" : "old a");
        EXPECT_EQ(ReadBytes(dir / "b"),
                  written && std::string(c.writtenTo) == "b" ? "document" : "old b");
        if (written) {
            EXPECT_EQ(ReadBytes(dir / c.writtenTo), "document");
        }
    }
}

TEST_F(FileCommands, WarningOffSavesWithoutAskingButSaveAsAsks) {
    WriteBytes(Dir / "doc.bin", "old");
    Current("new", Dir / "doc.bin");
    State.Settings.OverwriteWarning = false;
    Doc.ChangeCount = 1;
    Cmd.DoSave();
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(ReadBytes(Dir / "doc.bin"), "new");
    EXPECT_EQ(Doc.ChangeCount, 0);

    Host.SaveAnswers = {Dir / "doc.bin"};
    Host.Answers = {mrCancel};
    Cmd.DoSaveAs();
    EXPECT_TRUE(AskedToOverwrite(0, Dir / "doc.bin"));
}

TEST_F(FileCommands, SaveWithoutANameActsAsSaveAs) {
    Load(B("clip"));
    Cmd.SetDocumentName("");
    Host.SaveAnswers = {std::nullopt};
    Cmd.DoSave();
    ASSERT_EQ(Host.SaveRequests.size(), 1u);
    EXPECT_EQ(Cmd.SaveDialogFileName, "");
    Host.SaveAnswers = {Dir / "clip.bin"};
    Cmd.DoSave();
    EXPECT_EQ(ReadBytes(Dir / "clip.bin"), "clip");
    EXPECT_EQ(Host.Title, "Vantrokelmissory [" + (Dir / "clip.bin") + "]");
    EXPECT_EQ(State.Settings.File[0], Dir / "clip.bin");
}

TEST_F(FileCommands, TwoBackupsOfReport) {
    State.Settings.OverwriteWarning = false;
    const std::string report = Dir / "report.txt";
    Current("version 1", "");
    Host.SaveAnswers = {report};
    Cmd.DoSaveAs();
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"report.txt"}); // nothing to back up yet
    for (const char* next : {"version 2", "version 3"}) {
        const std::string before = ReadBytes(report);
        Load(B(next));
        Doc.ChangeCount = 1;
        Cmd.DoSave();
        EXPECT_EQ(ReadBytes(report), next);
        EXPECT_EQ(ReadBytes(Dir / "report.~tx"), before);
    }
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"report.txt", "report.~tx"}));
}

TEST_F(FileCommands, FailedWriteKeepsTheFileTheNameAndTheChanges) {
    for (const bool backup : {false, true}) {
        SCOPED_TRACE(backup ? "backups on" : "backups off");
        TTempFolder dir;
        WriteBytes(dir / "report.txt", "precious");
        WriteBytes(dir / "report.~tx", "older");
        State.Settings.CreateBackUp = backup;
        State.Settings.OverwriteWarning = false;
        Current("replacement that will not fit", dir / "report.txt");
        Doc.ChangeCount = 5;
        Cmd.Faults.WriteFailAfter = 3;

        Cmd.DoSave();

        EXPECT_EQ(ReadBytes(dir / "report.txt"), "precious");
        EXPECT_EQ(ReadBytes(dir / "report.~tx"), "older");
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"report.txt", "report.~tx"}));
        ASSERT_EQ(Host.Messages.size(), 1u);
        EXPECT_EQ(Host.Messages[0].Text, "Writing failed!");
        EXPECT_EQ(Host.Messages[0].Kind, TMsgDlgType::Error);
        EXPECT_EQ(Host.Messages[0].Buttons, mbOKOnly);
        EXPECT_EQ(Doc.ChangeCount, 5);
        EXPECT_EQ(Cmd.DocumentName(), dir / "report.txt");

        // Save as to a new name that fails keeps the old name.
        Host.Messages.clear();
        Cmd.Faults.WriteFailAfter = -1;
        Cmd.Faults.FailSync = true;
        Host.SaveAnswers = {dir / "other.txt"};
        Cmd.DoSaveAs();
        EXPECT_FALSE(fs::exists(dir / "other.txt"));
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Writing failed!"});
        EXPECT_EQ(Cmd.DocumentName(), dir / "report.txt");
        EXPECT_EQ(Cmd.SaveDialogFileName, dir / "report.txt");
        EXPECT_EQ(Doc.ChangeCount, 5);
        Cmd.Faults = {};
    }
}

TEST_F(FileCommands, UnwritableTargetsFail) {
    State.Language = LangGerman;
    WriteBytes(Dir / "readonly.bin", "old");
    fs::permissions(Dir / "readonly.bin", static_cast<fs::perms>(0444));
    Current("new", Dir / "readonly.bin");
    State.Settings.OverwriteWarning = false;
    Doc.ChangeCount = 1;
    Cmd.DoSave();
    EXPECT_EQ(ReadBytes(Dir / "readonly.bin"), "old");
    Host.SaveAnswers = {Dir / "no/such/folder.bin"};
    Cmd.DoSaveAs();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Konnte nicht schreiben!", "Konnte nicht schreiben!"}));
    EXPECT_EQ(Doc.ChangeCount, 1);
}

TEST_F(FileCommands, EmptyDocumentWritesAnEmptyFile) {
    WriteBytes(Dir / "e.bin", "something");
    Current("", Dir / "e.bin");
    Host.Answers = {mrYes};
    EXPECT_TRUE(Cmd.SaveDocument(Dir / "e.bin", false));
    EXPECT_EQ(ReadBytes(Dir / "e.bin"), "");
    EXPECT_TRUE(fs::exists(Dir / "e.~bi"));
}

TEST_F(FileCommands, OptionToggles) {
    TSettings& s = State.Settings;
    Cmd.KeepmarksonloadMenuItemClick();
    Cmd.CreatebackupfilesMenuItemClick();
    EXPECT_TRUE(s.KeepMarksOnLoad);
    EXPECT_FALSE(s.CreateBackUp);
    EXPECT_EQ(Host.Refreshes, 2);

    const std::pair<int, bool> answers[] = {{mrYes, false}, {mrNo, true}, {mrCancel, true}};
    for (const auto& [answer, stays] : answers) {
        s.OverwriteWarning = true;
        Host.Messages.clear();
        Host.Answers = {answer};
        Cmd.OverwriteWarnMenuItemClick();
        EXPECT_EQ(s.OverwriteWarning, stays);
        ASSERT_EQ(Host.Messages.size(), 1u);
        EXPECT_EQ(
            Host.Messages[0].Text.rfind("Do you want to deactivate the warnings?\r\rWARNUNG: ", 0),
            0u);
        EXPECT_EQ(Host.Messages[0].DefaultButton, mbNo);
    }
    Host.Messages.clear();
    s.OverwriteWarning = false;
    Cmd.OverwriteWarnMenuItemClick(); // off -> on without a question
    EXPECT_TRUE(s.OverwriteWarning);
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(Host.Refreshes, 6);
}

TEST_F(FileCommands, NewDocument) {
    Current("abc", Dir / "abc.bin");
    Doc.ChangeCount = 1;
    Host.Answers = {mrCancel};
    Cmd.NewMainMenuItemClick();
    EXPECT_EQ(DocText(), "abc");

    Host.Answers = {mrNo};
    Cmd.NewMainMenuItemClick();
    EXPECT_EQ(Doc.Size, 0);
    EXPECT_FALSE(Doc.HasData());
    EXPECT_EQ(Doc.ChangeCount, 0);
    EXPECT_EQ(Actions.Count(), 0);
    EXPECT_EQ(Geo.TopLine, 0);
    EXPECT_EQ(Host.Title, "Vantrokelmissory");
    EXPECT_EQ(State.Settings.InitialDir, "");
    EXPECT_EQ(Cmd.SaveDialogFileName, "");
    EXPECT_EQ(State.Settings.File[0], Dir / "abc.bin");
}

TEST_F(FileCommands, OpenFromTheDialog) {
    WriteBytes(Dir / "next.bin", "next");
    Current("abc", Dir / "abc.bin");

    Host.OpenAnswers = {std::nullopt};
    Cmd.DoOpenFromFile();
    ASSERT_EQ(Host.OpenRequests.size(), 1u);
    EXPECT_EQ(Host.OpenRequests[0].FileName, Dir / "abc.bin");
    EXPECT_EQ(Host.OpenRequests[0].Title, "Open");
    EXPECT_EQ(Cmd.DocumentName(), Dir / "abc.bin");

    Doc.ChangeCount = 1;
    Host.Answers = {mrCancel}; // the close query refuses
    Host.OpenAnswers = {Dir / "next.bin"};
    Cmd.DoOpenFromFile();
    EXPECT_EQ(DocText(), "abc");
    EXPECT_EQ(Cmd.DocumentName(), Dir / "abc.bin");

    Doc.ChangeCount = 0;
    Host.OpenAnswers = {Dir / "next.bin"};
    Cmd.DoOpenFromFile();
    EXPECT_EQ(DocText(), "next");
    EXPECT_EQ(Cmd.DocumentName(), Dir / "next.bin");
}

TEST_F(FileCommands, CommandLineAndDroppedFiles) {
    fs::create_directories(Dir / "sub");
    WriteBytes(Dir / "first.bin", "first");
    WriteBytes(Dir / "second.bin", "second");
    // Not existing: handed on as it is, and reported as unreadable.
    EXPECT_EQ(ExpandLongName("no/such/file"), "no/such/file");
    EXPECT_EQ(ExpandLongName(Dir / "sub/../first.bin"), Dir / "first.bin");

    Cmd.FormShow({});
    EXPECT_TRUE(Cmd.FirstShow);
    Cmd.FormShow({Dir / "sub/../first.bin", Dir / "second.bin"});
    EXPECT_EQ(DocText(), "first");
    EXPECT_EQ(Cmd.DocumentName(), Dir / "first.bin");
    EXPECT_FALSE(Cmd.FirstShow);
    Cmd.FormShow({Dir / "second.bin"}); // later showings do nothing
    EXPECT_EQ(DocText(), "first");

    Cmd.DropFiles({Dir / "second.bin", Dir / "first.bin"});
    EXPECT_EQ(DocText(), "second");

    // A long name is taken whole.
    std::string deep = Dir.Path.string();
    while (deep.size() < 300) {
        deep += "/a-rather-long-folder-name";
    }
    fs::create_directories(deep);
    WriteBytes(deep + "/deep.bin", "deep");
    Cmd.DropFiles({deep + "/deep.bin"});
    EXPECT_EQ(DocText(), "deep");
    EXPECT_EQ(Cmd.DocumentName(), deep + "/deep.bin");
    Cmd.DropFiles({});
    EXPECT_EQ(DocText(), "deep");
}

TEST_F(FileCommands, ASymbolicLinkKeepsTheNameTheUserGave) {
    fs::create_directories(Dir / "real/inner");
    fs::create_directories(Dir / "links");
    WriteBytes(Dir / "real/target.bin", "target");
    WriteBytes(Dir / "real/beside.bin", "beside");
    fs::create_symlink(Dir / "real/target.bin", Dir / "links/link.bin");
    fs::create_symlink(Dir / "real/inner", Dir / "links/folder");

    struct Case {
        std::string given, expanded;
    };
    const Case cases[] = {
        {Dir / "links/link.bin", Dir / "links/link.bin"},
        {Dir / "links/./link.bin", Dir / "links/link.bin"},
        {Dir / "links//link.bin", Dir / "links/link.bin"},
        // ".." after a link to a folder goes up from where the link points.
        {Dir / "links/folder/../beside.bin", Dir / "links/folder/../beside.bin"},
        {Dir / "real/inner/../target.bin", Dir / "real/target.bin"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpandLongName(c.given), c.expanded) << c.given;
    }

    Cmd.FormShow({Dir / "links/link.bin"});
    EXPECT_EQ(DocText(), "target");
    EXPECT_EQ(Host.Title, "Vantrokelmissory [" + Dir / "links/link.bin" + "]");
    EXPECT_EQ(State.Settings.File[0], Dir / "links/link.bin");
    EXPECT_EQ(State.Settings.InitialDir, Dir / "links");

    // Saving through the link writes the file it points to; the link stays a link.
    State.Settings.OverwriteWarning = false;
    Doc.Data[0] = 'T';
    Cmd.DoSave();
    EXPECT_TRUE(fs::is_symlink(Dir / "links/link.bin"));
    EXPECT_EQ(ReadBytes(Dir / "real/target.bin"), "Target");
}

TEST_F(FileCommands, RelativeCommandLineNameBecomesAbsolute) {
    WriteBytes(Dir / "rel.bin", "rel");
    const fs::path old = fs::current_path();
    fs::current_path(Dir.Path);
    Cmd.FormShow({"rel.bin"});
    fs::current_path(old);
    EXPECT_EQ(Cmd.DocumentName(), Dir / "rel.bin");
    EXPECT_EQ(State.Settings.InitialDir, Dir.Path.string());
}

} // namespace
