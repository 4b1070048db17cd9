#pragma once

#include "core/editor_state.h"
#include "platform/host.h"
#include "support/document_bytes.h"

#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A host that records what the model asks of the screen and answers message boxes from a
// script (OK when the script is empty).
class TRecordingHost : public THost {
public:
    struct TMessage {
        std::string Text;
        TMsgDlgType Kind;
        TMsgDlgButtons Buttons;
        std::optional<TMsgDlgBtn> DefaultButton; // set by MessageDialogDefault
    };

    TGridGeometry* Geo = nullptr; // scroll positions land here, as the scroll bar would
    std::vector<std::string> Calls;
    std::vector<TMessage> Messages;
    std::deque<int> Answers;
    int Beeps = 0;
    int Relayouts = 0;
    int Refreshes = 0;

    void RedrawCursorCells(bool show, bool withCharLine) override {
        Calls.push_back(std::string("redraw ") + (show ? "show" : "hide") +
                        (withCharLine ? " +line" : ""));
    }
    void InvalidateView() override { Calls.push_back("invalidate"); }
    void PaintPendingUpdates() override { Calls.push_back("paint"); }
    // Runs on every relayout request, as the main window lays out again (nothing by default).
    std::function<void()> OnRelayout;

    void RequestRelayout() override {
        ++Relayouts;
        Calls.push_back("relayout");
        if (OnRelayout) {
            OnRelayout();
        }
    }
    void SetScrollPosition(std::int32_t topLine) override {
        Calls.push_back("scroll " + std::to_string(topLine));
        if (Geo != nullptr) {
            Geo->TopLine = topLine;
        }
    }
    void RestartCursorBlink() override {}
    void ShowCursorStatus() override {}
    void RefreshCommandState() override { ++Refreshes; }
    int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int) override {
        Messages.push_back({text, kind, buttons, std::nullopt});
        if (Answers.empty()) {
            return mrOk;
        }
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Beep() override { ++Beeps; }

    // --- files ---
    // File dialogs are answered from their own scripts (cancelled when empty) and recorded.
    std::deque<std::optional<std::string>> OpenAnswers;
    std::deque<std::optional<std::string>> SaveAnswers;
    std::vector<TFileDialogRequest> OpenRequests;
    std::vector<TFileDialogRequest> SaveRequests;
    std::string Title;

    int MessageDialogDefault(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                             int helpContext, TMsgDlgBtn defaultButton) override {
        const int answer = MessageDialog(text, kind, buttons, helpContext);
        Messages.back().DefaultButton = defaultButton;
        return answer;
    }
    std::optional<std::string> ExecuteOpenDialog(const TFileDialogRequest& request) override {
        OpenRequests.push_back(request);
        return NextDialogAnswer(OpenAnswers);
    }
    std::optional<std::string> ExecuteSaveDialog(const TFileDialogRequest& request) override {
        SaveRequests.push_back(request);
        return NextDialogAnswer(SaveAnswers);
    }
    void SetWindowTitle(const std::string& text) override { Title = text; }

private:
    static std::optional<std::string> NextDialogAnswer(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) {
            return std::nullopt;
        }
        auto answer = q.front();
        q.pop_front();
        return answer;
    }
};

// A fresh editor state over a recording host, laid out with an 8 x 15 pixel grid font and ten
// visible lines.
struct TEditorFixture {
    TRecordingHost Host;
    TEditorState State{Host};
    TByteDocument& Doc = State.Doc;
    TGridGeometry& Geo = State.Geo;
    TActions& Actions = State.Actions;

    static constexpr TFontMetrics Font{8, 15};

    TEditorFixture() {
        Host.Geo = &State.Geo;
        Relayout();
    }

    void Relayout() {
        Geo.ComputeLayout(Font);
        Geo.VisibleLines = 10;
    }

    // Replaces the document as a load would: bytes, optional marks, ChangeCount 0.
    void Load(const std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& marks = {}) {
        ReplaceDocument(Doc, bytes, marks);
        Actions.Forget();
        Relayout();
        Geo.PlaceCursor(0, 0, false);
    }

    std::vector<std::uint8_t> DataBytes() const { return {Doc.Data, Doc.Data + Doc.Size}; }
    std::vector<std::uint8_t> MarkCodes() const { return {Doc.Marks, Doc.Marks + Doc.Size}; }
};
