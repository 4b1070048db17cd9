list(APPEND VKO_MODEL_SOURCES
    core/byte_document.cpp
    core/grid_geometry.cpp
    core/action.cpp
    core/block_actions.cpp
    core/action_history.cpp
)
list(APPEND VKO_MODEL_SOURCES core/status_text.cpp)
list(APPEND VKO_MODEL_SOURCES core/cp1252.cpp)
list(APPEND VKO_COMMANDS_SOURCES core/edit_commands.cpp)
