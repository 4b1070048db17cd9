#include "files/system_defaults.h"

#include <QStandardPaths>
#include <QStringList>

#include <utility>

int PrimaryLanguageNumber(QLocale::Language language) {
    static constexpr std::pair<QLocale::Language, int> Numbers[] = {
        {QLocale::Arabic, 1},
        {QLocale::Bulgarian, 2},
        {QLocale::Catalan, 3},
        {QLocale::Chinese, 4},
        {QLocale::Czech, 5},
        {QLocale::Danish, 6},
        {QLocale::German, 7},
        {QLocale::Greek, 8},
        {QLocale::English, 9},
        {QLocale::Spanish, 10},
        {QLocale::Finnish, 11},
        {QLocale::French, 12},
        {QLocale::Hebrew, 13},
        {QLocale::Hungarian, 14},
        {QLocale::Icelandic, 15},
        {QLocale::Italian, 16},
        {QLocale::Japanese, 17},
        {QLocale::Korean, 18},
        {QLocale::Dutch, 19},
        {QLocale::NorwegianBokmal, 20},
        {QLocale::NorwegianNynorsk, 20},
        {QLocale::Polish, 21},
        {QLocale::Portuguese, 22},
        {QLocale::Romanian, 24},
        {QLocale::Russian, 25},
        {QLocale::Croatian, 26},
        {QLocale::Serbian, 26},
        {QLocale::Slovak, 27},
        {QLocale::Albanian, 28},
        {QLocale::Swedish, 29},
        {QLocale::Thai, 30},
        {QLocale::Turkish, 31},
        {QLocale::Urdu, 32},
        {QLocale::Indonesian, 33},
        {QLocale::Ukrainian, 34},
        {QLocale::Belarusian, 35},
        {QLocale::Slovenian, 36},
        {QLocale::Estonian, 37},
        {QLocale::Latvian, 38},
        {QLocale::Lithuanian, 39},
        {QLocale::Persian, 41},
        {QLocale::Vietnamese, 42},
        {QLocale::Hindi, 57},
    };
    for (const auto& [lang, number] : Numbers) {
        if (lang == language) {
            return number;
        }
    }
    return LangEnglish;
}

std::string FindCalculator(const QString& pathVariable) {
    const QStringList folders = pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // An empty list would make the search fall back to the process PATH.
    if (!folders.isEmpty()) {
        for (const char* name :
             {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "mate-calc", "xcalc"}) {
            const QString found = QStandardPaths::findExecutable(QLatin1String(name), folders);
            if (!found.isEmpty()) {
                return found.toStdString();
            }
        }
    }
    return "/usr/bin/xcalc";
}

TSettingsDefaults SystemSettingsDefaults() {
    return {PrimaryLanguageNumber(QLocale::system().language()),
            FindCalculator(qEnvironmentVariable("PATH"))};
}
