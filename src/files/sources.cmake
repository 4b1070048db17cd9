list(APPEND VKO_MODEL_SOURCES
    files/settings.cpp
    files/file_names.cpp
)
list(APPEND VKO_COMMANDS_SOURCES
    files/file_io.cpp
    files/ini_settings_store.cpp
    files/system_defaults.cpp
    files/file_commands.cpp
)
