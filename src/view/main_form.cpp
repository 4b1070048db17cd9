#include "view/main_form.h"

#include "core/edit_commands.h"
#include "core/editor_state.h"
#include "core/status_text.h"
#include "dialogs/message_form.h"
#include "files/file_commands.h"
#include "i18n/captions.h"
#include "i18n/key_table.h"
#include "i18n/language_texts.h"
#include "i18n/menu_table.h"
#include "i18n/toolbar_table.h"
#include "platform/deferred_host.h"
#include "view/bevel.h"
#include "view/display_char.h"
#include "view/glyphs/tool_bar_glyphs.h"
#include "view/lumo_box.h"
#include "view/lumo_main_panel.h"
#include "view/paint_cells.h"
#include "view/speed_button.h"
#include "view/status_bar.h"
#include "view/window_placement.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int SpeedPanelHeight = 37;

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

// Menu texts treat "&" as the access key; a file name shows its own "&" as it is.
QString Literal(const QString& text) {
    QString escaped = text;
    escaped.replace('&', "&&");
    return escaped;
}

QIcon SwatchIcon(int code) {
    QPixmap pixmap(12, 12);
    const TRgb c = MarkColor(static_cast<std::uint8_t>(code));
    pixmap.fill(QColor(c.R, c.G, c.B));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

// The conditions under which the items and buttons are enabled.
const std::vector<std::string> DocumentItems = {
    "FileSaveMainMenuItem",
    "FileSaveAsMainMenuItem",
    "CompareMenuItem",
    "FilePrintMainMenuItem",
    "FileInfoStatistikMainMenuItem",
    "DeleteByteMainMenuItem",
    "DeleteBytesMainMenuItem",
    "InsertByteMainMenuItem",
    "InsertBytesMainMenuItem",
    "FindMainMenuItem",
    "ReplaceMainMenuItem",
    "FindAndMarkMainMenuItem",
    "GotoMainMenuItem",
    "GotoNextIdenticalByteMainMenuItem",
    "GotoPreviousIdenticalByteMainMenuItem",
    "MarkRedMainMenuItem",
    "MarkGreenMainMenuItem",
    "MarkBlueMainMenuItem",
    "MarkCyanMainMenuItem",
    "MarkMagentaMainMenuItem",
    "MarkYellowMainMenuItem",
    "MarkUnmarkMainMenuItem",
    "MarkUnmarkAllMainMenuItem",
    "MarkGotoNextMainMenuItem",
    "MarkGotoPreviousMainMenuItem",
    "MarkGotoNextMainMenu",
    "MarkGotoPreviuosMainMenu",
    "MarkGotoNextIdenticalMainMenuItem",
    "MarkGotoPreviousIdenticalMainMenuItem",
    "MarkOpenMainMenuItem",
    "MarkSaveAsMainMenuItem",
    "MarkRedPopUpMenuItem",
    "MarkGreenPopUpMenuItem",
    "MarkBluePopUpMenuItem",
    "MarkCyanPopUpMenuItem",
    "MarkMagentaPopUpMenuItem",
    "MarkYellowPopUpMenuItem",
    "MarkUnmarkPopUpMenuItem",
    "MarkGotoNextPopUpMenuItem",
    "MarkGotoPreviousPopUpMenuItem",
    "MarkGotoNextIdenticalPopUpMenuItem",
    "MarkGotoPreviousIdenticalPopUpMenuItem",
    "GotoNextIdenticalBytePopUpMenuItem",
    "GotoPreviousIdenticalBytePopUpMenuItem",
    "SaveSB",
    "SaveAsSB",
    "PrintSB",
    "InfoSB",
    "FindSB",
    "ReplaceSB",
    "FindAndMarkSB",
};
const std::vector<std::string> FindAgainItems = {
    "FindNextMainMenuItem", "FindPreviousMainMenuItem", "CtrlLAcc", "ShiftCtrlLAcc",
    "FindNextSB",           "FindPreviousSB",
};
const std::vector<std::string> CheckedItems = {
    "OptionHexMainMenuItem",
    "OptionDecMainMenuItem",
    "OptionNoUnknownMenuItem",
    "KeepmarksonloadMenuItem",
    "CreatebackupfilesMenuItem",
    "OverwriteWarnMenuItem",
    "OptionPrintMarksHatchedMenuItem",
    "OptionPrintMarksUsingColorsMenuItem",
    "OptionDoNotPrintMarksMenuItem",
    "EnglishMenuItem",
    "DeutschMenuItem",
};

// Whether a key event that no shortcut took is typing. Editing, navigation and function keys
// carry control characters as their text (Del 7F, Esc 1B, Enter 0D, Backspace 08) and never
// type, with or without modifiers, also when their own item is disabled; nor does a key with
// Ctrl, Alt or Meta.
bool TypesCharacter(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    if ((modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier ||
        text.isEmpty()) {
        return false;
    }
    if (key >= Qt::Key_Escape && key != Qt::Key_unknown) {
        return false; // the special keys, from Escape up
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

} // namespace

const std::vector<std::string>& TVkoEditorMainForm::PendingHandlers() {
    // Their commands come with the marks, search, dialogs, compare, statistic, printing,
    // clipboard and auxiliary work; until then their items and buttons stay disabled.
    static const std::vector<std::string> pending = {
        "LoadFromClipboardMainMenuItemClick",
        "CompareMenuItemClick",
        "MarkOpenMainMenuItemClick",
        "MarkSaveAsMainMenuItemClick",
        "DoPrint",
        "FileInfoStatistikMainMenuItemClick",
        "DeleteBytesMainMenuItemClick",
        "InsertBytesMainMenuItemClick",
        "AppendBytesMainMenuItemClick",
        "FindMainMenuItemClick",
        "FindPreviousMainMenuItemClick",
        "FindNextMainMenuItemClick",
        "ReplaceMainMenuItemClick",
        "FindAndMarkMainMenuItemClick",
        "DoGoto",
        "GotoPreviousIdenticalByteMainMenuItemClick",
        "GotoNextIdenticalByteMainMenuItemClick",
        "DoMarkRed",
        "DoMarkGreen",
        "DoMarkBlue",
        "DoMarkCyan",
        "DoMarkMagenta",
        "DoMarkYellow",
        "DoUnmark",
        "DoUnmarkAll",
        "DoGotoPreviousMark",
        "DoGotoNextMark",
        "MarkGotoPreviousRedMainMenuItemClick",
        "MarkGotoPreviousGreenMainMenuItemClick",
        "MarkGotoPreviousBlueMainMenuItemClick",
        "MarkGotoPreviousCyanMainMenuItemClick",
        "MarkGotoPreviousMagentaMainMenuItemClick",
        "MarkGotoPreviousYellowMainMenuItemClick",
        "MarkGotoNextRedMainMenuItemClick",
        "MarkGotoNextGreenMainMenuItemClick",
        "MarkGotoNextBlueMainMenuItemClick",
        "MarkGotoNextCyanMainMenuItemClick",
        "MarkGotoNextMagentaMainMenuItemClick",
        "MarkGotoNextYellowMainMenuItemClick",
        "MarkGotoPreviousIdenticalMainMenuItemClick",
        "MarkGotoNextIdenticalMainMenuItemClick",
        "HilfeInhaltMenuItemClick",
        "Info2Click",
        "CalcSBClick",
        "TabSBClick",
    };
    return pending;
}

TVkoEditorMainForm::TVkoEditorMainForm(TEditorState& state, TFileCommands& files,
                                       TEditCommands& edit, const TMainFormSetup& setup)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      S(state), Files(files), Edit(edit), Arguments(setup.Arguments),
      Cells(std::make_unique<TCellPainter>(state.Geo, MakeGridFont())) {
    if (setup.Host != nullptr) {
        Binding = setup.Host;
        Binding->Target = this;
    }
    setObjectName("VkoEditorMainForm");
    resize(540, 450);
    FormCreate(setup);
}

TVkoEditorMainForm::~TVkoEditorMainForm() {
    if (Binding != nullptr) {
        Binding->Target = nullptr;
    }
    // FormDestroy: the placement is kept for the next start.
    TSettings& o = S.Settings;
    o.Left = x();
    o.Top = y();
    o.Height = height();
    o.Width = width();
}

void TVkoEditorMainForm::FormCreate(const TMainFormSetup& setup) {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    SpeedPanel = new QWidget(client);
    SpeedPanel->setObjectName("SpeedPanel");
    SpeedPanel->setGeometry(0, 0, width(), SpeedPanelHeight);
    Bevel1 = new TBevel(SpeedPanel);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setGeometry(0, 0, width(), 8);

    MainPanel = new TLumoMainPanel(S, *Cells, client);
    MainPanel->setObjectName("LumoMainPanel");

    Box = new TLumoBox(S, *Cells, MainPanel);
    Box->setObjectName("LumoBox");
    Box->SetBorderStyle(TLumoBox::TBorderStyle::None);
    Box->VScrollBar.OnScroll = [this](TLumoScrollBar&) { ViewScrolled(); };
    Box->OnMouseDown = [this](QMouseEvent& e) { ViewMouseDown(e); };
    Box->OnMouseMove = [this](QMouseEvent& e) { ViewMouseMove(e); };
    Box->OnMouseUp = [this](QMouseEvent& e) { ViewMouseMove(e); };

    Blink = new QTimer(this);
    Blink->setObjectName("CursorTimer");
    Blink->setInterval(500);
    connect(Blink, &QTimer::timeout, this, &TVkoEditorMainForm::CursorTimerTimer);
    Blink->start();

    BuildMenus();
    BuildSpeedButtons();
    BuildStatusBar();

    // The menu bar is measured by the first layout: it needs its captions for that, or it
    // answers the height of an empty bar and the stored height loses a line at every start.
    ApplyLanguage();

    // Placement: the stored one when the dialog font is still the same, moved aside for a
    // second copy, and kept on the screen whatever the settings held.
    const TSettings& o = S.Settings;
    TPlacementInput in;
    in.Platform = {x(), y(), width(), height()};
    in.UseStored = o.DialogBaseUnits == setup.DialogBaseUnits && o.DialogBaseUnits != 0;
    in.Stored = {o.Left, o.Top, o.Width, o.Height};
    in.SecondCopy = !setup.FirstInstance;
    if (in.SecondCopy) {
        auto* random = QRandomGenerator::global();
        in.R = static_cast<int>(random->bounded(5));
        in.S = static_cast<int>(random->bounded(5));
    }
    const QRect screen = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1024, 768);
    in.Screen = {screen.x(), screen.y(), screen.width(), screen.height()};
    const TWindowRect wanted = PlaceMainWindow(in);
    resize(static_cast<int>(wanted.Width), static_cast<int>(wanted.Height));

    LayoutReady = true;
    RequestRelayout();

    // The layout gave the width of the grid and a height of whole lines; the screen's edges are
    // kept with the size the window took, with its frame where the platform knows it.
    if (in.UseStored || in.SecondCopy) {
        winId(); // the native window knows its frame, where the platform draws one
        const QSize outer = frameGeometry().size();
        in.Stored = {in.UseStored ? in.Stored.Left : in.Platform.Left,
                     in.UseStored ? in.Stored.Top : in.Platform.Top, outer.width(), outer.height()};
        in.UseStored = true;
        const TWindowRect place = PlaceMainWindow(in);
        move(static_cast<int>(place.Left), static_cast<int>(place.Top));
    } // otherwise the platform places the window when it is shown

    Files.SetDocumentName("");
    Box->SetAcceptFiles(true);
    MainPanel->SetAcceptFiles(true);
    auto drop = [this](const std::vector<std::string>& names) { Files.DropFiles(names); };
    Box->OnDropFiles = drop;
    MainPanel->OnDropFiles = drop;
}

// --- building ---

void TVkoEditorMainForm::BuildMenus() {
    Handlers = {
        {"NewMainMenuItemClick", [this] { Files.NewMainMenuItemClick(); }},
        {"DoOpenFromFile", [this] { Files.DoOpenFromFile(); }},
        {"DoSave", [this] { Files.DoSave(); }},
        {"DoSaveAs", [this] { Files.DoSaveAs(); }},
        {"File0MenuItemClick", [this] { Files.FileMenuItemClick(0); }},
        {"File1MenuItemClick", [this] { Files.FileMenuItemClick(1); }},
        {"File2MenuItemClick", [this] { Files.FileMenuItemClick(2); }},
        {"File3MenuItemClick", [this] { Files.FileMenuItemClick(3); }},
        {"File4MenuItemClick", [this] { Files.FileMenuItemClick(4); }},
        {"EndMainMenuItemClick", [this] { EndMainMenuItemClick(); }},
        {"EditUndoMainMenuItemClick", [this] { Edit.EditUndoMainMenuItemClick(); }},
        {"EditRedoMainMenuItemClick", [this] { Edit.EditRedoMainMenuItemClick(); }},
        {"DoDelete", [this] { Edit.DoDelete(); }},
        {"DoInsert", [this] { Edit.DoInsert(); }},
        {"DoAppendByte", [this] { Edit.DoAppendByte(); }},
        {"DoBackspace", [this] { Edit.DoBackspace(); }},
        {"DoUp", [this] { Edit.DoUp(); }},
        {"DoDown", [this] { Edit.DoDown(); }},
        {"DoPageUp", [this] { Edit.DoPageUp(); }},
        {"DoPageDown", [this] { Edit.DoPageDown(); }},
        {"DoLeft", [this] { Edit.DoLeft(); }},
        {"DoRight", [this] { Edit.DoRight(); }},
        {"DoHome", [this] { Edit.DoHome(); }},
        {"DoEnd", [this] { Edit.DoEnd(); }},
        {"DoTab", [this] { Edit.DoTab(); }},
        {"HexClick", [this] { HexClick(); }},
        {"DecClick", [this] { DecClick(); }},
        {"EnglishMenuItemClick", [this] { EnglishMenuItemClick(); }},
        {"DeutschMenuItemClick", [this] { DeutschMenuItemClick(); }},
        {"OptionNoUnknownMenuItemClick", [this] { OptionNoUnknownMenuItemClick(); }},
        {"OptionPrintMarksHatchedMenuItemClick",
         [this] { OptionPrintMarksHatchedMenuItemClick(); }},
        {"OptionPrintMarksUsingColorsMenuItemClick",
         [this] { OptionPrintMarksUsingColorsMenuItemClick(); }},
        {"OptionDoNotPrintMarksMenuItemClick", [this] { OptionDoNotPrintMarksMenuItemClick(); }},
        {"CreatebackupfilesMenuItemClick", [this] { Files.CreatebackupfilesMenuItemClick(); }},
        {"OverwriteWarnMenuItemClick", [this] { Files.OverwriteWarnMenuItemClick(); }},
        {"KeepmarksonloadMenuItemClick", [this] { Files.KeepmarksonloadMenuItemClick(); }},
    };

    Popup = new QMenu(this);
    Popup->setObjectName(PopupMenuName);
    std::map<int, QActionGroup*> radioGroups;
    for (const TMenuEntry& e : MenuEntries()) {
        const std::string name = e.Name;
        const std::string parent = e.Parent;
        if (e.Kind == TMenuEntryKind::Menu) {
            if (e.NeverShown) {
                continue; // the shortcut-only items hang on the window itself
            }
            QMenu* menu = menuBar()->addMenu(QString());
            menu->setObjectName(e.Name);
            Menus[name] = menu;
            Items[name] = menu->menuAction();
            continue;
        }
        QMenu* owner = parent == PopupMenuName ? Popup : nullptr;
        if (owner == nullptr && Menus.count(parent) != 0) {
            owner = Menus[parent];
        }
        if (e.Kind == TMenuEntryKind::Submenu) {
            QMenu* sub = owner->addMenu(QString());
            sub->setObjectName(e.Name);
            Menus[name] = sub;
            Items[name] = sub->menuAction();
            continue;
        }
        QAction* action = nullptr;
        if (e.Kind == TMenuEntryKind::Separator) {
            action = owner->addSeparator();
        } else if (e.NeverShown) {
            action = new QAction(this);
            addAction(action);
        } else {
            action = owner->addAction(QString());
        }
        action->setObjectName(e.Name);
        Items[name] = action;
        if (e.Kind == TMenuEntryKind::Separator) {
            continue;
        }
        if (e.Kind == TMenuEntryKind::Radio || e.Kind == TMenuEntryKind::Check) {
            action->setCheckable(true);
        }
        if (e.Kind == TMenuEntryKind::Radio) {
            QActionGroup*& group = radioGroups[e.RadioGroup];
            if (group == nullptr) {
                group = new QActionGroup(this);
                group->setExclusive(true);
            }
            group->addAction(action);
        }
        if (e.SwatchCode >= 0) {
            action->setIcon(SwatchIcon(e.SwatchCode));
        }
        ItemHandler[name] = e.Handler;
        const std::string handler = e.Handler;
        connect(action, &QAction::triggered, this, [this, handler] { Dispatch(handler); });
        if (!Implemented(handler)) {
            action->setEnabled(false);
        }
    }
}

void TVkoEditorMainForm::BuildSpeedButtons() {
    for (const TSpeedButtonEntry& b : SpeedButtonEntries()) {
        auto* button = new TModernSpeedButton(SpeedPanel);
        button->setObjectName(b.Name);
        button->resize(b.Width, b.Height);
        button->SetNumGlyphs(b.NumGlyphs);
        button->SetGlyph(ToolBarGlyph(b.Name));
        if (b.Face[0] != 0 && button->Glyph().isNull()) {
            button->SetCaption(b.Face);
        }
        const std::string handler = b.Handler;
        connect(button, &TModernSpeedButton::Clicked, this, [this, handler] { Dispatch(handler); });
        button->setEnabled(Implemented(handler));
        Buttons[b.Name] = button;
    }
    SpeedPanelResize();
}

void TVkoEditorMainForm::BuildStatusBar() {
    auto* bar = new TStatusBar(this);
    bar->setObjectName("StatusBar");
    setStatusBar(bar);
    for (int i = 0; i < 3; ++i) {
        StatusPanels.push_back(&bar->Panel(i));
    }
}

bool TVkoEditorMainForm::Implemented(const std::string& handler) const {
    return Handlers.count(handler) != 0;
}

void TVkoEditorMainForm::Dispatch(const std::string& handler) {
    const auto it = Handlers.find(handler);
    if (it != Handlers.end() && it->second) {
        it->second();
    }
}

QAction* TVkoEditorMainForm::Item(const std::string& name) const {
    const auto it = Items.find(name);
    return it == Items.end() ? nullptr : it->second;
}

QMenu* TVkoEditorMainForm::Menu(const std::string& name) const {
    const auto it = Menus.find(name);
    return it == Menus.end() ? nullptr : it->second;
}

TModernSpeedButton* TVkoEditorMainForm::SpeedButton(const std::string& name) const {
    const auto it = Buttons.find(name);
    return it == Buttons.end() ? nullptr : it->second;
}

void TVkoEditorMainForm::SpeedPanelResize() {
    for (const auto& [name, button] : Buttons) {
        const TSpeedButtonEntry* entry = FindSpeedButton(name);
        const TButtonPlace at = SpeedButtonPlace(SpeedPanel->width(), SpeedPanel->height(),
                                                 button->width(), button->height(), entry->K);
        button->move(at.Left, at.Top);
    }
    Bevel1->setGeometry(0, 0, SpeedPanel->width(), 8);
}

// --- language ---

void TVkoEditorMainForm::ApplyLanguage() {
    ForEachLanguageText(S.Language, [this](const TLanguageText& t) {
        const std::string name = t.Component;
        switch (t.Kind) {
        case TLanguageTextKind::Caption:
            if (Menus.count(name) != 0) {
                Menus[name]->setTitle(t.Text);
            }
            ItemCaption[name] = t.Text;
            break;
        case TLanguageTextKind::Hint:
            if (TModernSpeedButton* b = SpeedButton(name)) {
                b->SetHint(t.Text);
            }
            break;
        case TLanguageTextKind::ShortCut:
            ItemShortCut[name] = t.Text;
            break;
        case TLanguageTextKind::ValuePrefix:
            ValuePrefixText = t.Text;
            break;
        case TLanguageTextKind::DialogTitle:
            break; // the file commands title their dialogs
        }
    });
    if (TModernSpeedButton* b = SpeedButton(VisibleDecimalButton(S.Language))) {
        b->show();
    }
    if (TModernSpeedButton* b = SpeedButton(HiddenDecimalButton(S.Language))) {
        b->hide();
    }
    for (const TKeyBinding& k : KeyBindings()) {
        if (!k.ShownOnly) {
            if (QAction* a = Item(k.Component)) {
                a->setShortcut(QKeySequence(k.Key));
                a->setShortcutContext(Qt::WindowShortcut);
            }
        }
    }
    for (const TMenuEntry& e : MenuEntries()) {
        if (e.SwatchCode >= 0) {
            ItemCaption[e.Name] = QString::fromUtf8(MarkColorName(e.SwatchCode, S.Language));
        }
        ApplyItemText(e.Name);
    }
    RefreshCommandState();
    ShowCursorStatus();
    // The captions of the other language may need another menu bar height.
    RequestRelayout();
    InvalidateView();
}

void TVkoEditorMainForm::ApplyItemText(const std::string& name) {
    QAction* a = Item(name);
    if (a == nullptr || Menus.count(name) != 0 || a->isSeparator()) {
        return;
    }
    QString text = ItemCaption.count(name) != 0 ? ItemCaption[name] : QString();
    if (ItemShortCut.count(name) != 0 && !ItemShortCut[name].isEmpty()) {
        // Our own key names ("BkSp", "Strg+") stand after the tab, where the menu shows keys.
        text += '\t' + ItemShortCut[name];
    }
    a->setText(text);
}

void TVkoEditorMainForm::EnglishMenuItemClick() {
    S.Language = LangEnglish;
    ApplyLanguage();
}

void TVkoEditorMainForm::DeutschMenuItemClick() {
    S.Language = LangGerman;
    ApplyLanguage();
}

// --- options ---

void TVkoEditorMainForm::OptionNoUnknownMenuItemClick() {
    S.Settings.NoUnknown = !S.Settings.NoUnknown;
    InvalidateView();
    RefreshCommandState();
}

// The three print options form a group: each sets itself and clears the other two.
void TVkoEditorMainForm::SetPrintMarks(bool hatched, bool colors, bool none) {
    S.Settings.PrintMarksHatched = hatched;
    S.Settings.PrintMarksUsingColors = colors;
    S.Settings.DoNotPrintMarks = none;
    RefreshCommandState();
}

void TVkoEditorMainForm::OptionPrintMarksHatchedMenuItemClick() {
    SetPrintMarks(true, false, false);
}
void TVkoEditorMainForm::OptionPrintMarksUsingColorsMenuItemClick() {
    SetPrintMarks(false, true, false);
}
void TVkoEditorMainForm::OptionDoNotPrintMarksMenuItemClick() {
    SetPrintMarks(false, false, true);
}

void TVkoEditorMainForm::EndMainMenuItemClick() {
    close();
}

// --- display mode ---

void TVkoEditorMainForm::HexClick() {
    SwitchMode(true);
}
void TVkoEditorMainForm::DecClick() {
    SwitchMode(false);
}

void TVkoEditorMainForm::SwitchMode(bool hex) {
    if (S.Geo.HexMode == hex) {
        return;
    }
    // The next relayout converts the scroll position and puts the cursor back on its byte.
    (hex ? PendingToHex : PendingToDec) = true;
    PendingCursorRestore = true;
    PendingCursorByte = S.Geo.CursorByteIndex();
    PendingCursorInChars = S.Geo.InCharArea(S.Geo.CursorColumn);
    S.Geo.HexMode = hex;
    S.Geo.BytesPerLine = hex ? 16 : 10;
    RequestRelayout();
    RefreshCommandState();
}

// --- layout ---

int TVkoEditorMainForm::MenuBarHeight(int width) const {
    const int h = menuBar()->heightForWidth(width);
    return h > 0 ? h : menuBar()->sizeHint().height();
}

QSize TVkoEditorMainForm::Relayout(QSize proposed) {
    if (!LayoutReady || proposed.width() <= 0 || proposed.height() <= 0) {
        return proposed;
    }
    TGridGeometry& g = S.Geo;
    g.ComputeLayout(Cells->Metrics());
    Cells->LayoutChanged();

    const int statusHeight = statusBar()->sizeHint().height();
    const int frame = 2 * MainPanel->frameWidth();
    const int gridWidth = g.BytesPerLine * g.CellWidth + g.CharAreaWidth - 1;
    // The menu bar may wrap on a narrow window; measure it at the width the window will get.
    int menuHeight = MenuBarHeight(proposed.width());
    const int available = proposed.height() - menuHeight - SpeedPanelHeight - statusHeight - frame;
    g.VisibleLines = std::max(1, (available + 1) / g.LineHeight - 1);

    TLumoScrollBar& bar = Box->VScrollBar;
    if (bar.Range != g.LineCount || bar.PageSize != g.VisibleLines) {
        std::int32_t top = g.TopLine;
        if (PendingToDec) {
            top = static_cast<std::int32_t>(static_cast<std::int64_t>(top) * 16 / 10);
            PendingToDec = false;
        }
        if (PendingToHex) {
            top = static_cast<std::int32_t>(static_cast<std::int64_t>(top) * 10 / 16);
            PendingToHex = false;
        }
        bar.SetParams(g.LineCount, g.VisibleLines, top);
    }

    Box->SetClientSize(gridWidth, g.ViewHeight());
    const QSize viewSize = Box->OuterSize(gridWidth, g.ViewHeight());
    MainPanel->SetClientSize(viewSize.width() + g.AddressColumnWidth,
                             viewSize.height() + g.LineHeight);
    MainPanel->move(0, SpeedPanelHeight);
    MainPanel->PlaceView(*Box);
    const int panelWidth = MainPanel->width();
    SpeedPanel->setGeometry(0, 0, panelWidth, SpeedPanelHeight);
    SpeedPanelResize();

    menuHeight = MenuBarHeight(panelWidth);
    const QSize final(panelWidth,
                      MainPanel->height() + SpeedPanelHeight + statusHeight + menuHeight);

    LastTopLine = g.TopLine;
    if (PendingCursorRestore) {
        g.SetCursorToByte(PendingCursorByte, PendingCursorInChars, true);
    }
    g.ScrollCursorIntoView();
    PendingCursorRestore = false;
    MainPanel->update();
    Box->InvalidateView();
    return final;
}

void TVkoEditorMainForm::RequestRelayout() {
    if (InRelayout || !LayoutReady || size().isEmpty()) {
        return; // an empty size has nothing to lay out and must not fix the width at 0
    }
    InRelayout = true;
    const QSize final = Relayout(size());
    setFixedWidth(final.width());
    if (size() != final) {
        resize(final);
    }
    InRelayout = false;
}

void TVkoEditorMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Every size change lays out again, so the window snaps back to the grid.
    RequestRelayout();
}

// --- view events ---

void TVkoEditorMainForm::ViewScrolled() {
    ::ViewScrolled(*Box, *MainPanel, LastTopLine);
}

void TVkoEditorMainForm::ViewMouseDown(QMouseEvent& e) {
    const QPoint p = e.position().toPoint();
    const TGridCell cell = S.Geo.CellAtPixel(p.x(), p.y());
    S.Geo.PlaceCursor(cell.Column, cell.Line, true);
    MouseX = p.x();
    MouseY = p.y();
    ShowDistance();
    if (e.button() == Qt::RightButton) {
        Popup->popup(e.globalPosition().toPoint());
    }
}

void TVkoEditorMainForm::ViewMouseMove(QMouseEvent& e) {
    const QPoint p = e.position().toPoint();
    MouseX = p.x();
    MouseY = p.y();
    ShowDistance();
}

bool TVkoEditorMainForm::ClipboardHasFormat() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && !data->formats().isEmpty();
}

void TVkoEditorMainForm::CursorTimerTimer() {
    Box->BlinkCursor();
    const QPoint pointer = QCursor::pos();
    if (Box->PointerOutside(pointer) ||
        QApplication::widgetAt(pointer) != static_cast<QWidget*>(Box->viewport())) {
        if (MouseX >= 0 || MouseY >= 0) {
            MouseX = -1;
            MouseY = -1;
            StatusPanels[2]->clear();
        }
    }
    QAction* clip = Item("LoadFromClipboardMainMenuItem");
    const bool wanted = ClipboardHasFormat() && Implemented("LoadFromClipboardMainMenuItemClick");
    if (clip != nullptr && clip->isEnabled() != wanted) {
        RefreshCommandState();
    }
}

// --- status and command state ---

void TVkoEditorMainForm::ShowCursorStatus() {
    if (StatusPanels.empty()) {
        return;
    }
    if (S.Doc.Size <= 0) {
        StatusPanels[0]->clear();
        StatusPanels[1]->clear();
    } else {
        const std::int32_t i = S.Geo.CursorByteIndex();
        StatusPanels[0]->setText(FromUtf8(CursorPositionText(i)));
        if (i >= 0 && i < S.Doc.Size) {
            const std::uint8_t v = S.Doc.Data[i];
            const QString ch(QChar(Windows1252ToUnicode(v)));
            StatusPanels[1]->setText(
                FromUtf8(CursorValueText(ValuePrefixText.toStdString(), v, ch.toStdString())));
        } else {
            StatusPanels[1]->clear();
        }
    }
    ShowDistance();
    statusBar()->repaint();
}

void TVkoEditorMainForm::ShowDistance() {
    if (StatusPanels.empty()) {
        return;
    }
    if (S.Doc.Size == 0 || MouseX < 0 || MouseY < 0) {
        StatusPanels[2]->clear();
        return;
    }
    const TGridCell cell = S.Geo.CellAtPixel(MouseX, MouseY);
    const std::int64_t d = static_cast<std::int64_t>(S.Geo.ByteIndexAt(cell.Column, cell.Line)) -
                           S.Geo.CursorByteIndex();
    StatusPanels[2]->setText(FromUtf8(DistanceText(d)));
}

void TVkoEditorMainForm::SetEnabled(const std::string& name, bool on) {
    const auto handler = ItemHandler.find(name);
    if (handler != ItemHandler.end() && !Implemented(handler->second)) {
        on = false;
    }
    if (QAction* a = Item(name)) {
        a->setEnabled(on);
    }
    if (TModernSpeedButton* b = SpeedButton(name)) {
        const TSpeedButtonEntry* entry = FindSpeedButton(name);
        b->setEnabled(on && Implemented(entry->Handler));
    }
}

void TVkoEditorMainForm::SetChecked(const std::string& name, bool on) {
    if (QAction* a = Item(name)) {
        a->setChecked(on);
    }
}

void TVkoEditorMainForm::RefreshCommandState() {
    const TSettings& o = S.Settings;
    const bool german = IsGerman(S.Language);

    // Recent files.
    bool anyRecent = false;
    for (int i = 0; i < TSettings::RecentCount; ++i) {
        const std::string name = "File" + std::to_string(i) + "MenuItem";
        QAction* a = Item(name);
        const std::string& path = o.File[static_cast<std::size_t>(i)];
        if (a != nullptr) {
            a->setText(QString("&%1: ").arg(i + 1) +
                       Literal(QFile::decodeName(QByteArray::fromStdString(path))));
            a->setVisible(!path.empty());
        }
        anyRecent = anyRecent || !path.empty();
    }
    if (QAction* sep = Item(RecentFilesSeparatorName)) {
        sep->setVisible(anyRecent);
    }

    // Undo and redo captions.
    const auto stateCaption = [this](const std::string& name, const QString& caption) {
        ItemCaption[name] = caption;
        ApplyItemText(name);
    };
    stateCaption("EditUndoMainMenuItem", QString::fromUtf8(german ? "&Rückgängig" : "&Undo") + " " +
                                             FromUtf8(S.Actions.UndoName()));
    stateCaption("EditRedoMainMenuItem", QString::fromUtf8(german ? "&Wiederrufen" : "&Redo") +
                                             " " + FromUtf8(S.Actions.RedoName()));

    // Check marks.
    const bool checks[] = {S.Geo.HexMode,
                           !S.Geo.HexMode,
                           o.NoUnknown,
                           o.KeepMarksOnLoad,
                           o.CreateBackUp,
                           o.OverwriteWarning,
                           o.PrintMarksHatched,
                           o.PrintMarksUsingColors,
                           o.DoNotPrintMarks,
                           !german,
                           german};
    for (std::size_t i = 0; i < CheckedItems.size(); ++i) {
        SetChecked(CheckedItems[i], checks[i]);
    }

    // Enabled states.
    const bool document = S.Doc.Data != nullptr;
    for (const std::string& name : DocumentItems) {
        SetEnabled(name, document);
    }
    const bool findConfirmed = false; // the find dialog has not been confirmed yet
    for (const std::string& name : FindAgainItems) {
        SetEnabled(name, document && findConfirmed);
    }
    SetEnabled("LoadFromClipboardMainMenuItem", ClipboardHasFormat());
    SetEnabled("EditUndoMainMenuItem", S.Actions.CanUndo());
    SetEnabled("EditRedoMainMenuItem", S.Actions.CanRedo());
    for (const char* always :
         {"NewMainMenuItem", "FileOpenMainMenuItem", "EndMainMenuItem", "AppendByteMainMenuItem",
          "AppendBytesMainMenuItem", "HilfeInhaltMenuItem", "OpenSB", "HexSpeedButton",
          "DecSpeedButton", "DezSpeedButton"}) {
        SetEnabled(always, true);
    }
    ShowCursorStatus();
}

// --- the rest of the host ---

void TVkoEditorMainForm::RedrawCursorCells(bool show, bool withCharLine) {
    if (Box != nullptr && LayoutReady) {
        Box->RedrawCursorCells(show, withCharLine);
    }
}

void TVkoEditorMainForm::InvalidateView() {
    if (Box != nullptr) {
        Box->InvalidateView();
    }
}

void TVkoEditorMainForm::PaintPendingUpdates() {
    if (Box != nullptr && Box->isVisible()) {
        Box->viewport()->repaint();
    }
}

void TVkoEditorMainForm::SetScrollPosition(std::int32_t topLine) {
    if (Box != nullptr) {
        Box->VScrollBar.SetPosition(topLine);
    }
}

void TVkoEditorMainForm::RestartCursorBlink() {
    if (Blink != nullptr) {
        Blink->start();
    }
}

int TVkoEditorMainForm::MessageDialog(const std::string& text, TMsgDlgType kind,
                                      TMsgDlgButtons buttons, int helpContext) {
    if (MessageHook) {
        return MessageHook(text, kind, buttons, -1);
    }
    return ::MessageDialog(text, kind, buttons, helpContext);
}

int TVkoEditorMainForm::MessageDialogDefault(const std::string& text, TMsgDlgType kind,
                                             TMsgDlgButtons buttons, int helpContext,
                                             TMsgDlgBtn defaultButton) {
    if (MessageHook) {
        return MessageHook(text, kind, buttons, defaultButton);
    }
    return ::MessageDialogDefault(text, kind, buttons, helpContext, defaultButton);
}

void TVkoEditorMainForm::Beep() {
    ++BeepCount;
    QApplication::beep();
}

std::optional<std::string> TVkoEditorMainForm::RunFileDialog(const TFileDialogRequest& request,
                                                             bool save) {
    if (FileDialogHook) {
        return FileDialogHook(request, save);
    }
    QFileDialog dialog(this, FromUtf8(request.Title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.MustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true); // the commands ask
    } else if (request.MustExist) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    QStringList filters;
    for (const std::string& f : request.NameFilters) {
        filters << FromUtf8(f);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!request.DefaultSuffix.empty()) {
        dialog.setDefaultSuffix(FromUtf8(request.DefaultSuffix));
    }
    // File names travel as the bytes the system uses and are decoded only for the dialog.
    if (!request.FileName.empty()) {
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.FileName)));
    } else if (!request.InitialDir.empty()) {
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(request.InitialDir)));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::optional<std::string> TVkoEditorMainForm::ExecuteOpenDialog(const TFileDialogRequest& r) {
    return RunFileDialog(r, false);
}

std::optional<std::string> TVkoEditorMainForm::ExecuteSaveDialog(const TFileDialogRequest& r) {
    return RunFileDialog(r, true);
}

void TVkoEditorMainForm::SetWindowTitle(const std::string& text) {
    setWindowTitle(FromUtf8(text));
}

// --- window events ---

void TVkoEditorMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        // The command-line file is opened once the window is on the screen.
        QTimer::singleShot(0, this, [this] { Files.FormShow(Arguments); });
    }
}

void TVkoEditorMainForm::closeEvent(QCloseEvent* event) {
    if (Files.FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TVkoEditorMainForm::keyPressEvent(QKeyEvent* event) {
    if (!TypesCharacter(event->key(), event->modifiers(), event->text())) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    for (const char32_t ch : event->text().toUcs4()) {
        Edit.FormKeyPress(ch);
    }
    event->accept();
}

bool TVkoEditorMainForm::focusNextPrevChild(bool) {
    return false; // Tab and Shift+Tab belong to the cursor
}
