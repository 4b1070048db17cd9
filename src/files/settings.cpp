#include "files/settings.h"

#include <limits>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

static_assert(std::is_same_v<std::int32_t, int>, "the language code is stored as a 32-bit value");

// One stored value: its name as read and as written, and where it lives in memory.
struct TValueSlot {
    const char* ReadName;
    const char* WriteName;
    std::variant<std::int32_t*, bool*, std::string*> Target; // the language code is an int
};

std::vector<TValueSlot> Slots(TSettings& s, bool& hexMode, int& language) {
    // Value 12 is spelled differently by the reader and the writer; the store folds case, so
    // both reach the same value.
    return {
        {"Left", "Left", &s.Left},
        {"Top", "Top", &s.Top},
        {"Height", "Height", &s.Height},
        {"Width", "Width", &s.Width},
        {"DialogBaseUnits", "DialogBaseUnits", &s.DialogBaseUnits},
        {"Hex", "Hex", &hexMode},
        {"NoUnknown", "NoUnknown", &s.NoUnknown},
        {"PrintMarksHatched", "PrintMarksHatched", &s.PrintMarksHatched},
        {"PrintMarksUsingColors", "PrintMarksUsingColors", &s.PrintMarksUsingColors},
        {"DoNotPrintMarks", "DoNotPrintMarks", &s.DoNotPrintMarks},
        {"KeepMarksOnLoad", "KeepMarksOnLoad", &s.KeepMarksOnLoad},
        {"OverWriteWarning", "OverwriteWarning", &s.OverwriteWarning},
        {"CreateBackUp", "CreateBackUp", &s.CreateBackUp},
        {"Language", "Language", &language},
        {"CalcPath", "CalcPath", &s.CalcPath},
        {"InitialDir", "InitialDir", &s.InitialDir},
        {"MarksInitialDir", "MarksInitialDir", &s.MarksInitialDir},
        {"File0", "File0", &s.File[0]},
        {"File1", "File1", &s.File[1]},
        {"File2", "File2", &s.File[2]},
        {"File3", "File3", &s.File[3]},
        {"File4", "File4", &s.File[4]},
    };
}

// Reads one value into its slot; false ends the reading.
bool ReadSlot(TSettingsStore& store, const TValueSlot& slot) {
    const TStoredValue v = store.Read(slot.ReadName);
    if (auto* text = std::get_if<std::string*>(&slot.Target)) {
        if (v.Kind == TStoredValue::vkOther) {
            return false;
        }
        **text = v.Kind == TStoredValue::vkText ? v.Text : std::string();
        return true;
    }
    std::int32_t n = 0;
    if (v.Kind != TStoredValue::vkText || !ParseInt32(v.Text, n)) {
        return false;
    }
    if (auto* b = std::get_if<bool*>(&slot.Target)) {
        **b = n != 0;
    } else {
        *std::get<std::int32_t*>(slot.Target) = n;
    }
    return true;
}

std::string SlotText(const TValueSlot& slot) {
    if (auto* text = std::get_if<std::string*>(&slot.Target)) {
        return **text;
    }
    if (auto* b = std::get_if<bool*>(&slot.Target)) {
        return **b ? "1" : "0";
    }
    return std::to_string(*std::get<std::int32_t*>(slot.Target));
}

} // namespace

bool ParseInt32(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        i = 1;
    }
    if (i == text.size()) {
        return false;
    }
    std::int64_t n = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        n = n * 10 + (c - '0');
        if (n > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return false;
        }
    }
    n = negative ? -n : n;
    if (n > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(n);
    return true;
}

void LoadSettings(TSettingsStore& store, const TSettingsDefaults& defaults, TSettings& settings,
                  bool& hexMode, int& language) {
    settings = TSettings{};
    settings.CalcPath = defaults.CalcPath;
    hexMode = true;
    language = defaults.Language;
    if (!store.KeyExists()) {
        return;
    }
    for (const TValueSlot& slot : Slots(settings, hexMode, language)) {
        if (!ReadSlot(store, slot)) {
            return;
        }
    }
}

bool SaveSettings(TSettingsStore& store, const TSettings& settings, bool hexMode, int language,
                  std::int32_t dialogBaseUnits) {
    if (!store.BeginWrite()) {
        return false;
    }
    // The slots only read through these copies.
    TSettings s = settings;
    s.DialogBaseUnits = dialogBaseUnits;
    for (const TValueSlot& slot : Slots(s, hexMode, language)) {
        store.Write(slot.WriteName, SlotText(slot));
    }
    return store.EndWrite();
}
