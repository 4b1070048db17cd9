#pragma once

#include "core/action.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEditorState;

// The one history of recorded actions. Consecutive actions with the same group are one user
// operation and are undone and redone together.
class TActions {
public:
    static constexpr std::size_t MaxCount = 512;
    static constexpr std::size_t TrimCount = 256;

    explicit TActions(TEditorState& state) : State(state) {}
    TActions(const TActions&) = delete;
    TActions& operator=(const TActions&) = delete;

    // Index of the newest action that is done; -1 when nothing can be undone.
    std::int32_t UndoIndex = -1;

    // Records the action and performs it. show: a single interactive change whose cursor and
    // view follow at once; batches pass false and call UpdateView at the end. Answers false when
    // the action ran out of memory; the history is then empty.
    bool AddAction(std::unique_ptr<TAction> action, bool show);
    void UpdateView();
    void Undo();
    void Redo();
    void Forget();

    bool CanUndo() const { return UndoIndex >= 0; }
    bool CanRedo() const { return UndoIndex < Count() - 1; }
    std::int32_t Count() const { return static_cast<std::int32_t>(List.size()); }
    const TAction& At(std::int32_t index) const { return *List[static_cast<std::size_t>(index)]; }

    std::string ActionName(std::int32_t index) const;
    std::string UndoName() const;
    std::string RedoName() const;

private:
    // "(" [n " * "] name ")" for a step of n actions named after the action at index.
    std::string StepName(std::int32_t n, std::int32_t index) const;
    // Cursor, relayout and repaint after the last action a of an undo or redo step.
    void FinishStep(TAction& a, bool undo);

    TEditorState& State;
    std::vector<std::unique_ptr<TAction>> List;
};
