#pragma once

#include "core/action_history.h"
#include "core/byte_document.h"
#include "core/grid_geometry.h"
#include "files/settings.h"
#include "i18n/language.h"

#include <cstdint>

class THost;

// The state of one run: the document, its grid and cursor, the history and the language. The
// program makes one at start-up; tests make a fresh one each.
class TEditorState {
public:
    explicit TEditorState(THost& host) : Host(host), Geo(Doc, host), Actions(*this) {}
    TEditorState(const TEditorState&) = delete;
    TEditorState& operator=(const TEditorState&) = delete;

    THost& Host;
    TByteDocument Doc;
    TGridGeometry Geo;
    TActions Actions;
    int Language = LangEnglish;
    // Options, window placement, folders and recent files (HexMode lives in Geo).
    TSettings Settings;

    // Takes the number of a new user operation; every action it records carries it.
    std::int32_t NextGroup() { return ++Doc.GroupCounter; }
};
