#include "files/ini_settings_store.h"
#include "files/system_defaults.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace {

// Points XDG_CONFIG_HOME (and HOME) at a fresh folder for one test and puts them back.
struct IniStore : ::testing::Test {
    TTempFolder Dir;
    QByteArray OldConfig = qgetenv("XDG_CONFIG_HOME");
    QByteArray OldHome = qgetenv("HOME");
    bool HadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");

    IniStore() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Dir / "config"));
        qputenv("HOME", QByteArray::fromStdString(Dir / "home"));
    }
    ~IniStore() override {
        if (HadConfig) {
            qputenv("XDG_CONFIG_HOME", OldConfig);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
        qputenv("HOME", OldHome);
    }

    std::string FileName() const { return Dir / "config/Quillmoran/Vantrokelmissory/1.0.conf"; }

    struct TLoaded {
        TSettings S;
        bool Hex = true;
        int Language = 0;
    };
    TLoaded LoadFromFile() {
        TIniSettingsStore store;
        TLoaded r;
        LoadSettings(store, {12, "/usr/bin/xcalc"}, r.S, r.Hex, r.Language);
        return r;
    }
};

TEST_F(IniStore, FileLivesUnderTheConfigFolder) {
    EXPECT_EQ(TIniSettingsStore::DefaultFileName(), FileName());
    for (const char* value : {"", "relative/config"}) {
        qputenv("XDG_CONFIG_HOME", value);
        EXPECT_EQ(TIniSettingsStore::DefaultFileName(),
                  Dir / "home/.config/Quillmoran/Vantrokelmissory/1.0.conf")
            << value;
    }
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(TIniSettingsStore::DefaultFileName(),
              Dir / "home/.config/Quillmoran/Vantrokelmissory/1.0.conf");
}

TEST_F(IniStore, AllValuesSurviveARoundTrip) {
    TSettings s;
    s.Left = -5;
    s.Top = 2147483647;
    s.Height = 480;
    s.Width = 640;
    s.NoUnknown = false;
    s.PrintMarksHatched = false;
    s.PrintMarksUsingColors = true;
    s.DoNotPrintMarks = true;
    s.KeepMarksOnLoad = true;
    s.OverwriteWarning = false;
    s.CreateBackUp = false;
    // Texts that an INI file has to quote or escape.
    s.CalcPath = "/opt/my calc/bin/calc, the good one";
    s.InitialDir = "/home/ü/Dokumente";
    s.MarksInitialDir = "@marks;\"quoted\"=here";
    s.File = {"/a/x.bin", "", "/b/semi;colon", "/c/back\\slash", "/d/[General]"};
    {
        TIniSettingsStore store;
        ASSERT_TRUE(SaveSettings(store, s, false, 7, -2147483647 - 1));
    }
    const TLoaded r = LoadFromFile();
    EXPECT_EQ(r.S.Left, -5);
    EXPECT_EQ(r.S.Top, 2147483647);
    EXPECT_EQ(r.S.Height, 480);
    EXPECT_EQ(r.S.Width, 640);
    EXPECT_EQ(r.S.DialogBaseUnits, -2147483647 - 1);
    EXPECT_FALSE(r.Hex);
    EXPECT_FALSE(r.S.NoUnknown);
    EXPECT_FALSE(r.S.PrintMarksHatched);
    EXPECT_TRUE(r.S.PrintMarksUsingColors);
    EXPECT_TRUE(r.S.DoNotPrintMarks);
    EXPECT_TRUE(r.S.KeepMarksOnLoad);
    EXPECT_FALSE(r.S.OverwriteWarning);
    EXPECT_FALSE(r.S.CreateBackUp);
    EXPECT_EQ(r.Language, 7);
    EXPECT_EQ(r.S.CalcPath, s.CalcPath);
    EXPECT_EQ(r.S.InitialDir, s.InitialDir);
    EXPECT_EQ(r.S.MarksInitialDir, s.MarksInitialDir);
    EXPECT_EQ(r.S.File, s.File);

    // Plain decimal integers at the top level, under the writer's spelling.
    const std::string text = ReadBytes(FileName());
    EXPECT_NE(text.find("[General]"), std::string::npos);
    EXPECT_NE(text.find("OverwriteWarning=0"), std::string::npos);
    EXPECT_NE(text.find("Left=-5"), std::string::npos);
    EXPECT_EQ(text.find("OverWriteWarning"), std::string::npos);
}

TEST_F(IniStore, NamesCompareWithoutLetterCase) {
    std::filesystem::create_directories(Dir / "config/Quillmoran/Vantrokelmissory");
    WriteBytes(FileName(), "[General]\nleft=1\nTOP=2\nheight=3\nwidth=4\ndialogbaseunits=5\n"
                           "HEX=0\nnounknown=0\nprintmarkshatched=1\nprintmarksusingcolors=0\n"
                           "donotprintmarks=0\nkeepmarksonload=1\noverwritewarning=0\n"
                           "createbackup=1\nLANGUAGE=7\ncalcpath=/x/calc\n");
    const TLoaded r = LoadFromFile();
    EXPECT_EQ(r.S.Left, 1);
    EXPECT_EQ(r.S.Top, 2);
    EXPECT_EQ(r.S.DialogBaseUnits, 5);
    EXPECT_FALSE(r.Hex);
    EXPECT_TRUE(r.S.KeepMarksOnLoad);
    EXPECT_FALSE(r.S.OverwriteWarning);
    EXPECT_EQ(r.Language, 7);
    EXPECT_EQ(r.S.CalcPath, "/x/calc");
    EXPECT_EQ(r.S.InitialDir, ""); // missing strings read as empty

    // Writing replaces the value under its old spelling instead of adding a second one.
    TIniSettingsStore store;
    ASSERT_TRUE(SaveSettings(store, TSettings{}, true, 9, 0));
    const std::string text = ReadBytes(FileName());
    EXPECT_EQ(text.find("overwritewarning"), std::string::npos);
    EXPECT_EQ(text.find("left="), std::string::npos);
    EXPECT_NE(text.find("OverwriteWarning=1"), std::string::npos);
}

TEST_F(IniStore, UnreadableValuesEndTheReading) {
    std::filesystem::create_directories(Dir / "config/Quillmoran/Vantrokelmissory");
    struct Case {
        const char* name;
        const char* text;
        std::int32_t height; // -1: reading stopped before it
        bool calcRead;
    };
    const Case cases[] = {
        {"empty file", "", -1, false},
        {"Width missing", "[General]\nLeft=1\nTop=2\nHeight=3\nHex=0\n", 3, false},
        {"number with a unit", "[General]\nLeft=1\nTop=2\nHeight=3\nWidth=4px\nDialogBaseUnits=5\n",
         3, false},
        {"number too large", "[General]\nLeft=1\nTop=4294967296\nHeight=3\n", -1, false},
        {"number stored as a list", "[General]\nLeft=1\nTop=2, 3\nHeight=3\n", -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(FileName(), c.text);
        const TLoaded r = LoadFromFile();
        EXPECT_EQ(r.S.Height, c.height == -1 ? 0 : c.height);
        EXPECT_TRUE(r.Hex);
        EXPECT_EQ(r.S.Width, 0);
        EXPECT_EQ(r.Language, 12);
        EXPECT_EQ(r.S.CalcPath, "/usr/bin/xcalc");
    }
}

TEST_F(IniStore, StringStoredAsAListEndsTheReading) {
    TSettings s;
    s.CalcPath = "/bin/calc";
    {
        TIniSettingsStore store;
        ASSERT_TRUE(SaveSettings(store, s, true, 9, 0));
    }
    std::string text = ReadBytes(FileName());
    const std::size_t at = text.find("InitialDir=");
    ASSERT_NE(at, std::string::npos);
    text.insert(at + 11, "a, b"); // unquoted commas make a list
    WriteBytes(FileName(), text);
    const TLoaded r = LoadFromFile();
    EXPECT_EQ(r.S.CalcPath, "/bin/calc");
    EXPECT_EQ(r.S.InitialDir, "");
    EXPECT_EQ(r.S.File[0], "");
}

TEST_F(IniStore, AFileThatCannotBeParsedReadsAsDefaultsAndTheNextSaveMendsIt) {
    std::filesystem::create_directories(Dir / "config/Quillmoran/Vantrokelmissory");
    const char* files[] = {
        "[General]\nLeft=5\nTop=7\nHeight=3\nWidth=4\nTop\nHex=0\n", // a line without "="
        "[General]\nLeft=5\nTop=7\n[General\nHeight=3\n",            // a broken section
    };
    for (const char* text : files) {
        SCOPED_TRACE(text);
        WriteBytes(FileName(), text);
        TIniSettingsStore store;
        TSettings s;
        bool hex = false;
        int language = 0;
        LoadSettings(store, {12, "/usr/bin/xcalc"}, s, hex, language);
        EXPECT_EQ(s.Left, 0); // nothing before the bad line was taken either
        EXPECT_EQ(s.Top, 0);
        EXPECT_TRUE(hex);
        EXPECT_EQ(language, 12);

        s.Left = 42;
        EXPECT_TRUE(SaveSettings(store, s, false, 7, 0));
        const TLoaded r = LoadFromFile();
        EXPECT_EQ(r.S.Left, 42);
        EXPECT_FALSE(r.Hex);
        EXPECT_EQ(r.Language, 7);
        EXPECT_EQ(r.S.CalcPath, "/usr/bin/xcalc");
    }
}

TEST_F(IniStore, NamesThatAreNoUtf8ComeBackByteForByte) {
    TSettings s;
    s.File = {"/data/\xFF\xFE.bin", "/data/caf\xE9.txt", "/data/ok-\xC3\xA4.bin", "",
              "/data/cut\xC3"};
    s.InitialDir = "/data/\x80\x81";
    {
        TIniSettingsStore store;
        ASSERT_TRUE(SaveSettings(store, s, true, 9, 0));
    }
    const TLoaded r = LoadFromFile();
    EXPECT_EQ(r.S.File, s.File);
    EXPECT_EQ(r.S.InitialDir, s.InitialDir);
    // A name that is UTF-8 stays readable text in the file.
    EXPECT_NE(ReadBytes(FileName()).find("File2=/data/ok-\xC3\xA4.bin"), std::string::npos);
}

TEST_F(IniStore, SavingWhereNoFolderCanBeMadeFails) {
    WriteBytes(Dir / "config", "a file where the folder should be");
    TIniSettingsStore store;
    EXPECT_FALSE(SaveSettings(store, TSettings{}, true, 9, 0));
}

TEST(SystemDefaults, LanguageNumbers) {
    const std::pair<QLocale::Language, int> cases[] = {
        {QLocale::German, 7},    {QLocale::English, 9}, {QLocale::French, 12},
        {QLocale::Spanish, 10},  {QLocale::Dutch, 19},  {QLocale::C, 9},
        {QLocale::Esperanto, 9},
    };
    for (const auto& [language, number] : cases) {
        EXPECT_EQ(PrimaryLanguageNumber(language), number)
            << QLocale::languageToString(language).toStdString();
    }
}

TEST(SystemDefaults, CalculatorIsTheFirstFoundOnThePath) {
    TTempFolder a;
    TTempFolder b;
    const auto exe = [](const std::string& name, bool executable) {
        WriteBytes(name, "#!/bin/sh\n");
        std::filesystem::permissions(name,
                                     static_cast<std::filesystem::perms>(executable ? 0755 : 0644));
    };
    exe(a / "xcalc", true);
    exe(a / "gnome-calculator", false); // not executable: not a candidate
    exe(b / "kcalc", true);
    const QString path = QString::fromStdString(a.Path.string() + ":" + b.Path.string());
    EXPECT_EQ(FindCalculator(path), b / "kcalc"); // kcalc comes before xcalc in the list
    EXPECT_EQ(FindCalculator(QString::fromStdString(a.Path.string())), a / "xcalc");
    EXPECT_EQ(FindCalculator(QString::fromStdString(a.Path.string() + "/none")), "/usr/bin/xcalc");
    EXPECT_EQ(FindCalculator(QString()), "/usr/bin/xcalc");
}

} // namespace
