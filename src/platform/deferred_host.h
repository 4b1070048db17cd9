#pragma once

#include "platform/host.h"

// A host that forwards to the main window once it exists. The editor state is made before any
// window (the settings are read into it first), so it is given this host; until the window is
// there, nothing reaches a screen and a message box answers Cancel.
class TDeferredHost : public THost {
public:
    THost* Target = nullptr;

    void RedrawCursorCells(bool show, bool withCharLine) override {
        if (Target)
            Target->RedrawCursorCells(show, withCharLine);
    }
    void InvalidateView() override {
        if (Target)
            Target->InvalidateView();
    }
    void PaintPendingUpdates() override {
        if (Target)
            Target->PaintPendingUpdates();
    }
    void RequestRelayout() override {
        if (Target)
            Target->RequestRelayout();
    }
    void SetScrollPosition(std::int32_t topLine) override {
        if (Target)
            Target->SetScrollPosition(topLine);
    }
    void RestartCursorBlink() override {
        if (Target)
            Target->RestartCursorBlink();
    }
    void ShowCursorStatus() override {
        if (Target)
            Target->ShowCursorStatus();
    }
    void RefreshCommandState() override {
        if (Target)
            Target->RefreshCommandState();
    }
    int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int helpContext) override {
        return Target ? Target->MessageDialog(text, kind, buttons, helpContext) : mrCancel;
    }
    void Beep() override {
        if (Target)
            Target->Beep();
    }
    int MessageDialogDefault(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                             int helpContext, TMsgDlgBtn defaultButton) override {
        return Target
                   ? Target->MessageDialogDefault(text, kind, buttons, helpContext, defaultButton)
                   : mrCancel;
    }
    std::optional<std::string> ExecuteOpenDialog(const TFileDialogRequest& request) override {
        return Target ? Target->ExecuteOpenDialog(request) : std::nullopt;
    }
    std::optional<std::string> ExecuteSaveDialog(const TFileDialogRequest& request) override {
        return Target ? Target->ExecuteSaveDialog(request) : std::nullopt;
    }
    void SetWindowTitle(const std::string& text) override {
        if (Target)
            Target->SetWindowTitle(text);
    }
};
