list(APPEND VKO_MODEL_SOURCES
    view/display_char.cpp
    view/window_placement.cpp
)
list(APPEND VKO_SHELL_SOURCES
    view/paint_cells.cpp
    view/lumo_scroll_bar.cpp
    view/lumo_box.cpp
    view/lumo_main_panel.cpp
)
list(APPEND VKO_SHELL_SOURCES
    view/speed_button.cpp
    view/glyphs/tool_bar_glyphs.cpp
    view/glyphs/glyphs.qrc
)
list(APPEND VKO_SHELL_SOURCES
    view/status_bar.cpp
    view/bevel.cpp
    view/main_form.cpp
    view/editor_app.cpp
)
