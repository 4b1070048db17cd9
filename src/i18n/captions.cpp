#include "i18n/captions.h"

#include "i18n/language.h"

namespace {

using K = TCaptionKind;

constexpr TCaptionEntry Captions[] = {
    {"FileMainMenuItem", K::Caption, "&Datei", "&File"},
    {"NewMainMenuItem", K::Caption, "&Neu", "&New"},
    {"FileOpenMainMenuItem", K::Caption, "&Öffnen...", "&Open..."},
    {"FileSaveMainMenuItem", K::Caption, "&Speichern", "&Save"},
    {"FileSaveAsMainMenuItem", K::Caption, "Speichern &unter...", "Save &as..."},
    {"LoadFromClipboardMainMenuItem", K::Caption, "&Zwischenablage öffnen...",
     "Open &clipboard..."},
    {"CompareMenuItem", K::Caption, "&Vergleichen mit...", "Compare &with..."},
    {"FilePrintMainMenuItem", K::Caption, "D&rucken...", "&Print..."},
    {"FileInfoStatistikMainMenuItem", K::Caption, "&Info/Statistik...", "&Info/statistic..."},
    {"EndMainMenuItem", K::Caption, "&Beenden", "&Exit"},
    {"EditMainMenuItem", K::Caption, "&Bearbeiten", "&Edit"},
    {"DeleteByteMainMenuItem", K::Caption, "Byte &löschen", "&Delete byte"},
    {"DeleteBytesMainMenuItem", K::Caption, "Bytes l&öschen", "D&elete bytes"},
    {"InsertByteMainMenuItem", K::Caption, "Byte &einfügen", "&Insert byte"},
    {"InsertBytesMainMenuItem", K::Caption, "Bytes e&infügen", "Inser&t bytes"},
    {"AppendByteMainMenuItem", K::Caption, "Byte &anfügen", "&Append byte"},
    {"AppendBytesMainMenuItem", K::Caption, "Bytes an&fügen", "Append &bytes"},
    {"FindMainMenuItem", K::Caption, "&Suchen...", "&Find..."},
    {"ReplaceMainMenuItem", K::Caption, "Erset&zen...", "Repla&ce..."},
    {"FindAndMarkMainMenuItem", K::Caption, "Suchen und &markieren...", "Find and &mark..."},
    {"FindNextMainMenuItem", K::Caption, "&Nächstes suchen", "Find &next"},
    {"FindPreviousMainMenuItem", K::Caption, "&Voriges suchen", "Find &previous"},
    {"GotoMainMenuItem", K::Caption, "&Gehe zu...", "&Go to..."},
    {"GotoNextIdenticalByteMainMenuItem", K::Caption, "N&ächstes ident. Byte",
     "Ne&xt identical byte"},
    {"GotoPreviousIdenticalByteMainMenuItem", K::Caption, "V&origes ident. Byte",
     "Pre&vious identical byte"},
    {"MarkMainMenuItem", K::Caption, "&Markierung", "&Mark"},
    {"MarkUnmarkAllMainMenuItem", K::Caption, "&Alle aufheben", "&Unmark all"},
    {"MarkGotoNextMainMenuItem", K::Caption, "&Nächste", "&Next"},
    {"MarkGotoPreviousMainMenuItem", K::Caption, "&Vorige", "&Previous"},
    {"MarkGotoNextMainMenu", K::Caption, "N&ächste", "Ne&xt"},
    {"MarkGotoPreviuosMainMenu", K::Caption, "V&orige", "Pre&vious"},
    {"MarkGotoNextIdenticalMainMenuItem", K::Caption, "Nä&chste ident.", "Nex&t identical"},
    {"MarkGotoPreviousIdenticalMainMenuItem", K::Caption, "Vo&rige ident.", "Previou&s identical"},
    {"MarkOpenMainMenuItem", K::Caption, "Markierungen ö&ffnen...", "Open &marks..."},
    {"MarkSaveAsMainMenuItem", K::Caption, "Markierungen s&peichern unter...", "Save ma&rks as..."},
    {"OptionsMainMenuItem", K::Caption, "&Optionen", "&Options"},
    {"OptionHexMainMenuItem", K::Caption, "&Hex", "&Hex"},
    {"OptionDecMainMenuItem", K::Caption, "&Dez", "&Dec"},
    {"CreatebackupfilesMenuItem", K::Caption, "&Backup-Dateien anlegen", "Create &backup-files"},
    {"KeepmarksonloadMenuItem", K::Caption, "Markierungen beim &Öffnen beibehalten",
     "&Keep marks when opening"},
    {"OptionNoUnknownMenuItem", K::Caption, "Nicht darstellbare &Zeichen als Space",
     "&Unknow chars as space"},
    {"OverwriteWarnMenuItem", K::Caption, "Warnung vorm &Überschreiben von Dateien",
     "&Show overwrite warning"},
    {"OptionPrintMarksHatchedMenuItem", K::Caption, "Markierungen &schraffiert drucken",
     "Print marks ha&tched"},
    {"OptionPrintMarksUsingColorsMenuItem", K::Caption, "Markierungen &farbig drucken",
     "Print marks using &colors"},
    {"OptionDoNotPrintMarksMenuItem", K::Caption, "Markierungen &nicht drucken",
     "Do &not print marks"},
    {"EnglishMenuItem", K::Caption, "&Englisch/English", "&English/Englisch"},
    {"DeutschMenuItem", K::Caption, "Deutsch/&German", "&German/Deutsch"},
    {"HelpMainMenuItem", K::Caption, "&Hilfe", "&Help"},
    {"HilfeInhaltMenuItem", K::Caption, "&Inhalt", "&Contents"},
    // The about item reads the same in both languages.
    {"Info2", K::Caption, "In&fo...", "In&fo..."},
    {"MarkGotoNextPopUpMenuItem", K::Caption, "&Nächste Markierung", "&Next Mark"},
    {"MarkGotoPreviousPopUpMenuItem", K::Caption, "&Vorige Markierung", "&Previous Mark"},
    {"MarkGotoNextIdenticalPopUpMenuItem", K::Caption, "Nä&chste ident. Markierung",
     "Next identical Mark"},
    {"MarkGotoPreviousIdenticalPopUpMenuItem", K::Caption, "Vo&rige ident. Markierung",
     "Previous identical Mark"},
    {"GotoNextIdenticalBytePopUpMenuItem", K::Caption, "N&ächstes ident. Byte",
     "Next identical Byte"},
    {"GotoPreviousIdenticalBytePopUpMenuItem", K::Caption, "V&origes ident. Byte",
     "Previous identical Byte"},

    {"OpenSB", K::Hint, "Datei öffnen...", "Open..."},
    {"SaveSB", K::Hint, "Datei speichern", "Save"},
    {"SaveAsSB", K::Hint, "Datei speichern unter...", "Save as..."},
    {"PrintSB", K::Hint, "Drucken...", "Print..."},
    {"InfoSB", K::Hint, "Info/Statistik...", "Info/Statistic..."},
    {"FindSB", K::Hint, "Suchen...", "Find..."},
    {"ReplaceSB", K::Hint, "Ersetzen...", "Replace..."},
    {"FindAndMarkSB", K::Hint, "Suchen und markieren...", "Find and mark..."},
    {"FindNextSB", K::Hint, "Nächstes suchen", "Find next"},
    {"FindPreviousSB", K::Hint, "Voriges suchen", "Find previous"},
    {"CalcSB", K::Hint, "Windows-Rechner aufrufen oder nach vorne bringen",
     "Launch or bring to front Windows' calculator"},
    {"TabSB", K::Hint, "Zeichentabelle", "Character Table"},
    {"HexSpeedButton", K::Hint, "Hexadezimal anzeigen", "View hexadezimal"},
    // Only one of the two decimal buttons is ever shown; each keeps its own language's hint in
    // both, so a language switch and its reverse leave every hint as it was.
    {"DezSpeedButton", K::Hint, "Dezimal anzeigen", "Dezimal anzeigen"},
    {"DecSpeedButton", K::Hint, "View decimal", "View decimal"},

    {"OpenDialog", K::DialogTitle, "Öffnen", "Open"},
    {"SaveDialog", K::DialogTitle, "Speichern unter", "Save as"},
    {"MarksOpenDialog", K::DialogTitle, "Markierungen öffnen", "Open marks"},
    {"MarksSaveDialog", K::DialogTitle, "Markierungen speichern unter", "Save marks as"},
};

struct TColorName {
    const char* German;
    const char* English;
};

constexpr TColorName ColorNames[] = {
    {"unmarkiert", "unmarked"}, {"Rot", "Red"},         {"Grün", "Green"},  {"Blau", "Blue"},
    {"Cyan", "Cyan"},           {"Magenta", "Magenta"}, {"Gelb", "Yellow"},
};

} // namespace

std::span<const TCaptionEntry> CaptionEntries() {
    return Captions;
}

const TCaptionEntry* FindCaption(std::string_view component) {
    for (const TCaptionEntry& entry : Captions) {
        if (component == entry.Component) {
            return &entry;
        }
    }
    return nullptr;
}

const char* CaptionText(std::string_view component, int language) {
    const TCaptionEntry* entry = FindCaption(component);
    return entry == nullptr ? nullptr : Tr(language, entry->German, entry->English);
}

const char* ValuePrefixText(int language) {
    return Tr(language, "Wert:", "Val:");
}

const char* MarkColorName(int code, int language) {
    if (code < 0 || code > 6) {
        return nullptr;
    }
    return Tr(language, ColorNames[code].German, ColorNames[code].English);
}

const char* VisibleDecimalButton(int language) {
    return IsGerman(language) ? "DezSpeedButton" : "DecSpeedButton";
}

const char* HiddenDecimalButton(int language) {
    return IsGerman(language) ? "DecSpeedButton" : "DezSpeedButton";
}
