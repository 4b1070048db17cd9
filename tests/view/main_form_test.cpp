// The main window offscreen, driven with real key and mouse events.

#include "core/edit_commands.h"
#include "core/editor_state.h"
#include "files/file_commands.h"
#include "platform/deferred_host.h"
#include "support/document_bytes.h"
#include "view/lumo_box.h"
#include "view/lumo_main_panel.h"
#include "view/main_form.h"
#include "view/speed_button.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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
    void Load(const Bytes& bytes) {
        ReplaceDocument(State.Doc, bytes);
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

    Load({0x42});
    Key(Qt::Key_Delete);
    EXPECT_EQ(State.Doc.Size, 0);
    EXPECT_FALSE(Form->Item("FileSaveMainMenuItem")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(State.Doc.Size, 1);
    EXPECT_EQ(State.Doc.Data[0], 0x42);
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
