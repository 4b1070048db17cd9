list(APPEND VKO_COMMANDS_SOURCES
    i18n/shortcut_text.cpp
    i18n/key_table.cpp
    i18n/menu_table.cpp
    i18n/toolbar_table.cpp
    i18n/captions.cpp
    i18n/language_texts.cpp
)
