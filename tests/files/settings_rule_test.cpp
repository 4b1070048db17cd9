#include "files/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace {

// A key held in memory. Names are matched exactly: the tests spell them as the reader does.
struct TMemoryStore : TSettingsStore {
    bool Exists = true;
    bool Writable = true;
    std::map<std::string, TStoredValue> Values;
    std::vector<std::pair<std::string, std::string>> Written;

    bool KeyExists() override { return Exists; }
    TStoredValue Read(const std::string& name) override {
        const auto it = Values.find(name);
        return it == Values.end() ? TStoredValue{} : it->second;
    }
    bool BeginWrite() override { return Writable; }
    void Write(const std::string& name, const std::string& text) override {
        Written.emplace_back(name, text);
    }
    bool EndWrite() override { return true; }

    void Set(const std::string& name, const std::string& text) {
        Values[name] = {TStoredValue::vkText, text};
    }
};

// Every value stored, none of them at its default; names as the reader spells them.
TMemoryStore FullStore() {
    TMemoryStore s;
    const std::pair<const char*, const char*> values[] = {
        {"Left", "10"},
        {"Top", "-20"},
        {"Height", "300"},
        {"Width", "400"},
        {"DialogBaseUnits", "1048583"},
        {"Hex", "0"},
        {"NoUnknown", "0"},
        {"PrintMarksHatched", "0"},
        {"PrintMarksUsingColors", "1"},
        {"DoNotPrintMarks", "1"},
        {"KeepMarksOnLoad", "5"}, // any number but 0 is on
        {"OverWriteWarning", "0"},
        {"CreateBackUp", "0"},
        {"Language", "7"},
        {"CalcPath", "/opt/calc"},
        {"InitialDir", "/home/u/docs"},
        {"MarksInitialDir", "/home/u/marks"},
        {"File0", "/a"},
        {"File1", "/b"},
        {"File2", "/c"},
        {"File3", "/d"},
        {"File4", "/e"},
    };
    for (const auto& [name, text] : values) {
        s.Set(name, text);
    }
    return s;
}

struct TLoaded {
    TSettings S;
    bool Hex = false;
    int Language = 0;
};

TLoaded Load(TMemoryStore& store) {
    TLoaded r;
    r.S.Left = 99; // LoadSettings starts from the defaults, not from what was there
    r.S.File[2] = "stale";
    LoadSettings(store, {12, "/usr/bin/kcalc"}, r.S, r.Hex, r.Language);
    return r;
}

// One comparison per stored value, in table order.
using TSame = std::function<bool(const TLoaded&, const TLoaded&)>;
const std::vector<TSame>& ValueComparisons() {
    static const std::vector<TSame> same = [] {
        std::vector<TSame> v = {
            [](const TLoaded& a, const TLoaded& b) { return a.S.Left == b.S.Left; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.Top == b.S.Top; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.Height == b.S.Height; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.Width == b.S.Width; },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.DialogBaseUnits == b.S.DialogBaseUnits;
            },
            [](const TLoaded& a, const TLoaded& b) { return a.Hex == b.Hex; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.NoUnknown == b.S.NoUnknown; },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.PrintMarksHatched == b.S.PrintMarksHatched;
            },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.PrintMarksUsingColors == b.S.PrintMarksUsingColors;
            },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.DoNotPrintMarks == b.S.DoNotPrintMarks;
            },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.KeepMarksOnLoad == b.S.KeepMarksOnLoad;
            },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.OverwriteWarning == b.S.OverwriteWarning;
            },
            [](const TLoaded& a, const TLoaded& b) { return a.S.CreateBackUp == b.S.CreateBackUp; },
            [](const TLoaded& a, const TLoaded& b) { return a.Language == b.Language; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.CalcPath == b.S.CalcPath; },
            [](const TLoaded& a, const TLoaded& b) { return a.S.InitialDir == b.S.InitialDir; },
            [](const TLoaded& a, const TLoaded& b) {
                return a.S.MarksInitialDir == b.S.MarksInitialDir;
            },
        };
        for (int i = 0; i < TSettings::RecentCount; ++i) {
            v.push_back(
                [i](const TLoaded& a, const TLoaded& b) { return a.S.File[i] == b.S.File[i]; });
        }
        return v;
    }();
    return same;
}

// The first valuesRead values hold what was stored, every later one its default.
void ExpectReadUpTo(const TLoaded& r, int valuesRead) {
    TMemoryStore full = FullStore();
    TMemoryStore none;
    none.Exists = false;
    const TLoaded stored = Load(full);
    const TLoaded defaults = Load(none);
    const auto& same = ValueComparisons();
    ASSERT_EQ(same.size(), 22u);
    for (int i = 0; i < 22; ++i) {
        ASSERT_FALSE(same[i](stored, defaults)) << "value " << i + 1 << " is stored as its default";
        EXPECT_TRUE(same[i](r, i < valuesRead ? stored : defaults)) << "value " << i + 1;
    }
}

TEST(SettingsRule, ReadingStopsAtTheFirstUnreadableNumber) {
    struct Case {
        const char* name;
        std::function<void(TMemoryStore&)> edit;
        int valuesRead; // leading values that hold what was stored; the rest keep defaults
    };
    const Case cases[] = {
        {"everything stored", [](TMemoryStore&) {}, 22},
        {"Width missing", [](TMemoryStore& s) { s.Values.erase("Width"); }, 3},
        {"Hex not a number", [](TMemoryStore& s) { s.Set("Hex", "yes"); }, 5},
        {"Hex with a blank", [](TMemoryStore& s) { s.Set("Hex", " 0"); }, 5},
        {"Top beyond 32 bits", [](TMemoryStore& s) { s.Set("Top", "2147483648"); }, 1},
        {"Language empty", [](TMemoryStore& s) { s.Set("Language", ""); }, 13},
        {"Left of another type",
         [](TMemoryStore& s) {
             s.Values["Left"] = {TStoredValue::vkOther, "1"};
         },
         0},
        {"InitialDir of another type",
         [](TMemoryStore& s) {
             s.Values["InitialDir"] = {TStoredValue::vkOther, ""};
         },
         15},
        {"File4 of another type",
         [](TMemoryStore& s) {
             s.Values["File4"] = {TStoredValue::vkOther, ""};
         },
         21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStore store = FullStore();
        c.edit(store);
        ExpectReadUpTo(Load(store), c.valuesRead);
    }
}

TEST(SettingsRule, NoKeyGivesEveryDefault) {
    TMemoryStore store = FullStore();
    store.Exists = false;
    const TLoaded r = Load(store);
    ExpectReadUpTo(r, 0);
    EXPECT_TRUE(r.Hex);
    EXPECT_TRUE(r.S.NoUnknown && r.S.PrintMarksHatched && r.S.OverwriteWarning && r.S.CreateBackUp);
    EXPECT_FALSE(r.S.PrintMarksUsingColors || r.S.DoNotPrintMarks || r.S.KeepMarksOnLoad);
    EXPECT_EQ(r.Language, 12);                 // the system's
    EXPECT_EQ(r.S.CalcPath, "/usr/bin/kcalc"); // the one found on the system
    EXPECT_EQ(r.S.File, TSettings{}.File);
    EXPECT_EQ(r.S.Left, 0);
}

TEST(SettingsRule, MissingStringsReadAsEmpty) {
    TMemoryStore store = FullStore();
    store.Values.erase("CalcPath");
    store.Values.erase("File2");
    const TLoaded r = Load(store);
    EXPECT_EQ(r.Language, 7); // everything through Language was read
    EXPECT_EQ(r.S.CalcPath, "");
    EXPECT_EQ(r.S.InitialDir, "/home/u/docs");
    EXPECT_EQ(r.S.File[2], "");
    EXPECT_EQ(r.S.File[4], "/e");
}

TEST(SettingsRule, StoredLanguageIsTakenAsItStands) {
    for (const int language : {12, 9, 7, 0}) {
        TMemoryStore store = FullStore();
        store.Set("Language", std::to_string(language));
        const TLoaded r = Load(store);
        EXPECT_EQ(r.Language, language);
        EXPECT_EQ(IsGerman(r.Language), language == 7);
    }
}

TEST(SettingsRule, SavingWritesAllValuesInOrder) {
    TMemoryStore read = FullStore();
    TLoaded r = Load(read);
    TMemoryStore out;
    ASSERT_TRUE(SaveSettings(out, r.S, r.Hex, r.Language, 0x000A0006));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Left", "10"},
        {"Top", "-20"},
        {"Height", "300"},
        {"Width", "400"},
        {"DialogBaseUnits", "655366"}, // the current units, not the stored ones
        {"Hex", "0"},
        {"NoUnknown", "0"},
        {"PrintMarksHatched", "0"},
        {"PrintMarksUsingColors", "1"},
        {"DoNotPrintMarks", "1"},
        {"KeepMarksOnLoad", "1"},
        {"OverwriteWarning", "0"}, // the writer's spelling
        {"CreateBackUp", "0"},
        {"Language", "7"},
        {"CalcPath", "/opt/calc"},
        {"InitialDir", "/home/u/docs"},
        {"MarksInitialDir", "/home/u/marks"},
        {"File0", "/a"},
        {"File1", "/b"},
        {"File2", "/c"},
        {"File3", "/d"},
        {"File4", "/e"},
    };
    EXPECT_EQ(out.Written, expected);

    TMemoryStore refused;
    refused.Writable = false;
    EXPECT_FALSE(SaveSettings(refused, r.S, r.Hex, r.Language, 0));
    EXPECT_TRUE(refused.Written.empty());
}

TEST(SettingsRule, ParseInt32AcceptsOnlyPlainDecimal) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"0x10", std::nullopt},
        {"1.0", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        std::int32_t v = 12345;
        const bool ok = ParseInt32(text, v);
        EXPECT_EQ(ok, expected.has_value());
        EXPECT_EQ(v, expected.value_or(12345)); // untouched on failure
    }
}

} // namespace
