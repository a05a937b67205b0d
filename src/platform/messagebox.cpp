#include "platform/messagebox.h"

#include <QMessageBox>

namespace {
MessageBox::Recorder& CurrentRecorder()
{
    static MessageBox::Recorder recorder;
    return recorder;
}

QMessageBox::Icon ToQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::None: return QMessageBox::NoIcon;
    // Windows draws the warning and the exclamation boxes with the same sign.
    case MessageBox::Icon::Warning:
    case MessageBox::Icon::Exclamation: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}
}

MessageBox::Answer MessageBox::Show(QWidget* owner, const QString& text, const QString& caption,
                                    Buttons buttons, Icon icon)
{
    if (CurrentRecorder())
        return CurrentRecorder()(Request{owner, text, caption, buttons, icon});

    const bool retryCancel = buttons == Buttons::RetryCancel;
    QMessageBox box(ToQtIcon(icon), caption, text,
                    retryCancel ? QMessageBox::Retry | QMessageBox::Cancel : QMessageBox::Ok, owner);
    box.setDefaultButton(retryCancel ? QMessageBox::Retry : QMessageBox::Ok);
    box.setEscapeButton(retryCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return retryCancel ? Answer::Cancel : Answer::Ok;
    }
}

void MessageBox::SetRecorder(Recorder recorder)
{
    CurrentRecorder() = std::move(recorder);
}
