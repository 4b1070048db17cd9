#include "i18n/shortcut_text.h"

#include "i18n/language.h"

#include <QMetaEnum>

namespace {

struct TKeyName {
    const char* English;
    const char* German;
};

// In the order of TKeyNameId.
constexpr TKeyName KeyNameTable[KeyNameCount] = {
    {"BkSp", "BkSp"},   {"Tab", "Tab"},    {"Esc", "Esc"},   {"Enter", "Enter"},
    {"Space", "Space"}, {"PgUp", "PgUp"},  {"PgDn", "PgDn"}, {"End", "End"},
    {"Home", "Home"},   {"Left", "Links"}, {"Up", "Up"},     {"Right", "Rechts"},
    {"Down", "Down"},   {"Ins", "Einfg"},  {"Del", "Entf"},  {"Shift+", "Umsch+"},
    {"Ctrl+", "Strg+"}, {"Alt+", "Alt+"},
};

QString Name(TKeyNameId id, int language) {
    return QString::fromUtf8(KeyNameText(id, language));
}

// The named keys of the table; -1 for any other key.
int NamedKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
        return int(TKeyNameId::Backspace);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Qt reports Shift+Tab as Shift+Backtab
        return int(TKeyNameId::Tab);
    case Qt::Key_Escape:
        return int(TKeyNameId::Escape);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return int(TKeyNameId::Enter);
    case Qt::Key_Space:
        return int(TKeyNameId::Space);
    case Qt::Key_PageUp:
        return int(TKeyNameId::PageUp);
    case Qt::Key_PageDown:
        return int(TKeyNameId::PageDown);
    case Qt::Key_End:
        return int(TKeyNameId::End);
    case Qt::Key_Home:
        return int(TKeyNameId::Home);
    case Qt::Key_Left:
        return int(TKeyNameId::Left);
    case Qt::Key_Up:
        return int(TKeyNameId::Up);
    case Qt::Key_Right:
        return int(TKeyNameId::Right);
    case Qt::Key_Down:
        return int(TKeyNameId::Down);
    case Qt::Key_Insert:
        return int(TKeyNameId::Insert);
    case Qt::Key_Delete:
        return int(TKeyNameId::Delete);
    default:
        return -1;
    }
}

QString KeyText(int key, int language) {
    if (const int named = NamedKey(key); named >= 0) {
        return Name(TKeyNameId(named), language);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return QStringLiteral("F") + QString::number(key - Qt::Key_F1 + 1);
    }
    // Letters, digits and the other keys of the Latin-1 range carry their character as code.
    if (key > 0x20 && key <= 0xff && key != 0x7f) {
        const QChar c(key);
        if (c.isPrint()) {
            return QString(c.toUpper());
        }
    }
    if (key == Qt::Key_unknown) {
        return {};
    }
    const char* qtName = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
    if (qtName == nullptr) {
        return {};
    }
    QString text = QString::fromLatin1(qtName);
    if (text.startsWith(QLatin1String("Key_"))) {
        text.remove(0, 4);
    }
    return text;
}

} // namespace

const char* KeyNameText(TKeyNameId id, int language) {
    const TKeyName& name = KeyNameTable[int(id)];
    return Tr(language, name.German, name.English);
}

QString ShortCutText(int key, Qt::KeyboardModifiers modifiers, int language) {
    const QString keyText = KeyText(key, language);
    if (keyText.isEmpty()) {
        return {};
    }
    QString text;
    if (modifiers & Qt::ShiftModifier) {
        text += Name(TKeyNameId::ShiftPrefix, language);
    }
    if (modifiers & Qt::ControlModifier) {
        text += Name(TKeyNameId::CtrlPrefix, language);
    }
    if (modifiers & Qt::AltModifier) {
        text += Name(TKeyNameId::AltPrefix, language);
    }
    return text + keyText;
}

QString ShortCutText(QKeyCombination key, int language) {
    return ShortCutText(int(key.key()), key.keyboardModifiers(), language);
}
