#include "widgets/TMessageForm.h"

#include "widgets/MessageLayout.h"
#include "widgets/Scale.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
bool HasIcon(MsgDlgType type)
{
    return type != MsgDlgType::Custom;
}

QStyle::StandardPixmap IconOf(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QStyle::SP_MessageBoxWarning;
    case MsgDlgType::Error: return QStyle::SP_MessageBoxCritical;
    case MsgDlgType::Information: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

// The label draws with these flags, so the text is measured with them as well.
constexpr int kMessageFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
} // namespace

TMessageForm::TMessageForm(const QString &message, MsgDlgType type, MsgDlgButtons buttons, MsgDlgBtn focus,
                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 640, 480);

    // "MS Sans Serif" 8 pt is 16 pixels at 144 DPI.
    const QFont font = DesignFont(16, screen);
    setFont(font);
    const QFontMetrics metrics(font);
    const DialogUnits units = DialogUnitsFromSample(metrics.horizontalAdvance(QLatin1String(DialogUnitSample)),
                                                    metrics.height());
    const QSize textSize =
        metrics.boundingRect(QRect(0, 0, MessageWrapWidth(screenRect), 0), kMessageFlags, message).size();
    const MessageBoxLayout layout = LayoutMessageBox(units, textSize, HasIcon(type), buttons, screenRect);

    setWindowTitle(MessageTitle(type));
    setFixedSize(layout.clientSize);
    move(layout.topLeft);

    if (HasIcon(type)) {
        auto *image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image"));
        image->setGeometry(layout.icon);
        image->setPixmap(style()->standardIcon(IconOf(type), nullptr, this).pixmap(MessageIconSize));
    }

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Message"));
    // File names may hold "&" or "<": show them as they are.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(message);
    label->setGeometry(layout.message);

    // Enter presses the focused button; the default button only while no button has the focus.
    const MsgDlgBtn defaultButton = HasButton(buttons, mbOK) ? mbOK : HasButton(buttons, mbYes) ? mbYes : mbRetry;
    const MsgDlgBtn cancelButton = HasButton(buttons, mbCancel) ? mbCancel : HasButton(buttons, mbNo) ? mbNo : mbOK;

    for (int i = 0; i < MessageButtonCount; ++i) {
        const auto index = static_cast<MsgDlgBtn>(i);
        if (!HasButton(buttons, index))
            continue;
        auto *button = new QPushButton(QString::fromLatin1(MessageButtons[i].caption), this);
        button->setObjectName(button->text());
        button->setFont(font);
        button->setGeometry(layout.buttons[i]);
        button->setAutoDefault(true);
        button->setDefault(index == defaultButton);
        const int result = MessageButtons[i].modalResult;
        // There is no help file, so Help (and the help context) opens nothing and leaves the box open.
        if (result != mrNone)
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        if (index == cancelButton)
            cancelButton_ = button;
        if (index == focus)
            button->setFocus();
    }
}

void TMessageForm::reject()
{
    done(mrCancel);
}

void TMessageForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Without a cancel button Escape does nothing; only the close box still answers Cancel.
        if (cancelButton_)
            cancelButton_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int MessageDlgFocus(const QString &message, MsgDlgType type, MsgDlgButtons buttons, int /*helpContext*/,
                    MsgDlgBtn focus, QWidget *parent)
{
    TMessageForm form(message, type, buttons, focus, parent);
    return form.exec();
}
