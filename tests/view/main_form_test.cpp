// The main window offscreen, driven with real key and mouse events.

#include "core/edit_commands.h"
#include "core/editor_state.h"
#include "core/status_text.h"
#include "files/file_commands.h"
#include "platform/deferred_host.h"
#include "support/document_bytes.h"
#include "view/display_char.h"
#include "view/lumo_box.h"
#include "view/lumo_main_panel.h"
#include "view/main_form.h"
#include "view/speed_button.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct MainForm : ::testing::Test {
    TDeferredHost Host;
    TEditorState State{Host};
    TFileCommands Files{State};
    TEditCommands Edit{State};
    std::unique_ptr<TVkoEditorMainForm> Form;
    std::vector<std::string> Messages;

    MainForm() {
        TMainFormSetup setup;
        setup.Host = &Host;
        Form = std::make_unique<TVkoEditorMainForm>(State, Files, Edit, setup);
        Form->MessageHook = [this](const std::string& text, TMsgDlgType, TMsgDlgButtons, int) {
            Messages.push_back(text);
            return mrNo;
        };
        Form->FileDialogHook = [](const TFileDialogRequest&, bool) {
            ADD_FAILURE() << "no file dialog expected";
            return std::optional<std::string>();
        };
        Form->ApplyLanguage();
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    // Replaces the document as a load does.
    void Load(const Bytes& bytes, const Bytes& marks = {}) {
        ReplaceDocument(State.Doc, bytes, marks);
        State.Actions.Forget();
        State.Geo.PlaceCursor(0, 0, false);
        Form->SetScrollPosition(0);
        Form->RequestRelayout();
        Form->RefreshCommandState();
    }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form.get(), static_cast<Qt::Key>(key), mods);
    }
    void Type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(Form.get(), c.toLatin1());
        }
    }
    TGridCell Cursor() const { return {State.Geo.CursorColumn, State.Geo.CursorLine}; }
    QString Status(int i) const { return Form->StatusPanel(i).text(); }
    int ChromeHeight() const {
        return Form->menuBar()->height() + Form->statusBar()->height() +
               Form->SpeedPanelWidget().height() + 2 * Form->Panel().frameWidth();
    }
};

// --- layout ---

TEST_F(MainForm, WindowHugsTheGridAndSnapsBack) {
    Load(Bytes(16 * 200, 7));
    const TGridGeometry& g = State.Geo;
    const QSize hugged = Form->size();
    EXPECT_EQ(hugged.height(), ChromeHeight() + (g.VisibleLines + 1) * g.LineHeight - 1);
    EXPECT_EQ(Form->Panel().width(), hugged.width());

    Form->resize(hugged.width() + 50, hugged.height() + 7);
    QTest::qWait(20);
    EXPECT_EQ(Form->width(), hugged.width());
    EXPECT_EQ(Form->height(), ChromeHeight() + (g.VisibleLines + 1) * g.LineHeight - 1);

    const int lines = g.VisibleLines;
    Form->resize(hugged.width(), hugged.height() + 3 * g.LineHeight + 5);
    QTest::qWait(20);
    EXPECT_EQ(g.VisibleLines, lines + 3);
    EXPECT_EQ(Form->height(), ChromeHeight() + (g.VisibleLines + 1) * g.LineHeight - 1);
}

TEST_F(MainForm, NarrowerWhileTheScrollBarIsHidden) {
    Load(Bytes(16, 1));
    const int fits = Form->width();
    EXPECT_FALSE(Form->View().verticalScrollBar()->isVisible());
    Load(Bytes(16 * 200, 1)); // as many address digits as 16 bytes
    EXPECT_TRUE(Form->View().verticalScrollBar()->isVisible());
    EXPECT_EQ(Form->width(), fits + Form->View().verticalScrollBar()->sizeHint().width());
    Load(Bytes(16, 1));
    EXPECT_EQ(Form->width(), fits);
}

TEST_F(MainForm, ModeSwitchKeepsTheCursorByte) {
    Load(Bytes(5000, 3));
    State.Geo.SetCursorToByte(1000, false, true);
    const int hexWidth = Form->width();
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(State.Geo.HexMode);
    EXPECT_EQ(State.Geo.CursorByteIndex(), 1000);
    EXPECT_EQ(Cursor(), (TGridCell{0, 100}));
    EXPECT_LE(State.Geo.TopLine, 100);
    EXPECT_GT(State.Geo.TopLine + State.Geo.VisibleLines, 100);
    EXPECT_LT(Form->width(), hexWidth);
    EXPECT_TRUE(Form->Item("OptionDecMainMenuItem")->isChecked());

    State.Geo.SetCursorToByte(1003, true, true);
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(State.Geo.CursorByteIndex(), 1003);
    EXPECT_TRUE(State.Geo.InCharArea(State.Geo.CursorColumn));
    EXPECT_EQ(Form->width(), hexWidth);
}

TEST_F(MainForm, SpeedButtonsSpreadOverThePanel) {
    const TModernSpeedButton* open = Form->SpeedButton("OpenSB");
    const TModernSpeedButton* dec = Form->SpeedButton("DecSpeedButton");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(dec, nullptr);
    const int w = Form->SpeedPanelWidget().width();
    EXPECT_NEAR(open->x() + open->width() / 2.0, w * 1.0 / 17, 1.0);
    EXPECT_NEAR(dec->x() + dec->width() / 2.0, w * 16.1 / 17, 1.0);
    EXPECT_EQ(open->y(), (37 - 24) / 2 + 1);
}

TEST(MainFormPlacement, StoredPlaceSecondCopyAndScreenEdges) {
    struct Case {
        const char* name;
        bool first;
        std::int32_t left, top;
        bool sameUnits;
    };
    const Case cases[] = {
        {"stored place restored", true, 100, 120, true},
        {"stored place of another dialog font ignored", true, 100, 120, false},
        {"second copy moved aside", false, 100, 120, true},
        {"pulled back from the right and bottom edges", true, 100000, 100000, true},
    };
    for (const Case& c : cases) {
        TDeferredHost host;
        TEditorState state(host);
        TFileCommands files(state);
        TEditCommands edit(state);
        state.Settings.Left = c.left;
        state.Settings.Top = c.top;
        state.Settings.Width = 500;
        state.Settings.Height = 400;
        state.Settings.DialogBaseUnits = 0x000F0006;
        TMainFormSetup setup;
        setup.Host = &host;
        setup.FirstInstance = c.first;
        setup.DialogBaseUnits = c.sameUnits ? 0x000F0006 : 0x00100007;
        TVkoEditorMainForm form(state, files, edit, setup);
        const QPoint at = form.pos();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        if (!c.sameUnits) {
            EXPECT_NE(at, QPoint(c.left, c.top)) << c.name;
        } else if (c.left > screen.width()) {
            // Against the size the window took: the grid's width, whole lines, its frame.
            EXPECT_EQ(at.x() + form.frameGeometry().width(), screen.width()) << c.name;
            EXPECT_EQ(at.y() + form.frameGeometry().height(), screen.height()) << c.name;
        } else if (c.first) {
            EXPECT_EQ(at, QPoint(c.left, c.top)) << c.name;
        } else {
            const QPoint step = at - QPoint(c.left, c.top);
            for (const int d : {step.x(), step.y()}) {
                EXPECT_TRUE(d >= 8 && d <= 40 && d % 8 == 0) << c.name << " moved by " << d;
            }
        }
    }
}

// --- language ---

std::vector<QString> AllTexts(const TVkoEditorMainForm& form) {
    std::vector<QString> texts;
    for (QAction* a : form.findChildren<QAction*>()) {
        texts.push_back(a->objectName() + "=" + a->text());
    }
    for (TModernSpeedButton* b : form.findChildren<TModernSpeedButton*>()) {
        texts.push_back(b->objectName() + "=" + b->Hint() + (b->isVisibleTo(&form) ? "+" : "-"));
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(MainForm, LanguageSwitchesEveryTextAndBack) {
    const std::vector<QString> english = AllTexts(*Form);
    Form->Item("DeutschMenuItem")->trigger();
    const std::vector<QString> german = AllTexts(*Form);
    EXPECT_NE(german, english);
    EXPECT_EQ(Form->Menu("FileMainMenuItem")->title(), "&Datei");
    EXPECT_EQ(Form->Item("EditRedoMainMenuItem")->text(), "&Wiederrufen \tUmsch+Strg+Z");
    EXPECT_TRUE(Form->Item("DeleteBytesMainMenuItem")->text().endsWith("\tUmsch+Entf"));
    EXPECT_TRUE(Form->Item("AppendByteMainMenuItem")->text().endsWith("\tStrg+Einfg"));
    EXPECT_TRUE(Form->Item("FindNextMainMenuItem")->text().endsWith("\tF3"));
    EXPECT_TRUE(Form->Item("DeutschMenuItem")->isChecked());
    EXPECT_TRUE(Form->SpeedButton("DezSpeedButton")->isVisibleTo(Form.get()));
    EXPECT_FALSE(Form->SpeedButton("DecSpeedButton")->isVisibleTo(Form.get()));
    EXPECT_EQ(Form->ValuePrefix(), "Wert:");

    Form->Item("EnglishMenuItem")->trigger();
    EXPECT_EQ(AllTexts(*Form), english);
    EXPECT_EQ(Form->Item("EditRedoMainMenuItem")->text(), "&Redo \tShift+Ctrl+Z");
    EXPECT_TRUE(Form->Item("DeleteBytesMainMenuItem")->text().endsWith("\tShift+Del"));
    EXPECT_TRUE(Form->Item("AppendByteMainMenuItem")->text().endsWith("\tCtrl+Ins"));
    EXPECT_EQ(State.Language, LangEnglish);
}

// --- keys, typing and the status bar ---

TEST_F(MainForm, TypingThroughTheKeyboard) {
    Load({0x4F, 0x00, 199});
    Key(Qt::Key_Right);
    Type("a"); // second digit of 4F
    EXPECT_EQ(State.Doc.Data[0], 0x4A);
    EXPECT_EQ(Cursor(), (TGridCell{2, 0}));
    Type("g");
    EXPECT_EQ(Form->BeepCount, 1);
    Key(Qt::Key_Tab); // the same byte's character
    EXPECT_EQ(Cursor(), (TGridCell{33, 0}));
    Type("Z");
    EXPECT_EQ(State.Doc.Data[1], 'Z');
    Key(Qt::Key_Backtab, Qt::ShiftModifier); // what the keyboard sends for Shift+Tab
    EXPECT_EQ(Cursor(), (TGridCell{4, 0}));
    EXPECT_EQ(Form->focusWidget() == nullptr || Form->focusWidget() == Form.get(), true);

    Key(Qt::Key_D, Qt::ControlModifier); // decimal: 199 on the hundreds digit of byte 2
    State.Geo.SetCursorToByte(2, false, true);
    Form->BeepCount = 0;
    Type("2");
    EXPECT_EQ(State.Doc.Data[2], 255);
    EXPECT_EQ(Form->BeepCount, 1);
}

// Typed text as the keyboard delivers it: a key event carrying the character.
void TypeText(QWidget* w, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

TEST_F(MainForm, TypingRules) {
    struct Case {
        const char* name;
        bool hex;
        std::uint8_t before;
        std::int32_t digit; // digit position in the cell; -1: the character area
        QString key;
        int after; // -1: refused
        bool beep;
    };
    const Case cases[] = {
        {"hex high nibble", true, 0x12, 0, "4", 0x42, false},
        {"hex low nibble, lower case", true, 0x4F, 1, "a", 0x4A, false},
        {"hex refuses g", true, 0x4F, 0, "g", -1, true},
        {"dec hundreds 2 over 199", false, 199, 0, "2", 255, true},
        {"dec hundreds 3 refused", false, 199, 0, "3", -1, true},
        {"dec hundreds 1", false, 99, 0, "1", 199, false},
        {"dec tens 5 under 250", false, 250, 1, "5", 250, false},
        {"dec tens 6 refused under 250", false, 250, 1, "6", -1, true},
        {"dec tens 0 under 255", false, 255, 1, "0", 205, false},
        {"dec ones 5 under 255", false, 255, 2, "5", 255, false},
        {"dec ones 6 refused under 255", false, 255, 2, "6", -1, true},
        {"dec ones 9 under 245", false, 245, 2, "9", 249, false},
        {"dec refuses letters", false, 5, 2, "x", -1, true},
        {"character", true, 0, -1, "Z", 'Z', false},
        {"character in Windows-1252", true, 0, -1, QString::fromUtf8("\u20AC"), 0x80, false},
        {"character outside Windows-1252", false, 7, -1, QString::fromUtf8("\u4E2D"), -1, true},
    };
    for (const Case& c : cases) {
        if (State.Geo.HexMode != c.hex) {
            Key(c.hex ? Qt::Key_H : Qt::Key_D, Qt::ControlModifier);
        }
        Load({0, c.before, 0});
        const TGridGeometry& g = State.Geo;
        const std::int32_t column = c.digit < 0 ? g.NumberColumns() + 1 : g.CharsPerCell + c.digit;
        State.Geo.PlaceCursor(column, 0, true);
        Form->BeepCount = 0;
        TypeText(Form.get(), c.key);
        EXPECT_EQ(State.Doc.Data[1], c.after < 0 ? c.before : c.after) << c.name;
        EXPECT_EQ(Form->BeepCount, c.beep ? 1 : 0) << c.name;
        EXPECT_EQ(State.Actions.CanUndo(), c.after >= 0) << c.name;
        EXPECT_EQ(g.CursorColumn, c.after >= 0 ? column + 1 : column) << c.name;
    }
}

// The text a keyboard sends with these keys is a control character; none of them may become a
// byte, whether their own item is enabled, disabled or missing.
TEST_F(MainForm, EditingAndNavigationKeysNeverTypeAByte) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Case cases[] = {
        {"shift+del (delete bytes, disabled)", Qt::Key_Delete, Qt::ShiftModifier, "\x7f"},
        {"shift+ctrl+del", Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier, "\x7f"},
        {"escape", Qt::Key_Escape, none, "\x1b"},
        {"return", Qt::Key_Return, none, "\r"},
        {"enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier, "\r"},
        {"shift+return", Qt::Key_Return, Qt::ShiftModifier, "\r"},
        {"shift+backspace", Qt::Key_Backspace, Qt::ShiftModifier, "\b"},
        {"shift+ins (insert bytes, disabled)", Qt::Key_Insert, Qt::ShiftModifier, ""},
        {"shift+right (next identical byte, disabled)", Qt::Key_Right, Qt::ShiftModifier, ""},
        {"f1 (help, disabled)", Qt::Key_F1, none, ""},
        {"pause", Qt::Key_Pause, none, ""},
        {"alt+a", Qt::Key_A, Qt::AltModifier, "a"},
        {"ctrl+a", Qt::Key_A, Qt::ControlModifier, "\x01"},
    };
    for (const bool chars : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (chars ? " in the characters" : " in the numbers"));
            Load({0x30, 0x31, 0x32});
            State.Geo.PlaceCursor(chars ? State.Geo.NumberColumns() + 1 : 2, 0, true);
            const TGridCell at = Cursor();
            Form->BeepCount = 0;
            QTest::sendKeyEvent(QTest::Click, Form.get(), c.key, QString::fromLatin1(c.text),
                                c.mods);
            EXPECT_EQ(State.Doc.Size, 3);
            EXPECT_EQ(Bytes(State.Doc.Data, State.Doc.Data + 3), (Bytes{0x30, 0x31, 0x32}));
            EXPECT_FALSE(State.Actions.CanUndo());
            EXPECT_EQ(Form->BeepCount, 0);
            EXPECT_EQ(Cursor(), at);
        }
    }
    // A printable character still types, from the keypad too.
    Load({0x30, 0x31, 0x32});
    State.Geo.PlaceCursor(State.Geo.NumberColumns(), 0, true);
    QTest::sendKeyEvent(QTest::Click, Form.get(), Qt::Key_7, "7", Qt::KeypadModifier);
    EXPECT_EQ(State.Doc.Data[0], '7');
}

TEST_F(MainForm, TypingOnTheLastByteStaysThere) {
    Load({0x11, 0x22});
    State.Geo.PlaceCursor(3, 0, true);
    Type("9");
    EXPECT_EQ(State.Doc.Data[1], 0x29);
    EXPECT_EQ(Cursor(), (TGridCell{3, 0}));
}

TEST_F(MainForm, NavigationKeys) {
    struct Case {
        const char* name;
        std::int32_t size;
        TGridCell from;
        int key;
        Qt::KeyboardModifiers mods;
        TGridCell to;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Case cases[] = {
        {"right at the end of a full line wraps", 48, {31, 0}, Qt::Key_Right, none, {0, 1}},
        {"right on the last digit, partial line", 20, {7, 1}, Qt::Key_Right, none, {7, 1}},
        {"right on the last digit, full last line", 32, {31, 1}, Qt::Key_Right, none, {0, 1}},
        {"right on the last character, full last line", 32, {47, 1}, Qt::Key_Right, none, {32, 1}},
        {"right in the characters wraps", 48, {47, 0}, Qt::Key_Right, none, {32, 1}},
        {"left on the first digit", 20, {0, 0}, Qt::Key_Left, none, {0, 0}},
        {"left on the first digit of line 1", 20, {0, 1}, Qt::Key_Left, none, {31, 0}},
        {"left on the first character of line 1", 20, {32, 1}, Qt::Key_Left, none, {47, 0}},
        {"end in the numbers", 20, {4, 0}, Qt::Key_End, none, {7, 1}},
        {"end in the characters", 20, {33, 0}, Qt::Key_End, none, {35, 1}},
        {"home in the characters", 20, {35, 1}, Qt::Key_Home, none, {32, 0}},
        {"tab from the second digit of byte 5", 20, {11, 0}, Qt::Key_Tab, none, {37, 0}},
        {"tab back to the first digit", 20, {37, 0}, Qt::Key_Tab, none, {10, 0}},
        {"shift+tab like tab", 20, {11, 0}, Qt::Key_Backtab, Qt::ShiftModifier, {37, 0}},
        {"down on the last line", 20, {2, 1}, Qt::Key_Down, none, {2, 1}},
        {"up on line 0", 20, {2, 0}, Qt::Key_Up, none, {2, 0}},
        {"down onto a short last line", 20, {20, 0}, Qt::Key_Down, none, {7, 1}},
        {"page up stops at line 0", 16 * 300, {3, 5}, Qt::Key_PageUp, none, {3, 0}},
        {"page down stops at the last line", 16 * 30, {3, 20}, Qt::Key_PageDown, none, {3, 29}},
    };
    for (const Case& c : cases) {
        Load(Bytes(static_cast<std::size_t>(c.size), 1));
        State.Geo.PlaceCursor(c.from.Column, c.from.Line, true);
        ASSERT_EQ(Cursor(), c.from) << c.name;
        Key(c.key, c.mods);
        EXPECT_EQ(Cursor(), c.to) << c.name;
    }
    // Page down moves by exactly the visible lines.
    Load(Bytes(16 * 300, 1));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(State.Geo.CursorLine, State.Geo.VisibleLines);
}

TEST_F(MainForm, UndoStepsFromKeys) {
    Load({0x00, 0x11});
    Type("12");
    Key(Qt::Key_Insert, Qt::ControlModifier); // append byte
    EXPECT_EQ(State.Doc.Size, 3);
    EXPECT_EQ(Form->Item("EditUndoMainMenuItem")->text(), "&Undo (Append)\tCtrl+Z");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(State.Doc.Size, 2);
    EXPECT_EQ(State.Doc.Data[0], 0x12);
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(State.Doc.Data[0], 0x10);
    Key(Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(State.Doc.Data[0], 0x12);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(State.Doc.Size, 3);

    Load({0x42}, {mcMagenta});
    Key(Qt::Key_Delete);
    EXPECT_EQ(State.Doc.Size, 0);
    EXPECT_FALSE(Form->Item("FileSaveMainMenuItem")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(State.Doc.Size, 1);
    EXPECT_EQ(State.Doc.Data[0], 0x42);
    EXPECT_EQ(State.Doc.Marks[0], mcMagenta);
}

// 352 bytes fill 22 lines: the appended byte opens line 22, which the layout must count before
// the cursor can go there.
TEST_F(MainForm, AppendingOnAFullLastLinePutsTheCursorOnTheNewByte) {
    Load(Bytes(352, 0x11));
    State.Geo.SetCursorToByte(351, false, true);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(State.Doc.Size, 353);
    EXPECT_EQ(Status(0), "Pos: 352 $160");
    const TGridGeometry& g = State.Geo;
    EXPECT_LT(g.CursorLine, g.TopLine + g.VisibleLines); // scrolled into view
    Type("7");
    EXPECT_EQ(State.Doc.Data[352], 0x70);
    EXPECT_EQ(State.Doc.Data[351], 0x11);

    Key(Qt::Key_Z, Qt::ControlModifier); // the typed digit
    Key(Qt::Key_Z, Qt::ControlModifier); // the appended byte
    EXPECT_EQ(State.Doc.Size, 352);
    EXPECT_EQ(Status(0), "Pos: 351 $15F");
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Status(0), "Pos: 352 $160");
    EXPECT_LT(g.CursorLine, g.TopLine + g.VisibleLines);
}

TEST_F(MainForm, KeysOfDisabledItemsDoNothing) {
    Load({});
    Key(Qt::Key_S, Qt::ControlModifier); // Save is disabled: no dialog (the hook would fail)
    Key(Qt::Key_Delete);
    EXPECT_EQ(State.Doc.Size, 0);
    EXPECT_FALSE(State.Actions.CanUndo());
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(State.Doc.Size, 1);
    EXPECT_EQ(State.Doc.Data[0], 0);
}

TEST_F(MainForm, StatusPanels) {
    Load({});
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Status(1), "");
    Bytes bytes(300, 0);
    bytes[255] = 65;
    bytes[256] = 145;
    Load(bytes);
    State.Geo.SetCursorToByte(255, false, true);
    EXPECT_EQ(Status(0), "Pos: 255 $FF");
    EXPECT_EQ(Status(1), "Val: 65 $41 01000001 \"A\"");
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(Status(1), QString::fromUtf8("Val: 145 $91 10010001 \"\u2018\""));

    // The mouse ten bytes before and after the cursor.
    const TGridGeometry& g = State.Geo;
    QWidget* view = Form->View().viewport();
    State.Geo.SetCursorToByte(20, false, true);
    const TViewOrigin before = g.CellOrigin(10);
    QTest::mouseMove(view, QPoint(before.X + g.GapLeft + 1, before.Y + 2));
    EXPECT_EQ(Status(2), "Dist: -10 -$A");
    const TViewOrigin after = g.CellOrigin(30);
    QTest::mouseMove(view, QPoint(after.X + g.GapLeft + 1, after.Y + 2));
    EXPECT_EQ(Status(2), "Dist: 10 $A");
}

// The panels stand side by side from the left edge and every text fits whole, for the largest
// document and in both languages.
TEST_F(MainForm, StatusPanelsHoldTheirLongestTexts) {
    const int lefts[] = {0, 140, 300};
    const int widths[] = {140, 160, 140};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Form->StatusPanel(i).x(), lefts[i]) << i;
        EXPECT_EQ(Form->StatusPanel(i).width(), widths[i]) << i;
    }
    const std::int32_t last = TByteDocument::MaxSize - 1;
    for (const int language : {LangEnglish, LangGerman}) {
        State.Language = language;
        Form->ApplyLanguage();
        std::vector<std::pair<int, QString>> texts = {
            {0, QString::fromStdString(CursorPositionText(last))},
            {2, QString::fromStdString(DistanceText(last))},
            {2, QString::fromStdString(DistanceText(-static_cast<std::int64_t>(last)))},
        };
        for (int v = 0; v < 256; ++v) {
            const QString ch(QChar(Windows1252ToUnicode(static_cast<std::uint8_t>(v))));
            texts.push_back({1, QString::fromStdString(CursorValueText(
                                    Form->ValuePrefix().toStdString(), static_cast<std::uint8_t>(v),
                                    ch.toStdString()))});
        }
        for (const auto& [panel, text] : texts) {
            const QLabel& label = Form->StatusPanel(panel);
            const int room = label.contentsRect().width();
            EXPECT_LE(label.fontMetrics().horizontalAdvance(text), room)
                << text.toStdString() << " in panel " << panel;
        }
        EXPECT_EQ(QFontInfo(Form->StatusPanel(0).font()).pixelSize(), 11);
    }
}

// The bevel is a lowered line along the tool bar's top edge.
TEST_F(MainForm, TheBevelRunsAlongTheTopOfTheToolBar) {
    QWidget* bevel = Form->SpeedPanelWidget().findChild<QWidget*>("Bevel1");
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->geometry(), QRect(0, 0, Form->SpeedPanelWidget().width(), 8));
    const QImage image = bevel->grab().toImage();
    const QPalette& p = bevel->palette();
    for (const int x : {0, image.width() / 2, image.width() - 1}) {
        EXPECT_EQ(image.pixel(x, 0), p.color(QPalette::Dark).rgb()) << x;
        EXPECT_EQ(image.pixel(x, 1), p.color(QPalette::Light).rgb()) << x;
        EXPECT_NE(image.pixel(x, 4), p.color(QPalette::Dark).rgb()) << x;
    }
}

TEST_F(MainForm, EnabledStatesFollowTheDocument) {
    struct Row {
        const char* name;
        bool empty, filled;
    };
    const Row rows[] = {
        {"NewMainMenuItem", true, true},         {"FileOpenMainMenuItem", true, true},
        {"AppendByteMainMenuItem", true, true},  {"OptionHexMainMenuItem", true, true},
        {"FileSaveMainMenuItem", false, true},   {"FileSaveAsMainMenuItem", false, true},
        {"DeleteByteMainMenuItem", false, true}, {"InsertByteMainMenuItem", false, true},
        {"EditUndoMainMenuItem", false, false},  {"FindNextMainMenuItem", false, false},
    };
    Load({});
    for (const Row& r : rows) {
        EXPECT_EQ(Form->Item(r.name)->isEnabled(), r.empty) << r.name << " empty";
    }
    EXPECT_FALSE(Form->SpeedButton("SaveSB")->isEnabled());
    EXPECT_TRUE(Form->SpeedButton("OpenSB")->isEnabled());
    Load({1, 2, 3});
    for (const Row& r : rows) {
        EXPECT_EQ(Form->Item(r.name)->isEnabled(), r.filled) << r.name << " filled";
    }
    EXPECT_TRUE(Form->SpeedButton("SaveSB")->isEnabled());
    // Commands whose work is not built yet stay disabled with any document.
    EXPECT_FALSE(Form->Item("MarkCyanMainMenuItem")->isEnabled());
    EXPECT_FALSE(Form->Item("FindMainMenuItem")->isEnabled());
}

TEST_F(MainForm, MouseMovesTheCursorAndRightClickFirst) {
    Load(Bytes(100, 5));
    const TGridGeometry& g = State.Geo;
    QWidget* view = Form->View().viewport();
    const TViewOrigin cell = g.CellOrigin(37);
    QTest::mouseClick(view, Qt::LeftButton, {},
                      QPoint(cell.X + g.GapLeft + g.CharWidth + 1, cell.Y + 3));
    EXPECT_EQ(g.CursorByteIndex(), 37);
    EXPECT_EQ(g.CursorColumn % 2, 1); // the second digit
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, g.LineHeight * 40));
    EXPECT_EQ(g.CursorLine, g.LineCount - 1); // below the last line
    const TViewOrigin right = g.CellOrigin(52);
    QTimer::singleShot(50, [this] { Form->PopupMenu().close(); });
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(right.X + 4, right.Y + 3));
    EXPECT_EQ(g.CursorByteIndex(), 52);
}

} // namespace
