// The dialogs' building blocks: dialog units, every template's controls,
// tab order, the data exchange's limit, texts at the widget boundary and the
// message box; and the About dialog.
#include "dialogrun.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/dataexchange.h"
#include "dialogs/dialog.h"
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/dialogunits.h"
#include "dialogs/widgettext.h"
#include "platform/messagebox.h"
#include "programtestenv.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {
// Dialog units to pixels as Windows converts them, worked out here from the
// font without the program's own conversion.
struct WindowsUnits {
    int baseWidth;
    int baseHeight;

    static WindowsUnits Of(const QFont& font)
    {
        const QFontMetrics metrics(font);
        return {(metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2,
                metrics.height()};
    }
    static int Round(double value) { return int(value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5)); }
    QRect ToPixels(const QRect& units) const
    {
        return QRect(Round(units.x() * baseWidth / 4.0), Round(units.y() * baseHeight / 8.0),
                     Round(units.width() * baseWidth / 4.0), Round(units.height() * baseHeight / 8.0));
    }
};

std::vector<const DialogTemplate*> Templates()
{
    return {&AboutTemplate(), &PeopleTemplate(), &CompatibilityTemplate()};
}

// The control of the dialog that holds `widget` (a combo box for its edit field).
int IdOfFocus(const DialogBuilder::Result& built, QWidget* focus)
{
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        for (const BuiltControl& control : built.controls) {
            if (control.widget == widget)
                return control.id;
        }
    }
    return 0;
}

// A dialog with a result text limited to 3 characters and a free edit field
// after it, the way the Compatibility dialog exchanges its results.
const DialogTemplate& LimitTemplate()
{
    static const DialogTemplate limit{
        900, "Limit", std::nullopt, QSize(100, 40), "DejaVu Sans", 8,
        {
            {ControlKind::DefaultPushButton, kIdOk, "OK", QRect(60, 6, 32, 14)},
            {ControlKind::StaticRight, 901, QString(), QRect(6, 6, 16, 8)},
            {ControlKind::Edit, 902, QString(), QRect(6, 20, 40, 13)},
        }};
    return limit;
}

class CLimitDlg : public CDialog {
public:
    CLimitDlg() : CDialog(LimitTemplate()) {}
    std::string m_result;
    std::string m_after;
    std::function<void(CLimitDlg&)> m_onInit;

protected:
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_onInit(*this);
        return true;
    }
    void DoDataExchange(CDataExchange& exchange) override
    {
        exchange.Text(qobject_cast<QLabel*>(Control(901)), m_result, 3);
        exchange.Text(qobject_cast<QLineEdit*>(Control(902)), m_after);
    }
};
}

class DialogTemplateTest : public QObject {
    Q_OBJECT

private slots:
    void dialogUnitsConvertLikeWindows_data()
    {
        QTest::addColumn<int>("baseWidth");
        QTest::addColumn<int>("baseHeight");
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QRect>("pixels");
        // MS Sans Serif 8 at 96 dpi has base units 6 x 13: the usual 50 x 14
        // button is 75 x 23 pixels.
        QTest::newRow("button, MS Sans Serif") << 6 << 13 << QRect(130, 6, 50, 14) << QRect(195, 10, 75, 23);
        QTest::newRow("halves round up") << 6 << 13 << QRect(1, 4, 3, 12) << QRect(2, 7, 5, 20);
        QTest::newRow("negative halves round away from zero") << 6 << 13 << QRect(-3, -4, 0, 0)
                                                               << QRect(-5, -7, 0, 0);
        QTest::newRow("base 7 x 13") << 7 << 13 << QRect(16, 81, 32, 13) << QRect(28, 132, 56, 21);
    }

    void dialogUnitsConvertLikeWindows()
    {
        QFETCH(int, baseWidth);
        QFETCH(int, baseHeight);
        QFETCH(QRect, units);
        QFETCH(QRect, pixels);
        QCOMPARE(DialogUnits(baseWidth, baseHeight).ToPixels(units), pixels);
    }

    // Every dialog and every control of every template stands where its dialog
    // units say, converted by the rule above; a combo box's template height
    // includes its dropped-down list, an icon is 32 x 32.
    void everyControlStandsWhereItsTemplateSays()
    {
        for (const DialogTemplate* dialog : Templates()) {
            QDialog window;
            const DialogBuilder::Result built = DialogBuilder::Populate(window, *dialog);
            const WindowsUnits units = WindowsUnits::Of(window.font());
            QCOMPARE(QFontInfo(window.font()).family(), dialog->fontFace);
            QCOMPARE(window.size(), units.ToPixels(QRect(QPoint(), dialog->size)).size());
            QCOMPARE(window.minimumSize(), window.maximumSize());
            QCOMPARE(window.windowTitle(), dialog->caption);
            QCOMPARE(built.controls.size(), dialog->controls.size());
            for (size_t i = 0; i < built.controls.size(); ++i) {
                const ControlTemplate& wanted = dialog->controls[i];
                const QWidget* control = built.controls[i].widget;
                const QRect expected = units.ToPixels(wanted.rect);
                const QString name = dialog->caption + " control " + QString::number(i);
                QVERIFY2(built.controls[i].id == wanted.id && control->geometry().topLeft() == expected.topLeft(),
                         qPrintable(name));
                if (qobject_cast<const QComboBox*>(control))
                    QVERIFY2(control->width() == expected.width() && control->height() < expected.height(),
                             qPrintable(name));
                else if (wanted.kind == ControlKind::Icon)
                    QCOMPARE(control->size(), QSize(32, 32));
                else
                    QVERIFY2(control->size() == expected.size(), qPrintable(name));
                if (const auto* button = qobject_cast<const QAbstractButton*>(control))
                    QCOMPARE(button->text(), wanted.text);
                if (const auto* label = qobject_cast<const QLabel*>(control); label && wanted.kind != ControlKind::Icon)
                    QCOMPARE(label->text(), wanted.text);
            }
        }
    }

    // Tab visits the buttons, edit fields and combo boxes in template order
    // and comes round to the first again.
    void tabFollowsTheTemplateOrder()
    {
        for (const DialogTemplate* dialog : {&PeopleTemplate(), &CompatibilityTemplate()}) {
            QDialog window;
            const DialogBuilder::Result built = DialogBuilder::Populate(window, *dialog);
            QList<int> order;
            for (const ControlTemplate& control : dialog->controls) {
                if (control.kind != ControlKind::GroupBox && control.kind != ControlKind::Icon &&
                    control.kind != ControlKind::StaticLeft && control.kind != ControlKind::StaticCentre &&
                    control.kind != ControlKind::StaticRight)
                    order.append(control.id);
            }
            order.append(order.front());
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            built.controls.front().widget->setFocus();
            QList<int> visited{IdOfFocus(built, QApplication::focusWidget())};
            while (visited.size() < order.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited.append(IdOfFocus(built, QApplication::focusWidget()));
            }
            QCOMPARE(visited, order);
        }
    }

    void anOverLongTextStopsTheTransfer()
    {
        MessageRecorder messages;
        const std::vector<MessageBox::Request>& requests = messages.Shown();
        CLimitDlg dialog;
        dialog.m_result = "1000";
        dialog.m_after = "before";
        bool transferred = true;
        QDialog* owner = nullptr;
        dialog.m_onInit = [&](CLimitDlg& self) {
            owner = self.Window();
            qobject_cast<QLineEdit*>(self.Control(902))->setText("typed");
            transferred = self.UpdateData(true);
        };
        QTimer::singleShot(0, [&dialog] { dialog.EndDialog(kIdCancel); });
        dialog.DoModal(nullptr);
        QVERIFY(!transferred);
        QCOMPARE(int(requests.size()), 1);
        QCOMPARE(requests[0].caption + ": " + requests[0].text, QString("Orvina 2.1: Please enter no more than 3 characters."));
        QVERIFY(requests[0].buttons == MessageBox::Buttons::Ok && requests[0].icon == MessageBox::Icon::Exclamation);
        QCOMPARE(requests[0].owner, owner);
        QCOMPARE(dialog.m_after, std::string("before"));
    }

    void textsCrossTheWidgetBoundary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("New Name") << QString("New Name");
        QTest::newRow("UTF-8") << QByteArray("J\xc3\xb6rg") << QString::fromUtf8("J\xc3\xb6rg");
        QTest::newRow("Windows-1252 letter") << QByteArray("Ren\xe9") << QString::fromUtf8("Ren\xc3\xa9");
    }

    void textsCrossTheWidgetBoundary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(ToWidgetText(bytes.toStdString()), shown);
        QCOMPARE(FromWidgetText(shown), shown.toStdString());
    }

    void messageBoxesAnswerWithTheButtonPressed_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        using B = MessageBox::Buttons;
        using I = MessageBox::Icon;
        using A = MessageBox::Answer;
        QTest::newRow("OK") << int(B::Ok) << int(I::None) << int(Qt::Key_Return) << int(A::Ok);
        QTest::newRow("Retry") << int(B::RetryCancel) << int(I::Warning) << int(Qt::Key_Return) << int(A::Retry);
        QTest::newRow("Cancel by Escape") << int(B::RetryCancel) << int(I::Warning) << int(Qt::Key_Escape)
                                          << int(A::Cancel);
    }

    void messageBoxesAnswerWithTheButtonPressed()
    {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(int, press);
        QFETCH(int, answer);
        QWidget owner;
        owner.show();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = true;
            QCOMPARE(box->text(), QString("Could not save."));
            QCOMPARE(box->windowTitle(), QString("Orvina 2.1"));
            QCOMPARE(box->parentWidget(), &owner);
            QCOMPARE(box->icon(), MessageBox::Icon(icon) == MessageBox::Icon::None ? QMessageBox::NoIcon
                                                                                   : QMessageBox::Warning);
            QCOMPARE(int(box->buttons().size()), MessageBox::Buttons(buttons) == MessageBox::Buttons::Ok ? 1 : 2);
            QTest::keyClick(box, Qt::Key(press));
        });
        // A box that the first timer missed must not hold the test up.
        QTimer::singleShot(2000, &owner, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        const MessageBox::Answer result =
            MessageBox::Show(&owner, "Could not save.", "Orvina 2.1", MessageBox::Buttons(buttons), MessageBox::Icon(icon));
        QVERIFY(shown);
        QCOMPARE(int(result), answer);
    }

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

QTEST_MAIN(DialogTemplateTest)
#include "dialogtemplate_test.moc"
