#pragma once

#include "platform/host.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TCellPainter;
class TDeferredHost;
class TEditCommands;
class TEditorState;
class TFileCommands;
class TLumoBox;
class TLumoMainPanel;
class TModernSpeedButton;

// What the main window needs from the start-up code.
struct TMainFormSetup {
    // Another copy of the program was already running when this one started.
    bool FirstInstance = true;
    // The platform's dialog base units now (average character width low, height high 16 bits).
    std::int32_t DialogBaseUnits = 0;
    // The command-line arguments after the program name.
    std::vector<std::string> Arguments;
    // The host the editor state was made with; it forwards to the window while it exists.
    TDeferredHost* Host = nullptr;
};

// The program's one main window: menus, tool bar, ruler panel with the byte view, status bar.
// Every command arrives here as a menu item, a button, a key or a typed character and is handed
// to the commands; the window implements the host the commands talk to.
class TVkoEditorMainForm : public QMainWindow, public THost {
    Q_OBJECT
public:
    TVkoEditorMainForm(TEditorState& state, TFileCommands& files, TEditCommands& edit,
                       const TMainFormSetup& setup);
    ~TVkoEditorMainForm() override;

    // --- the host ---
    void RedrawCursorCells(bool show, bool withCharLine) override;
    void InvalidateView() override;
    void PaintPendingUpdates() override;
    void RequestRelayout() override;
    void SetScrollPosition(std::int32_t topLine) override;
    void RestartCursorBlink() override;
    void ShowCursorStatus() override;
    void RefreshCommandState() override;
    int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int helpContext) override;
    void Beep() override;
    int MessageDialogDefault(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                             int helpContext, TMsgDlgBtn defaultButton) override;
    std::optional<std::string> ExecuteOpenDialog(const TFileDialogRequest& request) override;
    std::optional<std::string> ExecuteSaveDialog(const TFileDialogRequest& request) override;
    void SetWindowTitle(const std::string& text) override;

    // --- commands of this window ---
    void ApplyLanguage();
    void HexClick();
    void DecClick();
    void EnglishMenuItemClick();
    void DeutschMenuItemClick();
    void OptionNoUnknownMenuItemClick();
    void OptionPrintMarksHatchedMenuItemClick();
    void OptionPrintMarksUsingColorsMenuItemClick();
    void OptionDoNotPrintMarksMenuItemClick();
    void EndMainMenuItemClick();
    void SpeedPanelResize();
    void ShowDistance();
    void CursorTimerTimer();
    void ViewScrolled();
    // Recomputes the layout for a proposed window size and answers the size the window takes.
    QSize Relayout(QSize proposed);

    // --- for tests and the start-up code ---
    QAction* Item(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;
    TModernSpeedButton* SpeedButton(const std::string& name) const;
    TEditorState& State() const { return S; }
    TLumoBox& View() const { return *Box; }
    TLumoMainPanel& Panel() const { return *MainPanel; }
    QWidget& SpeedPanelWidget() const { return *SpeedPanel; }
    QLabel& StatusPanel(int index) const { return *StatusPanels[static_cast<std::size_t>(index)]; }
    QTimer& CursorTimer() const { return *Blink; }
    QMenu& PopupMenu() const { return *Popup; }
    const QString& ValuePrefix() const { return ValuePrefixText; }
    // Handlers whose commands are not built yet; their items stay disabled.
    static const std::vector<std::string>& PendingHandlers();
    // Replaces the message boxes (tests answer them); nullptr shows the real ones.
    std::function<int(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int defaultButton)>
        MessageHook;
    std::function<std::optional<std::string>(const TFileDialogRequest&, bool save)> FileDialogHook;
    int BeepCount = 0;
    std::int32_t MouseX = -1;
    std::int32_t MouseY = -1;
    // Mode switch state consumed by the next relayout.
    bool PendingToHex = false;
    bool PendingToDec = false;
    bool PendingCursorRestore = false;
    std::int32_t PendingCursorByte = 0;
    bool PendingCursorInChars = false;
    std::int32_t LastTopLine = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void FormCreate(const TMainFormSetup& setup);
    void SwitchMode(bool hex);
    void SetPrintMarks(bool hatched, bool colors, bool none);
    void BuildMenus();
    void BuildSpeedButtons();
    void BuildStatusBar();
    void Dispatch(const std::string& handler);
    bool Implemented(const std::string& handler) const;
    void SetEnabled(const std::string& name, bool on);
    void SetChecked(const std::string& name, bool on);
    void ApplyItemText(const std::string& name);
    void ViewMouseDown(class QMouseEvent& e);
    void ViewMouseMove(class QMouseEvent& e);
    bool ClipboardHasFormat() const;
    int MenuBarHeight(int width) const;
    std::optional<std::string> RunFileDialog(const TFileDialogRequest& request, bool save);

    TEditorState& S;
    TDeferredHost* Binding = nullptr;
    TFileCommands& Files;
    TEditCommands& Edit;
    std::vector<std::string> Arguments;
    std::unique_ptr<TCellPainter> Cells;
    TLumoMainPanel* MainPanel = nullptr;
    TLumoBox* Box = nullptr;
    QWidget* SpeedPanel = nullptr;
    QWidget* Bevel1 = nullptr;
    std::vector<QLabel*> StatusPanels;
    QTimer* Blink = nullptr;
    QMenu* Popup = nullptr;
    std::map<std::string, QAction*> Items;
    std::map<std::string, QMenu*> Menus;
    std::map<std::string, std::string> ItemHandler;
    std::map<std::string, QString> ItemCaption;  // caption of the current language
    std::map<std::string, QString> ItemShortCut; // shortcut text of the current language
    std::map<std::string, TModernSpeedButton*> Buttons;
    std::map<std::string, std::function<void()>> Handlers;
    QString ValuePrefixText;
    bool InRelayout = false;
    bool LayoutReady = false;
    bool Shown = false;
};
