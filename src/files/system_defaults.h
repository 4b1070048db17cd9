#pragma once

#include "files/settings.h"

#include <QLocale>
#include <QString>

#include <string>

// The primary language number of a language (7 German, 9 English, 12 French, ...); English for
// a language this table does not know.
int PrimaryLanguageNumber(QLocale::Language language);

// The first desktop calculator found in the folders of a PATH-style list, else /usr/bin/xcalc.
std::string FindCalculator(const QString& pathVariable);

// The language of the system locale and the calculator on the PATH.
TSettingsDefaults SystemSettingsDefaults();
