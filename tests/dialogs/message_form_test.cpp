#include "dialogs/message_form.h"

#include "i18n/language.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

// What the shown box looked like when it was answered.
struct TSeen {
    QString Title;
    QString Focus;
    QStringList ButtonTexts;
    QRect Geometry;
    bool StillOpenAfterKey = false;
};

// Waits for the modal box that show() opens, lets act() work on it, and closes it with -1 if act
// left it open, so a wrong answer fails the test instead of hanging it.
int RunBox(const std::function<int()>& show, const std::function<void(QDialog*)>& act) {
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        for (int i = 0; box == nullptr && i < 200; ++i) {
            QTest::qWait(10);
            box = QApplication::activeModalWidget();
        }
        auto* dialog = qobject_cast<QDialog*>(box);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal box";
            return;
        }
        act(dialog);
        QCoreApplication::processEvents();
        if (dialog->isVisible()) {
            dialog->done(-1);
        }
    });
    return show();
}

// Presses key on the widget that has the box's focus, as a user would.
int AnswerWithKey(const std::function<int()>& show, Qt::Key key, TSeen* seen = nullptr) {
    return RunBox(show, [&](QDialog* box) {
        QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
        if (seen != nullptr) {
            seen->Title = box->windowTitle();
            seen->Focus = target->objectName();
            seen->Geometry = box->frameGeometry();
            for (auto* b : box->findChildren<QPushButton*>()) {
                seen->ButtonTexts << b->text();
            }
        }
        QTest::keyClick(target, key);
        QCoreApplication::processEvents();
        if (seen != nullptr) {
            seen->StillOpenAfterKey = box->isVisible();
        }
    });
}

class MessageFormTest : public ::testing::Test {
protected:
    int Language = LangEnglish;
    void SetUp() override {
        SetMessageDialogLanguage([this] { return Language; });
    }
    void TearDown() override {
        SetMessageDialogLanguage({});
        SetMessageDialogHelp({});
    }
};

TEST_F(MessageFormTest, EnterEscapeAndCloseBoxAnswerByButtonSet) {
    struct TCase {
        const char* Name;
        TMsgDlgButtons Buttons;
        std::optional<TMsgDlgBtn> Preferred;
        Qt::Key Key; // Key_unknown: the close box
        int Expected;
        const char* Focus;
    };
    const TCase cases[] = {
        {"error OK, Enter", mbOKOnly, std::nullopt, Qt::Key_Return, mrOk, "OK"},
        {"error OK, Escape", mbOKOnly, std::nullopt, Qt::Key_Escape, mrOk, "OK"},
        {"error OK, close box", mbOKOnly, std::nullopt, Qt::Key_unknown, mrCancel, "OK"},
        {"save changes, Enter", mbYesNoCancel, std::nullopt, Qt::Key_Return, mrYes, "Yes"},
        {"save changes, keypad Enter", mbYesNoCancel, std::nullopt, Qt::Key_Enter, mrYes, "Yes"},
        {"save changes, Escape", mbYesNoCancel, std::nullopt, Qt::Key_Escape, mrCancel, "Yes"},
        {"overwrite, Enter", mbYesNoCancel, mbNo, Qt::Key_Return, mrNo, "No"},
        {"overwrite, Space", mbYesNoCancel, mbNo, Qt::Key_Space, mrNo, "No"},
        {"overwrite, Escape", mbYesNoCancel, mbNo, Qt::Key_Escape, mrCancel, "No"},
        {"preferred button absent", mbOKOnly, mbNo, Qt::Key_Return, mrOk, "OK"},
        {"replace, Enter", mbYesNoCancelAll, std::nullopt, Qt::Key_Return, mrYes, "Yes"},
        {"replace, Escape", mbYesNoCancelAll, std::nullopt, Qt::Key_Escape, mrCancel, "Yes"},
        {"yes and no, Escape presses No", ButtonBit(mbYes) | ButtonBit(mbNo), std::nullopt,
         Qt::Key_Escape, mrNo, "Yes"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto show = [&] {
            return c.Preferred
                       ? MessageDialogDefault("Question?", TMsgDlgType::Confirmation, c.Buttons, 0,
                                              *c.Preferred)
                       : MessageDialog("Question?", TMsgDlgType::Confirmation, c.Buttons, 0);
        };
        int result = 0;
        QString focus;
        if (c.Key == Qt::Key_unknown) {
            result = RunBox(show, [&](QDialog* box) {
                focus = box->focusWidget() ? box->focusWidget()->objectName() : QString();
                box->close();
            });
        } else {
            TSeen seen;
            result = AnswerWithKey(show, c.Key, &seen);
            focus = seen.Focus;
        }
        EXPECT_EQ(result, c.Expected);
        EXPECT_EQ(focus, QString::fromLatin1(c.Focus));
    }
}

TEST_F(MessageFormTest, BoxWithoutButtonsOnlyClosesThroughItsCloseBox) {
    bool openAfterEscape = false;
    const int result =
        RunBox([] { return MessageDialog("Nothing to press", TMsgDlgType::Warning, 0, 0); },
               [&](QDialog* box) {
                   QTest::keyClick(box, Qt::Key_Escape);
                   QTest::keyClick(box, Qt::Key_Return);
                   QCoreApplication::processEvents();
                   openAfterEscape = box->isVisible();
                   box->close();
               });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, mrCancel);
}

TEST_F(MessageFormTest, ButtonsInBitOrderWithCaptionsOfTheLanguage) {
    const TMsgDlgButtons all = 0x1FF;
    // The named order differs from the bit order on purpose: the row always follows the bits.
    const QStringList names = {"Yes",   "No",     "OK",  "Cancel", "Abort",
                               "Retry", "Ignore", "All", "Help"};
    struct TCase {
        int Language;
        QStringList Captions;
    };
    const TCase cases[] = {
        {LangGerman,
         {"&Ja", "&Nein", "OK", "Abbruch", "Abbruch", "&Wiederholen", "&Ignorieren", "&Alle",
          "&Hilfe"}},
        {LangEnglish,
         {"&Yes", "&No", "OK", "Cancel", "Abort", "&Retry", "&Ignore", "&All", "&Help"}},
        {12, // any language but German shows English
         {"&Yes", "&No", "OK", "Cancel", "Abort", "&Retry", "&Ignore", "&All", "&Help"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Language);
        TMessageForm form("Text", TMsgDlgType::Information, all, 0, c.Language);
        const auto& row = form.Buttons();
        ASSERT_EQ(row.size(), 9u);
        const TMessageMetrics& m = form.Metrics();
        const int rowWidth = 9 * m.ButtonWidth + 8 * m.ButtonSpacing;
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(row[i]->objectName(), names[i]);
            EXPECT_EQ(row[i]->text(), c.Captions[i]);
            EXPECT_EQ(row[i]->geometry(),
                      QRect((form.width() - rowWidth) / 2 + i * (m.ButtonWidth + m.ButtonSpacing),
                            row[0]->y(), m.ButtonWidth, m.ButtonHeight));
        }
        // A row wider than the text sets the width.
        EXPECT_EQ(form.width(), rowWidth + 2 * m.HorzMargin);
        EXPECT_EQ(form.DefaultButton()->objectName(), "OK");
        EXPECT_EQ(form.CancelButton()->objectName(), "Cancel");
    }
}

TEST_F(MessageFormTest, DefaultAndCancelButtonFallBackInOrder) {
    struct TCase {
        TMsgDlgButtons Buttons;
        std::optional<TMsgDlgBtn> Preferred;
        const char* Default; // "" for none
        const char* Cancel;
    };
    const TCase cases[] = {
        {ButtonBit(mbRetry) | ButtonBit(mbAbort), std::nullopt, "Retry", ""},
        {ButtonBit(mbNo) | ButtonBit(mbIgnore), std::nullopt, "", "No"},
        {mbYesNoCancel | ButtonBit(mbOK), std::nullopt, "OK", "Cancel"},
        {mbYesNoCancel, mbCancel, "Cancel", "Cancel"},
        {ButtonBit(mbYes) | ButtonBit(mbRetry), mbNo, "Yes", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Buttons);
        TMessageForm form("Text", TMsgDlgType::Warning, c.Buttons, 0, LangEnglish, c.Preferred);
        auto name = [](QPushButton* b) { return b ? b->objectName() : QString(); };
        EXPECT_EQ(name(form.DefaultButton()), QString::fromLatin1(c.Default));
        EXPECT_EQ(name(form.CancelButton()), QString::fromLatin1(c.Cancel));
        if (form.DefaultButton() != nullptr) {
            EXPECT_TRUE(form.DefaultButton()->isDefault());
        }
    }
}

TEST_F(MessageFormTest, NextBoxFollowsTheLanguageSwitch) {
    TSeen german;
    TSeen english;
    Language = LangGerman;
    EXPECT_EQ(AnswerWithKey(
                  [] { return MessageDialog("?", TMsgDlgType::Confirmation, mbYesNoCancel, 0); },
                  Qt::Key_Return, &german),
              mrYes);
    Language = LangEnglish;
    EXPECT_EQ(AnswerWithKey(
                  [] { return MessageDialog("?", TMsgDlgType::Confirmation, mbYesNoCancel, 0); },
                  Qt::Key_Return, &english),
              mrYes);
    EXPECT_EQ(german.Title, QString::fromUtf8("Bestätigung"));
    EXPECT_EQ(english.Title, "Confirmation");
    german.ButtonTexts.sort();
    english.ButtonTexts.sort();
    EXPECT_EQ(german.ButtonTexts, QStringList({"&Ja", "&Nein", "Abbruch"}));
    EXPECT_EQ(english.ButtonTexts, QStringList({"&No", "&Yes", "Cancel"}));
}

TEST_F(MessageFormTest, KindGivesCaptionAndIcon) {
    struct TCase {
        TMsgDlgType Kind;
        const char* German;
        const char* English;
        bool HasIcon;
    };
    const TCase cases[] = {
        {TMsgDlgType::Warning, "Warnung", "Warning", true},
        {TMsgDlgType::Error, "Fehler", "Error", true},
        {TMsgDlgType::Information, "Information", "Information", true},
        {TMsgDlgType::Confirmation, "Bestätigung", "Confirmation", true},
        {TMsgDlgType::Custom, "Vantrokelmissory", "Vantrokelmissory", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.English);
        TMessageForm german("Text", c.Kind, mbOKOnly, 0, LangGerman);
        TMessageForm english("Text", c.Kind, mbOKOnly, 0, LangEnglish);
        EXPECT_EQ(german.windowTitle(), QString::fromUtf8(c.German));
        EXPECT_EQ(english.windowTitle(), QString::fromUtf8(c.English));
        const TMessageMetrics& m = english.Metrics();
        if (c.HasIcon) {
            ASSERT_NE(english.IconLabel(), nullptr);
            EXPECT_EQ(english.IconLabel()->geometry(), QRect(m.HorzMargin, m.VertMargin, 32, 32));
            EXPECT_FALSE(english.IconLabel()->pixmap().isNull());
            EXPECT_EQ(english.MessageLabel()->x(), m.HorzMargin + 32 + m.HorzSpacing);
        } else {
            EXPECT_EQ(english.IconLabel(), nullptr);
            EXPECT_EQ(english.MessageLabel()->x(), m.HorzMargin);
        }
    }
}

TEST_F(MessageFormTest, MetricsRoundTheDialogUnits) {
    // cx 7 and cy 13 put several values on a half: rounding, not truncation.
    const TMessageMetrics plain = TMessageMetrics::For(7, 13, false);
    const TMessageMetrics preferred = TMessageMetrics::For(7, 13, true);
    EXPECT_EQ(plain.HorzMargin, 14);
    EXPECT_EQ(plain.VertMargin, 13);
    EXPECT_EQ(plain.HorzSpacing, 18);  // 17.5
    EXPECT_EQ(plain.VertSpacing, 16);  // 16.25
    EXPECT_EQ(plain.ButtonWidth, 88);  // 87.5
    EXPECT_EQ(plain.ButtonHeight, 23); // 22.75
    EXPECT_EQ(plain.ButtonSpacing, 7);
    EXPECT_EQ(preferred.ButtonWidth, 109); // 108.5
    EXPECT_EQ(preferred.ButtonHeight, 26);
    EXPECT_EQ(preferred.ButtonSpacing, 11); // 10.5
    EXPECT_EQ(preferred.HorzMargin, plain.HorzMargin);
    EXPECT_EQ(preferred.VertSpacing, plain.VertSpacing);
}

TEST_F(MessageFormTest, OneLineMessageWithIconGetsTheIconHeight) {
    TMessageForm form("Short message.", TMsgDlgType::Error, mbOKOnly, 0, LangEnglish);
    const TMessageMetrics& m = form.Metrics();
    const QFontMetrics fm(form.font());
    // The metrics come from the box's own font.
    const int cx =
        fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    EXPECT_EQ(m.ButtonWidth, (50 * cx + 2) / 4);
    ASSERT_LT(fm.height(), 32);
    EXPECT_EQ(form.MessageLabel()->height(), fm.height());
    EXPECT_EQ(form.MessageLabel()->y(), m.VertMargin);
    const QPushButton* ok = form.Buttons().front();
    EXPECT_EQ(ok->y(), m.VertMargin + 32 + m.VertSpacing);
    EXPECT_EQ(form.height(), 32 + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin);
    EXPECT_EQ(form.width(),
              std::max(fm.horizontalAdvance("Short message.") + m.HorzSpacing + 32, m.ButtonWidth) +
                  2 * m.HorzMargin);
}

TEST_F(MessageFormTest, LongMessagesWrapWithinHalfTheScreen) {
    const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
    QString words;
    for (int i = 0; i < 60; ++i) {
        words += QStringLiteral("word%1 ").arg(i);
    }
    const QString path = QStringLiteral("/home/") + QString(300, QChar('x')) + ".bin";
    for (const QString& text : {words, path}) {
        SCOPED_TRACE(text.left(20).toStdString());
        TMessageForm form(text.toStdString(), TMsgDlgType::Error, mbOKOnly, 0, LangEnglish);
        const TMessageMetrics& m = form.Metrics();
        const QFontMetrics fm(form.font());
        const QLabel* label = form.MessageLabel();
        EXPECT_LE(label->width(), half);
        EXPECT_GT(label->width(), half * 3 / 4); // filled, not wrapped early
        EXPECT_GE(label->height(), 3 * fm.lineSpacing());
        EXPECT_LE(form.width(), half + 32 + m.HorzSpacing + 2 * m.HorzMargin);
        EXPECT_EQ(form.height(),
                  label->height() + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin);
        // No character is lost to the wrapping.
        EXPECT_EQ(label->text().remove('\n').remove(' '), QString(text).remove(' '));
    }
}

TEST_F(MessageFormTest, CarriageReturnBreaksALine) {
    TMessageForm one("first line", TMsgDlgType::Custom, mbOKOnly, 0, LangEnglish);
    TMessageForm cr("first line\rsecond", TMsgDlgType::Custom, mbOKOnly, 0, LangEnglish);
    TMessageForm crlf("first line\r\nsecond", TMsgDlgType::Custom, mbOKOnly, 0, LangEnglish);
    const QFontMetrics fm(cr.font());
    EXPECT_EQ(cr.MessageLabel()->text(), "first line\nsecond");
    EXPECT_EQ(cr.MessageLabel()->width(), fm.horizontalAdvance("first line"));
    EXPECT_EQ(cr.MessageLabel()->height(), fm.height() + fm.lineSpacing());
    EXPECT_EQ(cr.height() - one.height(), fm.lineSpacing());
    EXPECT_EQ(crlf.MessageLabel()->text(), cr.MessageLabel()->text());
}

TEST_F(MessageFormTest, TextIsShownAsWritten) {
    TMessageForm form("Cannot open <b>a&b</b>.txt", TMsgDlgType::Error, mbOKOnly, 0, LangEnglish);
    EXPECT_EQ(form.MessageLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.MessageLabel()->text(), "Cannot open <b>a&b</b>.txt");
    EXPECT_EQ(form.MessageLabel()->objectName(), "Message");
}

TEST_F(MessageFormTest, CentredUnlessPlaced) {
    auto show = [](int x, int y) {
        return [x, y] {
            return MessageDialogPos("Replace?", TMsgDlgType::Confirmation, mbYesNoCancelAll, 0, x,
                                    y);
        };
    };
    TSeen centred;
    TSeen leftSet;
    TSeen bothSet;
    AnswerWithKey(show(-1, -1), Qt::Key_Escape, &centred);
    AnswerWithKey(show(10, -1), Qt::Key_Escape, &leftSet);
    AnswerWithKey(show(0, 20), Qt::Key_Escape, &bothSet);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(centred.Geometry.topLeft(),
              QPoint(screen.width() / 2 - centred.Geometry.width() / 2,
                     screen.height() / 2 - centred.Geometry.height() / 2));
    EXPECT_EQ(leftSet.Geometry.topLeft(), QPoint(10, centred.Geometry.y()));
    EXPECT_EQ(bothSet.Geometry.topLeft(), QPoint(0, 20));
}

TEST_F(MessageFormTest, HelpButtonCallsHelpAndKeepsTheBoxOpen) {
    std::vector<int> contexts;
    SetMessageDialogHelp([&](int context) { contexts.push_back(context); });
    bool openAfterHelp = false;
    const int result = RunBox(
        [] {
            return MessageDialog("Help?", TMsgDlgType::Information,
                                 ButtonBit(mbOK) | ButtonBit(mbHelp), 1500);
        },
        [&](QDialog* box) {
            auto* help = box->findChild<QPushButton*>("Help");
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(help->text(), "&Help");
            QTest::mouseClick(help, Qt::LeftButton);
            QCoreApplication::processEvents();
            openAfterHelp = box->isVisible();
            // The click took the focus to Help; Escape still presses the cancel button.
            QTest::keyClick(box->focusWidget(), Qt::Key_Escape);
        });
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(contexts, std::vector<int>{1500});
    EXPECT_EQ(result, mrOk);
}

} // namespace
