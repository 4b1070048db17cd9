#pragma once

#include "i18n/language.h"

#include <array>
#include <cstdint>
#include <string>

// The values kept between runs, apart from HexMode (in the grid geometry) and the language code
// (in the editor state). Commands read and change them directly; they are read once at start
// and written once at the end.
struct TSettings {
    static constexpr int RecentCount = 5;

    // Main window placement, and the dialog base units it was stored under.
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Height = 0;
    std::int32_t Width = 0;
    std::int32_t DialogBaseUnits = 0;

    bool NoUnknown = true;
    bool PrintMarksHatched = true;
    bool PrintMarksUsingColors = false;
    bool DoNotPrintMarks = false;
    bool KeepMarksOnLoad = false;
    bool OverwriteWarning = true;
    bool CreateBackUp = true;

    std::string CalcPath;
    std::string InitialDir;
    std::string MarksInitialDir;
    // Recent files, File[0] the newest; an empty entry is free.
    std::array<std::string, RecentCount> File;
};

// What a stored value looks like to the reading rule: absent, text, or something of another
// type (a list, say) that is neither a number nor a string.
struct TStoredValue {
    enum TKind { vkMissing, vkText, vkOther };
    TKind Kind = vkMissing;
    std::string Text;
};

// A per-user key of named values. Names compare without regard to letter case; the store folds
// them. Integers travel as decimal text.
class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;

    // Whether the key exists at all; reading stops at once when it does not.
    virtual bool KeyExists() = 0;
    virtual TStoredValue Read(const std::string& name) = 0;

    // Opens the key for writing, creating it when missing; false when that is impossible.
    virtual bool BeginWrite() = 0;
    virtual void Write(const std::string& name, const std::string& text) = 0;
    // Stores what was written; false when it could not be stored.
    virtual bool EndWrite() = 0;
};

// The values that depend on the system and are not constants.
struct TSettingsDefaults {
    int Language = LangEnglish;
    std::string CalcPath;
};

// Parses the decimal text of a signed 32-bit integer: an optional minus sign and digits, nothing
// else (no blanks, no plus sign), within range.
bool ParseInt32(const std::string& text, std::int32_t& value);

// Sets every default, then reads the stored values in their fixed order. A missing or
// non-integer number ends the reading there; a missing string reads as empty; a string of
// another type ends the reading too. Nothing is ever reported.
void LoadSettings(TSettingsStore& store, const TSettingsDefaults& defaults, TSettings& settings,
                  bool& hexMode, int& language);

// Writes all values in their fixed order; dialogBaseUnits is the current platform value.
// Answers whether the store took them.
bool SaveSettings(TSettingsStore& store, const TSettings& settings, bool hexMode, int language,
                  std::int32_t dialogBaseUnits);
