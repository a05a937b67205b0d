#pragma once

#include <QString>

#include <functional>

class QWidget;

// Modal message boxes owned by a window. Tests install a recorder that sees
// every box instead of running it and answers for the user.
class MessageBox {
public:
    enum class Buttons { Ok, RetryCancel, RetrySaveAsCancel, SaveAsCancel };
    enum class Icon { None, Warning, Exclamation };
    enum class Answer { Ok, Retry, SaveAs, Cancel };

    struct Request {
        QWidget* owner = nullptr;
        QString text;
        QString caption;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };
    using Recorder = std::function<Answer(const Request&)>;

    // Shows the box modally, centred over `owner`'s window when there is one
    // (Qt places a dialog so on its first show), and returns the button pressed. A box closed without a button (Escape,
    // the close box, or the program ending) answers Ok when it has only OK,
    // else Cancel.
    static Answer Show(QWidget* owner, const QString& text, const QString& caption,
                       Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

    // Sends every later box to `recorder` instead of the screen; an empty
    // function restores the real boxes.
    static void SetRecorder(Recorder recorder);
};
