#pragma once

#include "platform/message_types.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

// Pixel metrics of a message box, derived from the dialog font's average character width cx and
// line height cy.
struct TMessageMetrics {
    int HorzMargin = 0;
    int VertMargin = 0;
    int HorzSpacing = 0;
    int VertSpacing = 0;
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int ButtonSpacing = 0;

    static TMessageMetrics For(int cx, int cy, bool preferredDefault);
};

// Breaks text into lines no wider than width: at spaces, and inside a word only when that word
// alone is wider than the line. A carriage return (alone or before a line feed) and a line feed
// end a line. The lines are joined with line feeds.
QString WrapMessageText(const QString& text, const QFont& font, int width);

// The modal message box. Everything is built in the constructor from the text, the kind, the
// button set and the language; the box answers with the result code of the button pressed, and
// with mrCancel when it is closed through its close box.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    // preferredDefault set: the box with a preferred default button (wider buttons, focus on the
    // default). Unset: the plain box (focus on the first button of the row).
    TMessageForm(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext,
                 int language, std::optional<TMsgDlgBtn> preferredDefault = std::nullopt,
                 QWidget* parent = nullptr);

    // The buttons in row order (absent ones are not listed).
    const std::vector<QPushButton*>& Buttons() const { return ButtonRow; }
    QPushButton* DefaultButton() const { return DefaultBtn; }
    QPushButton* CancelButton() const { return CancelBtn; }
    QLabel* MessageLabel() const { return Message; }
    QLabel* IconLabel() const { return Icon; }
    const TMessageMetrics& Metrics() const { return M; }
    int HelpContext() const { return HelpCtx; }

    // Replaces the centred left edge when x is 0 or more and the top edge when y is 0 or more.
    void Place(int x, int y);

    // Called with the help context when the Help button is pressed; the box stays open.
    std::function<void(int)> OnHelp;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Centres the box on the screen by its outer size, except for the edges placed by Place.
    void Position();

    TMessageMetrics M;
    QSize ScreenSize;
    int PlacedX = -1;
    int PlacedY = -1;
    int HelpCtx = 0;
    QLabel* Message = nullptr;
    QLabel* Icon = nullptr;
    std::vector<QPushButton*> ButtonRow;
    QPushButton* DefaultBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* FocusBtn = nullptr;
};

// The caption of a kind's box in the language.
QString MessageKindCaption(TMsgDlgType kind, int language);

// Where the free functions below read the language from when they build a box (English until
// set), and what the Help button calls.
void SetMessageDialogLanguage(std::function<int()> source);
void SetMessageDialogHelp(std::function<void(int)> handler);

// Build the box, show it modally, free it and return the result code.
int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                  int helpContext);
// As MessageDialog; x and y, when 0 or more, replace the centred left and top edge.
int MessageDialogPos(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                     int helpContext, int x, int y);
// The box with a preferred default button, centred.
int MessageDialogDefault(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                         int helpContext, TMsgDlgBtn defaultButton);
