#include "dialogrun.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/dialogunits.h"

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

class AboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    // Where its controls stand is checked with every template; here, that the
    // icon is a picture and OK takes Enter and the focus.
    void showsItsIconAndFocusesOk()
    {
        CAboutDlg dialog;
        RunDialog(dialog, nullptr, [&](QDialog*) {
            for (const BuiltControl& control : dialog.Controls()) {
                if (control.kind != ControlKind::Icon)
                    continue;
                const QImage picture = qobject_cast<QLabel*>(control.widget)->pixmap().toImage();
                QCOMPARE(picture.size(), QSize(32, 32));
                QVERIFY(picture.pixelColor(16, 16).alpha() == 255 && picture.pixelColor(0, 31).alpha() == 0);
            }
            auto* ok = qobject_cast<QPushButton*>(dialog.Control(kIdOk));
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
            else if (how == "close")
                window->close();
            else
                QTest::keyClick(window, how == "enter" ? Qt::Key_Return : Qt::Key_Escape);
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
            const QPoint offset = DialogUnits::Measure(window->font()).ToPixels(*AboutTemplate().position);
            QCOMPARE(window->pos(), client + offset);
            QVERIFY(window->isModal());
        });
    }
};

QTEST_MAIN(AboutDlgTest)
#include "aboutdlg_test.moc"
