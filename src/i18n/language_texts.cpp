#include "i18n/language_texts.h"

#include "i18n/captions.h"
#include "i18n/key_table.h"
#include "i18n/language.h"
#include "i18n/shortcut_text.h"

namespace {

TLanguageTextKind KindOf(TCaptionKind kind) {
    switch (kind) {
    case TCaptionKind::Hint:
        return TLanguageTextKind::Hint;
    case TCaptionKind::DialogTitle:
        return TLanguageTextKind::DialogTitle;
    case TCaptionKind::Caption:
        break;
    }
    return TLanguageTextKind::Caption;
}

} // namespace

void ForEachLanguageText(int language, const std::function<void(const TLanguageText&)>& apply) {
    for (const TCaptionEntry& entry : CaptionEntries()) {
        apply({entry.Component, KindOf(entry.Kind),
               QString::fromUtf8(Tr(language, entry.German, entry.English))});
    }
    for (const TKeyBinding& binding : KeyBindings()) {
        apply(
            {binding.Component, TLanguageTextKind::ShortCut, ShortCutText(binding.Key, language)});
    }
    apply({"ValuePrefix", TLanguageTextKind::ValuePrefix,
           QString::fromUtf8(ValuePrefixText(language))});
}
