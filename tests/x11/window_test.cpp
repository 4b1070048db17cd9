// What the user and the window system see of the main window: the titles as the window manager
// reads them, the mapped geometry from one run to the next, the bytes that keys put on disk.

#include "x11/x_session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace x11;

struct Window : ::testing::Test {
    TXServer Server;
    TEditorUser User;
    QTemporaryDir Files;

    void SetUp() override { ASSERT_TRUE(Server.Ok()) << Server.Error(); }

    std::string File(const std::string& name, const std::string& bytes) const {
        const std::string path = Files.path().toStdString() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // One run that opens and quits, so that the settings hold every value (a settings file
    // that lacks one is read only up to it).
    void FirstRun() {
        TEditor editor(Server, User);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        ASSERT_TRUE(editor.Quit());
        ASSERT_EQ(editor.WaitForExit(), 0) << editor.Log();
    }

    // The geometry once the window stopped changing (it snaps to the grid after a resize).
    static TGeometry Settled(const TEditor& editor) {
        std::optional<TGeometry> last = editor.Geometry();
        for (int i = 0; i < 40; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            const std::optional<TGeometry> now = editor.Geometry();
            if (now == last && i >= 4) {
                break;
            }
            last = now;
        }
        return last.value_or(TGeometry{});
    }
};

TEST_F(Window, TitlesAreExactlyTheProgramsTexts) {
    const std::string name = File("report.bin", "abc");
    {
        TEditor editor(Server, User);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        EXPECT_EQ(editor.WindowName(), "Vantrokelmissory");
        ASSERT_TRUE(editor.Quit());
        EXPECT_EQ(editor.WaitForExit(), 0);
    }
    {
        TEditor editor(Server, User, {name});
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        EXPECT_EQ(editor.WindowName(), "Vantrokelmissory [" + name + "]");
        ASSERT_TRUE(editor.Quit());
        EXPECT_EQ(editor.WaitForExit(), 0);
    }
    // A message box is titled by its kind alone, in the current language.
    struct Case {
        const char* language;
        const char* title;
        std::vector<std::string> quit;
    };
    const Case cases[] = {{"9", "Error", {"alt+f", "e"}}, {"7", "Fehler", {"alt+d", "b"}}};
    for (const Case& c : cases) {
        User.Store("Language", c.language);
        TEditor editor(Server, User, {Files.path().toStdString() + "/missing.bin"});
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        const std::optional<TWindow> box = editor.WaitForOtherWindow();
        ASSERT_TRUE(box.has_value()) << c.title;
        EXPECT_EQ(box->Name, c.title);
        EXPECT_EQ(editor.WindowName(), "Vantrokelmissory");
        ASSERT_TRUE(editor.SendKeys({"Return"}, box->Id));
        ASSERT_TRUE(editor.SendKeys(c.quit));
        EXPECT_EQ(editor.WaitForExit(), 0) << c.title;
    }
}

TEST_F(Window, APlacementComesBackExactlyRunAfterRun) {
    FirstRun();
    TGeometry placed;
    {
        TEditor editor(Server, User);
        const TWindowId w = editor.WaitForMainWindow();
        ASSERT_NE(w, 0u) << editor.Log();
        // The user moves the window and drags it taller; it snaps to whole lines.
        Server.Tool({"xdotool", "windowmove", std::to_string(w), "130", "70"});
        Server.Tool({"xdotool", "windowsize", std::to_string(w), "553", "611"});
        placed = Settled(editor);
        ASSERT_TRUE(editor.Quit());
        ASSERT_EQ(editor.WaitForExit(), 0);
    }
    EXPECT_EQ(placed.Place(), (TPoint{130, 70}));
    for (int run = 0; run < 3; ++run) {
        TEditor editor(Server, User);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        EXPECT_EQ(Settled(editor), placed) << "run " << run;
        ASSERT_TRUE(editor.Quit());
        ASSERT_EQ(editor.WaitForExit(), 0);
    }
}

TEST_F(Window, AnyStoredPlacementOpensAUsableWindowOnTheScreen) {
    FirstRun();
    struct Case {
        const char *name, *left, *top, *width, *height;
    };
    const Case cases[] = {
        {"width 0", "10", "10", "0", "400"},
        {"negative sizes", "10", "10", "-300", "-2"},
        {"off the screen", "99999", "-99999", "540", "450"},
        {"32-bit limits", "2147483647", "2147483647", "2147483647", "2147483647"},
        {"32-bit minimum", "-2147483648", "-2147483648", "-2147483648", "-2147483648"},
    };
    for (const Case& c : cases) {
        User.Store("Left", c.left);
        User.Store("Top", c.top);
        User.Store("Width", c.width);
        User.Store("Height", c.height);
        TEditor editor(Server, User);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << c.name << "\n" << editor.Log();
        const TGeometry g = Settled(editor);
        EXPECT_GT(g.Width, 100) << c.name << " " << g;
        EXPECT_GT(g.Height, 50) << c.name << " " << g;
        EXPECT_GE(g.X, 0) << c.name << " " << g;
        EXPECT_GE(g.Y, 0) << c.name << " " << g;
        EXPECT_LE(g.X + g.Width, 1280) << c.name << " " << g;
        EXPECT_LE(g.Y + g.Height, 1024) << c.name << " " << g;
        ASSERT_TRUE(editor.Quit());
        EXPECT_EQ(editor.WaitForExit(), 0) << c.name;
    }
}

// Delete, Escape, Enter and Backspace send control characters as their text; with or without
// Shift, whether their item is enabled or not, none of them may land in the document.
TEST_F(Window, EditingKeysPutNoByteIntoTheFile) {
    FirstRun();
    User.Store("OverwriteWarning", "0"); // Ctrl+S saves at once
    const std::string original = "0123456789abcdef";
    const std::string name = File("keys.bin", original);
    TEditor editor(Server, User, {name});
    ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
    const std::vector<std::string> keys = {"shift+Delete",     "Escape",          "Return",
                                           "KP_Enter",         "shift+BackSpace", "shift+Return",
                                           "ctrl+shift+Delete"};
    ASSERT_TRUE(editor.SendKeys(keys)); // in the numbers
    ASSERT_TRUE(editor.SendKeys({"Tab"}));
    ASSERT_TRUE(editor.SendKeys(keys)); // in the characters
    ASSERT_TRUE(editor.SendKeys({"ctrl+s"}));
    ASSERT_TRUE(editor.SendKeys({"Z", "Tab", "4", "2"})); // typing still works
    ASSERT_TRUE(editor.SendKeys({"ctrl+s"}));
    ASSERT_TRUE(editor.Quit());
    ASSERT_EQ(editor.WaitForExit(), 0) << editor.Log();
    EXPECT_EQ(Bytes(name), "Z\x42" + original.substr(2));
}

// A file name that Qt would take for one of its options is still a file name.
TEST_F(Window, FileNamesThatLookLikeOptions) {
    const std::string folder = Files.path().toStdString();
    File("-reverse", "rev");
    {
        TEditor editor(Server, User, {"-reverse"}, folder);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        EXPECT_EQ(editor.WindowName(), "Vantrokelmissory [" + folder + "/-reverse]");
        ASSERT_TRUE(editor.Quit());
        EXPECT_EQ(editor.WaitForExit(), 0);
    }
    {
        // After "--" a name is a file name even where no such file exists: it fails to read.
        TEditor editor(Server, User, {"--", "-style"}, folder);
        ASSERT_NE(editor.WaitForMainWindow(), 0u) << editor.Log();
        const std::optional<TWindow> box = editor.WaitForOtherWindow();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->Name, "Error");
        ASSERT_TRUE(editor.SendKeys({"Return"}, box->Id));
        ASSERT_TRUE(editor.Quit());
        EXPECT_EQ(editor.WaitForExit(), 0);
    }
}

} // namespace
