#include "frame/helpkeys.h"

#include "frame/helpwindow.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
// The window that has the keyboard while the main window's accelerators
// cannot act, or nullptr.
QWidget* BlockingWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::activeModalWidget();
}
}

CHelpKeys::CHelpKeys(std::function<void()> onHelp, std::function<void()> onContextHelp)
    : m_onHelp(std::move(onHelp)), m_onContextHelp(std::move(onContextHelp))
{
    qApp->installEventFilter(this);
}

CHelpKeys::~CHelpKeys()
{
    qApp->removeEventFilter(this);
}

bool CHelpKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->isAutoRepeat())
        return false;
    QWidget* window = BlockingWindow();
    if (!window || qobject_cast<CHelpWindow*>(window))
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != window)
        return false;

    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier)
        m_onHelp();
    else if (modifiers == Qt::ShiftModifier)
        m_onContextHelp();
    else
        return false;
    return true;
}
