#pragma once

// Runs one of the program's dialogs modally in a test while a driver works
// its window.

#include "dialogs/dialog.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// The result of a run whose window the driver left open.
constexpr int kLeftOpen = 99;

inline int RunDialog(CDialog& dialog, QWidget* parent, const std::function<void(QDialog*)>& drive)
{
    QTimer::singleShot(0, [&dialog, &drive] {
        [&] {
            QDialog* window = dialog.Window();
            QVERIFY(window);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            drive(window);
        }();
        if (dialog.Window() && dialog.Window()->isVisible())
            dialog.Window()->done(kLeftOpen);
    });
    return dialog.DoModal(parent);
}
