#include "core/action_history.h"

#include "core/editor_state.h"
#include "platform/host.h"

bool TActions::AddAction(std::unique_ptr<TAction> action, bool show) {
    // A new change drops everything that could have been redone.
    List.resize(static_cast<std::size_t>(UndoIndex + 1));
    if (List.size() >= MaxCount) {
        List.erase(List.begin(), List.begin() + static_cast<std::ptrdiff_t>(TrimCount));
        UndoIndex = Count() - 1;
    }
    ++UndoIndex;
    List.push_back(std::move(action));
    TAction& a = *List.back();

    THost& host = State.Host;
    if (!a.DoAction(State)) {
        a.SetDoActionCursorPos(State);
        host.RequestRelayout();
        host.PaintPendingUpdates();
        Forget();
        return false;
    }
    if (show) {
        // Lay out first: the cursor can only land on a byte of a line the layout counts (an
        // appended byte on a new line would otherwise be clamped to the old last line).
        if (a.SizeChanged()) {
            host.RequestRelayout();
        }
        a.SetDoActionCursorPos(State);
        host.PaintPendingUpdates();
    }
    return true;
}

void TActions::UpdateView() {
    if (!CanUndo()) {
        return;
    }
    // A batch may have changed the byte count: the layout must know the new lines before the
    // cursor is put on one of them.
    State.Host.RequestRelayout();
    const TAction& a = At(UndoIndex);
    State.Geo.SetCursorToByte(a.Position, a.WasInCharArea, false);
}

void TActions::FinishStep(TAction& a, bool undo) {
    THost& host = State.Host;
    if (a.SizeChanged()) {
        host.RequestRelayout();
        undo ? a.SetUndoActionCursorPos(State) : a.SetDoActionCursorPos(State);
        host.InvalidateView();
    } else {
        undo ? a.SetUndoActionCursorPos(State) : a.SetDoActionCursorPos(State);
        host.RequestRelayout();
    }
}

void TActions::Undo() {
    if (!CanUndo()) {
        return;
    }
    const std::int32_t g = At(UndoIndex).Group;
    bool ok = true;
    TAction* last = nullptr;
    while (ok && CanUndo() && At(UndoIndex).Group == g) {
        last = List[static_cast<std::size_t>(UndoIndex)].get();
        ok = last->UndoAction(State);
        --UndoIndex;
    }
    if (!ok) {
        Forget();
        State.Host.RequestRelayout();
    } else {
        FinishStep(*last, true);
    }
    State.Host.PaintPendingUpdates();
}

void TActions::Redo() {
    if (!CanRedo()) {
        return;
    }
    const std::int32_t g = At(UndoIndex + 1).Group;
    bool ok = true;
    TAction* last = nullptr;
    while (ok && CanRedo() && At(UndoIndex + 1).Group == g) {
        ++UndoIndex;
        last = List[static_cast<std::size_t>(UndoIndex)].get();
        ok = last->DoAction(State);
    }
    if (!ok) {
        Forget();
        State.Host.RequestRelayout();
    } else {
        FinishStep(*last, false);
    }
    State.Host.PaintPendingUpdates();
}

void TActions::Forget() {
    List.clear();
    UndoIndex = -1;
}

std::string TActions::ActionName(std::int32_t index) const {
    return ActionKindName(At(index).Kind, State.Language);
}

std::string TActions::StepName(std::int32_t n, std::int32_t index) const {
    std::string text = "(";
    if (n != 1) {
        text += std::to_string(n) + " * ";
    }
    return text + ActionName(index) + ")";
}

std::string TActions::UndoName() const {
    if (!CanUndo()) {
        return {};
    }
    const std::int32_t g = At(UndoIndex).Group;
    std::int32_t a = UndoIndex;
    while (a >= 0 && At(a).Group == g) {
        --a;
    }
    return StepName(UndoIndex - a, UndoIndex);
}

std::string TActions::RedoName() const {
    if (!CanRedo()) {
        return {};
    }
    const std::int32_t g = At(UndoIndex + 1).Group;
    std::int32_t i = UndoIndex;
    while (i < Count() - 1 && At(i + 1).Group == g) {
        ++i;
    }
    return StepName(i - UndoIndex, UndoIndex + 1);
}
