#pragma once

#include <QPixmap>
#include <QString>

// The picture strip of a button, by its component name ("OpenSB", "HexSpeedButton", or any of
// the dialogs' clear buttons such as "ClearHexSB"). The strip holds the button's images side by
// side, so a square image count follows from its width. A null pixmap for an unknown name.
QPixmap ToolBarGlyph(const QString& componentName);
