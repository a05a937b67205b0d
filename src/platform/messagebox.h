#pragma once

#include <QString>

#include <functional>

class QWidget;

// Modal message boxes owned by a window. Tests install a recorder that sees
// every box instead of running it and answers for the user.
class MessageBox {
public:
    enum class Buttons { Ok, RetryCancel };
    enum class Icon { None, Warning, Exclamation };
    enum class Answer { Ok, Retry, Cancel };

    struct Request {
        QWidget* owner = nullptr;
        QString text;
        QString caption;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };
    using Recorder = std::function<Answer(const Request&)>;

    // Shows the box modally over `owner` and returns the button pressed.
    // Closing a box without a button counts as Ok for an Ok box and as Cancel
    // for a Retry/Cancel box.
    static Answer Show(QWidget* owner, const QString& text, const QString& caption,
                       Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

    // Sends every later box to `recorder` instead of the screen; an empty
    // function restores the real boxes.
    static void SetRecorder(Recorder recorder);
};
