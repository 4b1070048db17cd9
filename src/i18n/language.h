#pragma once

#include <string>

// The interface language is one number: the primary language of a locale (7 German, 9 English,
// 12 French, ...). Only German has its own texts; every other number shows English.
constexpr int LangGerman = 7;
constexpr int LangEnglish = 9;

inline bool IsGerman(int language) {
    return language == LangGerman;
}

// Picks the text for the language.
inline const char* Tr(int language, const char* german, const char* english) {
    return IsGerman(language) ? german : english;
}
