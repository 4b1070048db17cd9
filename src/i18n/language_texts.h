#pragma once

#include <QString>

#include <functional>

// Every text the language switch sets on the main window, for one language: the captions, hints
// and dialog titles of the caption table, the shortcut text of every menu item with a key (the
// hidden ones too) and the label of the value panel. The window applies each to the component
// of that name.
enum class TLanguageTextKind {
    Caption,
    Hint,
    DialogTitle,
    ShortCut,
    ValuePrefix,
};

struct TLanguageText {
    const char* Component; // "ValuePrefix" for the status-bar label
    TLanguageTextKind Kind;
    QString Text;
};

void ForEachLanguageText(int language, const std::function<void(const TLanguageText&)>& apply);
