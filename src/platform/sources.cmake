list(APPEND VKO_COMMANDS_SOURCES platform/first_instance.cpp)
