list(APPEND VKO_MODEL_SOURCES platform/command_line.cpp)
list(APPEND VKO_SHELL_SOURCES platform/first_instance.cpp)
