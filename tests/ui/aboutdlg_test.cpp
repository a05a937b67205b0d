#include "dialogrun.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/dialogtemplates.h"

#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Dialog units of the dialog font in pixels, as Windows measures them.
QPoint Pixels(const QWidget* window, int x, int y)
{
    const QFontMetrics metrics(window->font());
    const int baseWidth = (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    return QPoint(qRound(x * baseWidth / 4.0), qRound(y * metrics.height() / 8.0));
}

QLabel* IconLabel(const CDialog& dialog)
{
    for (const BuiltControl& control : dialog.Controls()) {
        if (control.kind == ControlKind::Icon)
            return qobject_cast<QLabel*>(control.widget);
    }
    return nullptr;
}
}

class AboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsIconVersionAndOk()
    {
        CAboutDlg dialog;
        RunDialog(dialog, nullptr, [&](QDialog* window) {
            QCOMPARE(window->windowTitle(), QString("About Orvina"));
            QLabel* icon = IconLabel(dialog);
            QVERIFY(icon);
            QCOMPARE(icon->pixmap().size(), QSize(32, 32));
            QCOMPARE(icon->geometry(), QRect(Pixels(window, 12, 11), QSize(32, 32)));
            // The icon is a picture, not an empty square.
            const QImage picture = icon->pixmap().toImage();
            QVERIFY(picture.pixelColor(16, 16).alpha() == 255);
            QVERIFY(picture.pixelColor(0, 31).alpha() == 0);

            QStringList texts;
            for (const QLabel* label : window->findChildren<QLabel*>())
                texts.append(label->text());
            QVERIFY(texts.contains("Orvina Version 2.1"));

            auto* ok = qobject_cast<QPushButton*>(dialog.Control(kIdOk));
            QCOMPARE(ok->text(), QString("OK"));
            QVERIFY(ok->isDefault());
            QCOMPARE(QApplication::focusWidget(), ok);
        });
    }

    void closes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("OK clicked") << "click" << int(kIdOk);
        QTest::newRow("Enter") << "enter" << int(kIdOk);
        QTest::newRow("Escape") << "escape" << int(kIdCancel);
        QTest::newRow("close button") << "close" << int(kIdCancel);
    }

    void closes()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        CAboutDlg dialog;
        const int closedWith = RunDialog(dialog, nullptr, [&](QDialog* window) {
            if (how == "click")
                QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(kIdOk)), Qt::LeftButton);
            else if (how == "enter")
                QTest::keyClick(window, Qt::Key_Return);
            else if (how == "escape")
                QTest::keyClick(window, Qt::Key_Escape);
            else
                window->close();
        });
        QCOMPARE(closedWith, result);
        QVERIFY(!dialog.Window());
    }

    // Its position counts from the owner's client area, below the menu bar.
    void standsAtItsPlaceOverTheOwner()
    {
        QMainWindow owner;
        owner.menuBar()->addMenu(QStringLiteral("&File"));
        owner.setGeometry(200, 150, 600, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QVERIFY(owner.menuBar()->height() > 0);
        CAboutDlg dialog;
        RunDialog(dialog, &owner, [&](QDialog* window) {
            QCOMPARE(window->parentWidget(), &owner);
            const QPoint client = owner.mapToGlobal(QPoint(0, owner.menuBar()->height()));
            QCOMPARE(window->pos(), client + Pixels(window, 34, 22));
            QVERIFY(window->isModal());
        });
    }
};

QTEST_MAIN(AboutDlgTest)
#include "aboutdlg_test.moc"
