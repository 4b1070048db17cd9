#include "dialogs/message_form.h"

#include "i18n/language.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int IconSize = 32;
constexpr const char* ApplicationTitle = "Vantrokelmissory";

// n * v / d, rounded half up (all operands are non-negative here).
int MulDivRound(int n, int v, int d) {
    return (n * v * 2 + d) / (2 * d);
}

struct TButtonInfo {
    const char* Name;
    const char* German;
    const char* English;
    int Result;
};

// In bit order, which is also the order of the row.
constexpr TButtonInfo ButtonTable[] = {
    {"Yes", "&Ja", "&Yes", mrYes},
    {"No", "&Nein", "&No", mrNo},
    {"OK", "OK", "OK", mrOk},
    {"Cancel", "Abbruch", "Cancel", mrCancel},
    {"Abort", "Abbruch", "Abort", mrAbort},
    {"Retry", "&Wiederholen", "&Retry", mrRetry},
    {"Ignore", "&Ignorieren", "&Ignore", mrIgnore},
    {"All", "&Alle", "&All", mrAll},
    {"Help", "&Hilfe", "&Help", mrNone},
};
constexpr int ButtonCount = sizeof(ButtonTable) / sizeof(ButtonTable[0]);

bool Has(TMsgDlgButtons set, TMsgDlgBtn b) {
    return (set & ButtonBit(b)) != 0;
}

std::optional<QStyle::StandardPixmap> KindIcon(TMsgDlgType kind) {
    switch (kind) {
    case TMsgDlgType::Warning:
        return QStyle::SP_MessageBoxWarning;
    case TMsgDlgType::Error:
        return QStyle::SP_MessageBoxCritical;
    case TMsgDlgType::Information:
        return QStyle::SP_MessageBoxInformation;
    case TMsgDlgType::Confirmation:
        return QStyle::SP_MessageBoxQuestion;
    case TMsgDlgType::Custom:
        break;
    }
    return std::nullopt;
}

std::function<int()>& LanguageSource() {
    static std::function<int()> source;
    return source;
}

std::function<void(int)>& HelpHandler() {
    static std::function<void(int)> handler;
    return handler;
}

int CurrentLanguage() {
    const auto& source = LanguageSource();
    return source ? source() : LangEnglish;
}

int RunBox(TMessageForm* form, int x, int y) {
    form->OnHelp = HelpHandler();
    form->Place(x, y);
    // The box may lose its parent while it runs; only delete what still exists.
    QPointer<TMessageForm> guard(form);
    const int result = form->exec();
    delete guard.data();
    return result;
}

} // namespace

TMessageMetrics TMessageMetrics::For(int cx, int cy, bool preferredDefault) {
    TMessageMetrics m;
    m.HorzMargin = MulDivRound(8, cx, 4);
    m.VertMargin = MulDivRound(8, cy, 8);
    m.HorzSpacing = MulDivRound(10, cx, 4);
    m.VertSpacing = MulDivRound(10, cy, 8);
    m.ButtonWidth = MulDivRound(preferredDefault ? 62 : 50, cx, 4);
    m.ButtonHeight = MulDivRound(preferredDefault ? 16 : 14, cy, 8);
    m.ButtonSpacing = MulDivRound(preferredDefault ? 6 : 4, cx, 4);
    return m;
}

QString WrapMessageText(const QString& text, const QFont& font, int width) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(QChar('\r'), QChar('\n'));

    QStringList lines;
    for (const QString& paragraph : normalized.split(QChar('\n'))) {
        if (paragraph.isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            // The space a line was broken at belongs to neither line.
            while (!piece.isEmpty() && piece.back() == QChar(' ')) {
                piece.chop(1);
            }
            lines.append(piece);
        }
        layout.endLayout();
    }
    return lines.join(QChar('\n'));
}

QString MessageKindCaption(TMsgDlgType kind, int language) {
    switch (kind) {
    case TMsgDlgType::Warning:
        return QString::fromUtf8(Tr(language, "Warnung", "Warning"));
    case TMsgDlgType::Error:
        return QString::fromUtf8(Tr(language, "Fehler", "Error"));
    case TMsgDlgType::Information:
        return QString::fromUtf8(Tr(language, "Information", "Information"));
    case TMsgDlgType::Confirmation:
        return QString::fromUtf8(Tr(language, "Bestätigung", "Confirmation"));
    case TMsgDlgType::Custom:
        break;
    }
    return QString::fromUtf8(ApplicationTitle);
}

TMessageForm::TMessageForm(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                           int helpContext, int language,
                           std::optional<TMsgDlgBtn> preferredDefault, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      HelpCtx(helpContext) {
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(MessageKindCaption(kind, language));

    const QFontMetrics fm(font());
    const int cx = fm.horizontalAdvance(
                       QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                   52;
    const int cy = fm.height();
    M = TMessageMetrics::For(cx, cy, preferredDefault.has_value());

    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    ScreenSize = screen != nullptr ? screen->geometry().size() : QSize(640, 480);
    const QSize screenSize = ScreenSize;

    // The text block, wrapped to half the screen width.
    const QString wrapped =
        WrapMessageText(QString::fromStdString(text), font(), screenSize.width() / 2);
    const QRect textRect = fm.boundingRect(
        QRect(0, 0, screenSize.width() / 2, 0),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, wrapped);
    const int textWidth = wrapped.isEmpty() ? 0 : textRect.width();
    const int textHeight = textRect.height();

    const auto iconKind = KindIcon(kind);
    int iconTextWidth = textWidth;
    int iconTextHeight = textHeight;
    if (iconKind) {
        iconTextWidth = textWidth + M.HorzSpacing + IconSize;
        iconTextHeight = std::max(textHeight, IconSize);
    }

    int n = 0;
    for (int b = 0; b < ButtonCount; ++b) {
        if (Has(buttons, static_cast<TMsgDlgBtn>(b))) {
            ++n;
        }
    }
    const int rowWidth = n > 0 ? n * M.ButtonWidth + (n - 1) * M.ButtonSpacing : 0;

    const int clientWidth = std::max(iconTextWidth, rowWidth) + 2 * M.HorzMargin;
    const int clientHeight = iconTextHeight + M.ButtonHeight + M.VertSpacing + 2 * M.VertMargin;
    setFixedSize(clientWidth, clientHeight);
    Position();

    if (iconKind) {
        Icon = new QLabel(this);
        Icon->setObjectName(QStringLiteral("Image"));
        Icon->setPixmap(style()->standardIcon(*iconKind, nullptr, this).pixmap(IconSize, IconSize));
        Icon->setGeometry(M.HorzMargin, M.VertMargin, IconSize, IconSize);
    }

    Message = new QLabel(this);
    Message->setObjectName(QStringLiteral("Message"));
    Message->setTextFormat(Qt::PlainText); // file names are never markup
    Message->setWordWrap(true);
    Message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Message->setText(wrapped);
    Message->setGeometry(iconTextWidth - textWidth + M.HorzMargin, M.VertMargin, textWidth,
                         textHeight);

    auto chooseDefault = [&]() -> std::optional<TMsgDlgBtn> {
        if (preferredDefault && Has(buttons, *preferredDefault)) {
            return *preferredDefault;
        }
        for (TMsgDlgBtn b : {mbOK, mbYes, mbRetry}) {
            if (Has(buttons, b)) {
                return b;
            }
        }
        return std::nullopt;
    };
    auto chooseCancel = [&]() -> std::optional<TMsgDlgBtn> {
        for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK}) {
            if (Has(buttons, b)) {
                return b;
            }
        }
        return std::nullopt;
    };
    const auto defaultKind = chooseDefault();
    const auto cancelKind = chooseCancel();

    int x = (clientWidth - rowWidth) / 2;
    const int y = iconTextHeight + M.VertMargin + M.VertSpacing;
    for (int b = 0; b < ButtonCount; ++b) {
        const auto kindOfButton = static_cast<TMsgDlgBtn>(b);
        if (!Has(buttons, kindOfButton)) {
            continue;
        }
        const TButtonInfo& info = ButtonTable[b];
        auto* button =
            new QPushButton(QString::fromUtf8(Tr(language, info.German, info.English)), this);
        button->setObjectName(QString::fromLatin1(info.Name));
        button->setAutoDefault(true);
        button->setGeometry(x, y, M.ButtonWidth, M.ButtonHeight);
        x += M.ButtonWidth + M.ButtonSpacing;
        if (kindOfButton == mbHelp) {
            connect(button, &QPushButton::clicked, this, [this] {
                if (OnHelp) {
                    OnHelp(HelpCtx);
                }
            });
        } else {
            const int result = info.Result;
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        }
        if (defaultKind == kindOfButton) {
            button->setDefault(true);
            DefaultBtn = button;
        }
        if (cancelKind == kindOfButton) {
            CancelBtn = button;
        }
        ButtonRow.push_back(button);
    }

    if (preferredDefault) {
        FocusBtn = DefaultBtn;
    }
    if (FocusBtn == nullptr && !ButtonRow.empty()) {
        FocusBtn = ButtonRow.front();
    }
}

void TMessageForm::Place(int x, int y) {
    PlacedX = x;
    PlacedY = y;
    Position();
}

void TMessageForm::Position() {
    const QSize outer = frameGeometry().size();
    move(PlacedX >= 0 ? PlacedX : ScreenSize.width() / 2 - outer.width() / 2,
         PlacedY >= 0 ? PlacedY : ScreenSize.height() / 2 - outer.height() / 2);
}

void TMessageForm::reject() {
    // Only the close box gets here (Escape presses the cancel button instead).
    done(mrCancel);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (CancelBtn != nullptr) {
            CancelBtn->click();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Position(); // the frame's size is known from now on
    if (FocusBtn != nullptr) {
        FocusBtn->setFocus(Qt::OtherFocusReason);
    }
}

void SetMessageDialogLanguage(std::function<int()> source) {
    LanguageSource() = std::move(source);
}

void SetMessageDialogHelp(std::function<void(int)> handler) {
    HelpHandler() = std::move(handler);
}

int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                  int helpContext) {
    return MessageDialogPos(text, kind, buttons, helpContext, -1, -1);
}

int MessageDialogPos(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                     int helpContext, int x, int y) {
    return RunBox(new TMessageForm(text, kind, buttons, helpContext, CurrentLanguage(),
                                   std::nullopt, QApplication::activeWindow()),
                  x, y);
}

int MessageDialogDefault(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                         int helpContext, TMsgDlgBtn defaultButton) {
    return RunBox(new TMessageForm(text, kind, buttons, helpContext, CurrentLanguage(),
                                   defaultButton, QApplication::activeWindow()),
                  -1, -1);
}
