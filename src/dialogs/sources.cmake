list(APPEND VKO_SHELL_SOURCES
    dialogs/message_form.cpp
)
