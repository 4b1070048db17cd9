// A whole run of the editor: start-up with a command-line file, shut-down writing the settings.

#include "core/editor_state.h"
#include "view/editor_app.h"
#include "view/main_form.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct EditorRun : ::testing::Test {
    QTemporaryDir Config;
    QTemporaryDir Files;
    QString SettingsFile;

    EditorRun() {
        qputenv("XDG_CONFIG_HOME", Config.path().toUtf8());
        SettingsFile = Config.path() + "/Quillmoran/Vantrokelmissory/1.0.conf";
    }
    QString MakeFile(const QString& name, const QByteArray& bytes) {
        const QString path = Files.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
};

TEST_F(EditorRun, LoadsTheFirstArgumentOnceAndStoresTheSettingsAtExit) {
    const QString first = MakeFile("first.bin", QByteArray("\x01\x02\x03\x04\x05", 5));
    const QString second = MakeFile("second.bin", QByteArray(40, 'x'));
    TEditorRun run;
    run.Arguments = {first.toStdString(), second.toStdString()};
    int questions = 0;
    run.OnShown = [&](TVkoEditorMainForm& form) {
        TEditorState& s = form.State();
        EXPECT_EQ(s.Doc.Size, 5);
        EXPECT_EQ(form.windowTitle().toStdString(),
                  "Vantrokelmissory [" + first.toStdString() + "]");
        QTest::keyClick(&form, 'f'); // a change, so a reload would show
        EXPECT_EQ(s.Doc.ChangeCount, 1);
        form.hide();
        form.show();
        QTest::qWait(50);
        EXPECT_EQ(s.Doc.ChangeCount, 1);
        EXPECT_EQ(s.Doc.Size, 5);

        form.DecClick();
        form.DeutschMenuItemClick();
        form.OptionPrintMarksUsingColorsMenuItemClick();
        form.MessageHook = [&](const std::string&, TMsgDlgType, TMsgDlgButtons, int) {
            ++questions;
            return mrNo; // discard the change and quit
        };
        form.close();
    };
    EXPECT_FALSE(QFile::exists(SettingsFile));
    RunEditor(run);
    EXPECT_EQ(questions, 1);

    ASSERT_TRUE(QFile::exists(SettingsFile));
    QSettings ini(SettingsFile, QSettings::IniFormat);
    EXPECT_EQ(ini.value("Hex").toString(), "0");
    EXPECT_EQ(ini.value("Language").toString(), "7");
    EXPECT_EQ(ini.value("PrintMarksHatched").toString(), "0");
    EXPECT_EQ(ini.value("PrintMarksUsingColors").toString(), "1");
    EXPECT_EQ(ini.value("DoNotPrintMarks").toString(), "0");
    EXPECT_EQ(ini.value("File0").toString(), first);
    EXPECT_EQ(ini.value("File1").toString(), "");
    QFile original(first);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), QByteArray("\x01\x02\x03\x04\x05", 5)); // nothing was saved
}

// What the window had on the screen when it was shown, run after run.
TEST_F(EditorRun, AStoredPlacementComesBackExactly) {
    std::vector<std::pair<QPoint, QSize>> shown;
    for (int run = 0; run < 4; ++run) {
        TEditorRun r;
        r.OnShown = [&](TVkoEditorMainForm& form) {
            QTest::qWait(50);
            shown.push_back({form.pos(), form.size()});
            if (run == 0) {
                form.move(130, 70); // the user places it once
                form.resize(form.width(), form.height() + 120);
                QTest::qWait(50);
            }
            form.close();
        };
        RunEditor(r);
    }
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2], shown[1]);
    EXPECT_EQ(shown[3], shown[1]);
    EXPECT_EQ(shown[1].first, QPoint(130, 70));
    EXPECT_GT(shown[1].second.height(), shown[0].second.height());
}

TEST_F(EditorRun, AnyStoredPlacementGivesAUsableWindowOnTheScreen) {
    RunEditor(TEditorRun{{}, [](TVkoEditorMainForm& form) { form.close(); }}); // stores the units
    struct Case {
        const char* name;
        const char *left, *top, *width, *height;
    };
    const Case cases[] = {
        {"width 0", "10", "10", "0", "400"},
        {"negative width and height", "10", "10", "-200", "-1"},
        {"far off the right and bottom", "99999", "99999", "540", "450"},
        {"off the left and top", "-5000", "-5000", "540", "450"},
        {"32-bit limits", "2147483647", "2147483647", "2147483647", "2147483647"},
        {"32-bit minimum", "-2147483648", "-2147483648", "-2147483648", "-2147483648"},
    };
    for (const Case& c : cases) {
        {
            QSettings ini(SettingsFile, QSettings::IniFormat);
            ini.setValue("Left", c.left);
            ini.setValue("Top", c.top);
            ini.setValue("Width", c.width);
            ini.setValue("Height", c.height);
        }
        bool shown = false;
        RunEditor(TEditorRun{{}, [&](TVkoEditorMainForm& form) {
                                 QTest::qWait(20);
                                 shown = true;
                                 const QRect screen = form.screen()->geometry();
                                 EXPECT_TRUE(form.isVisible()) << c.name;
                                 EXPECT_GT(form.width(), 100) << c.name;
                                 EXPECT_GE(form.State().Geo.VisibleLines, 1) << c.name;
                                 EXPECT_TRUE(screen.contains(form.frameGeometry().topLeft()))
                                     << c.name;
                                 EXPECT_TRUE(screen.contains(form.frameGeometry().bottomRight()))
                                     << c.name;
                                 form.close();
                             }});
        EXPECT_TRUE(shown) << c.name;
    }
}

// A Linux file name is bytes: one that is no UTF-8 opens from the command line, is stored as it
// is and opens again from the recent files of the next run.
TEST_F(EditorRun, ANameThatIsNoUtf8OpensAndComesBackFromTheSettings) {
    const std::string name = Files.path().toStdString() + "/caf\xE9-\xFF.bin";
    std::ofstream(name, std::ios::binary) << "bytes";
    TEditorRun first;
    first.Arguments = {name};
    first.OnShown = [&](TVkoEditorMainForm& form) {
        EXPECT_EQ(form.State().Doc.Size, 5);
        EXPECT_EQ(form.State().Settings.File[0], name);
        EXPECT_TRUE(form.windowTitle().startsWith("Vantrokelmissory ["))
            << form.windowTitle().toStdString();
        form.close();
    };
    RunEditor(first);

    TEditorRun second;
    second.OnShown = [&](TVkoEditorMainForm& form) {
        EXPECT_EQ(form.State().Settings.File[0], name);
        form.Item("File0MenuItem")->trigger();
        EXPECT_EQ(form.State().Doc.Size, 5);
        form.close();
    };
    RunEditor(second);
}

TEST_F(EditorRun, AKilledRunStoresNothing) {
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", Config.path());
    editor.setProcessEnvironment(env);
    editor.start(VKO_EDITOR_BINARY, {});
    ASSERT_TRUE(editor.waitForStarted(10000));
    QTest::qWait(1500);
    ASSERT_EQ(editor.state(), QProcess::Running);
    editor.kill();
    editor.waitForFinished(10000);
    EXPECT_FALSE(QFile::exists(SettingsFile));
}

} // namespace
