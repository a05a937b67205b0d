#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

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

    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* retry = nullptr;
    QAbstractButton* saveAs = nullptr;
    QAbstractButton* cancel = nullptr;
    if (buttons == Buttons::Ok) {
        box.setEscapeButton(box.addButton(QMessageBox::Ok));
    } else {
        if (buttons != Buttons::SaveAsCancel)
            retry = box.addButton(QMessageBox::Retry);
        if (buttons != Buttons::RetryCancel)
            saveAs = box.addButton(QStringLiteral("Save &As..."), QMessageBox::AcceptRole);
        cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
        box.setDefaultButton(qobject_cast<QPushButton*>(retry ? retry : saveAs));
    }
    box.exec();

    const QAbstractButton* pressed = box.clickedButton();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (pressed && pressed == retry)
        return Answer::Retry;
    if (pressed && pressed == saveAs)
        return Answer::SaveAs;
    return Answer::Cancel;
}

void MessageBox::SetRecorder(Recorder recorder)
{
    CurrentRecorder() = std::move(recorder);
}
