list(APPEND VKO_SHELL_SOURCES platform/first_instance.cpp)
