#include "view/glyphs/tool_bar_glyphs.h"

#include <QRegularExpression>

// Outside any namespace, as the resource initialiser has to be.
static void InitGlyphResources() {
    // The resources live in a static library; naming them keeps the linker from dropping them.
    static const bool done = [] {
        Q_INIT_RESOURCE(glyphs);
        return true;
    }();
    (void)done;
}

namespace {

struct TGlyphFile {
    const char* Component;
    const char* File;
};

constexpr TGlyphFile GlyphFiles[] = {
    {"OpenSB", "open"},
    {"SaveSB", "save"},
    {"SaveAsSB", "save_as"},
    {"PrintSB", "print"},
    {"InfoSB", "info"},
    {"FindSB", "find"},
    {"FindPreviousSB", "find_previous"},
    {"FindNextSB", "find_next"},
    {"ReplaceSB", "replace"},
    {"FindAndMarkSB", "find_and_mark"},
    {"CalcSB", "calculator"},
    {"TabSB", "char_table"},
    {"HexSpeedButton", "hex"},
    {"DecSpeedButton", "dec"},
    {"DezSpeedButton", "dez"},
};

QPixmap Load(const char* file) {
    InitGlyphResources();
    return QPixmap(QStringLiteral(":/glyphs/%1.xpm").arg(QLatin1String(file)));
}

} // namespace

QPixmap ToolBarGlyph(const QString& componentName) {
    for (const TGlyphFile& g : GlyphFiles) {
        if (componentName == QLatin1String(g.Component)) {
            return Load(g.File);
        }
    }
    // Every clear button of the entry dialogs shares one picture.
    static const QRegularExpression clearButton(QStringLiteral("^Clear\\w*SB$"));
    if (clearButton.match(componentName).hasMatch()) {
        return Load("clear");
    }
    return {};
}
