#include "dialogs/dataexchange.h"
#include "dialogs/dialog.h"
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/widgettext.h"
#include "programtestenv.h"
#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <vector>

namespace {
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// Dialog units to pixels as Windows converts them, worked out here from the
// font without the program's own conversion.
struct WindowsUnits {
    int baseWidth;
    int baseHeight;

    static WindowsUnits Of(const QFont& font)
    {
        const QFontMetrics metrics(font);
        return {(metrics.horizontalAdvance(kLetters) / 26 + 1) / 2, metrics.height()};
    }
    static int Round(double value) { return static_cast<int>(value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5)); }
    QRect ToPixels(const QRect& units) const
    {
        return QRect(Round(units.x() * baseWidth / 4.0), Round(units.y() * baseHeight / 8.0),
                     Round(units.width() * baseWidth / 4.0), Round(units.height() * baseHeight / 8.0));
    }
};

const DialogTemplate& TemplateNamed(const QString& name)
{
    if (name == "About")
        return AboutTemplate();
    if (name == "People")
        return PeopleTemplate();
    return CompatibilityTemplate();
}

QWidget* ControlWithId(const DialogBuilder::Result& built, int id)
{
    for (const BuiltControl& control : built.controls) {
        if (control.id == id)
            return control.widget;
    }
    return nullptr;
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

    void controlsStandWhereTheTemplateSays_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("units");
        QTest::newRow("About OK") << "About" << int(kIdOk) << QRect(176, 6, 32, 14);
        QTest::newRow("People OK") << "People" << int(kIdOk) << QRect(130, 6, 50, 14);
        QTest::newRow("People Year") << "People" << int(kIdcYear) << QRect(16, 81, 32, 13);
        QTest::newRow("People Day") << "People" << int(kIdcDay) << QRect(87, 81, 25, 13);
        QTest::newRow("People Remove") << "People" << int(kIdcRemove) << QRect(130, 40, 50, 14);
        QTest::newRow("Compatibility Cancel") << "Compatibility" << int(kIdCancel) << QRect(130, 23, 50, 14);
        QTest::newRow("Compatibility Intuitional") << "Compatibility" << int(kIdcIntuitional)
                                                   << QRect(146, 88, 16, 8);
        // A combo box's template height includes its dropped-down list.
        QTest::newRow("People name combo") << "People" << int(kIdcName) << QRect(6, 26, 108, 45);
        QTest::newRow("Compatibility second combo") << "Compatibility" << int(kIdcName2) << QRect(13, 38, 102, 50);
    }

    void controlsStandWhereTheTemplateSays()
    {
        QFETCH(QString, dialog);
        QFETCH(int, id);
        QFETCH(QRect, units);
        QDialog window;
        const DialogBuilder::Result built = DialogBuilder::Populate(window, TemplateNamed(dialog));
        const QRect expected = WindowsUnits::Of(window.font()).ToPixels(units);
        QCOMPARE(QFontInfo(window.font()).family(), QString("DejaVu Sans"));
        QWidget* control = ControlWithId(built, id);
        if (qobject_cast<QComboBox*>(control)) {
            QCOMPARE(control->geometry().topLeft(), expected.topLeft());
            QCOMPARE(control->width(), expected.width());
            QVERIFY(control->height() < expected.height());
        } else {
            QCOMPARE(control->geometry(), expected);
        }
    }

    void dialogSizeComesFromTheTemplate_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QSize>("units");
        QTest::addColumn<QString>("caption");
        QTest::newRow("About") << "About" << QSize(217, 97) << "About Orvina";
        QTest::newRow("People") << "People" << QSize(186, 125) << "Orvina: People";
        QTest::newRow("Compatibility") << "Compatibility" << QSize(186, 117) << "Orvina: Compatibility between";
    }

    void dialogSizeComesFromTheTemplate()
    {
        QFETCH(QString, dialog);
        QFETCH(QSize, units);
        QFETCH(QString, caption);
        QDialog window;
        DialogBuilder::Populate(window, TemplateNamed(dialog));
        QCOMPARE(window.size(), WindowsUnits::Of(window.font()).ToPixels(QRect(QPoint(), units)).size());
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.windowTitle(), caption);
    }

    void tabFollowsTheTemplateOrder_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("People") << "People"
                                << QList<int>{kIdOk, kIdcName, kIdcYear, kIdcMonth, kIdcDay, kIdcAdd, kIdcRemove, kIdOk};
        QTest::newRow("Compatibility") << "Compatibility" << QList<int>{kIdOk, kIdCancel, kIdcName1, kIdcName2, kIdOk};
    }

    void tabFollowsTheTemplateOrder()
    {
        QFETCH(QString, dialog);
        QFETCH(QList<int>, order);
        QDialog window;
        const DialogBuilder::Result built = DialogBuilder::Populate(window, TemplateNamed(dialog));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ControlWithId(built, order.front())->setFocus();
        QList<int> visited{IdOfFocus(built, QApplication::focusWidget())};
        for (int step = 1; step < order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(IdOfFocus(built, QApplication::focusWidget()));
        }
        QCOMPARE(visited, order);
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
        QCOMPARE(requests[0].text, QString("Please enter no more than 3 characters."));
        QCOMPARE(requests[0].caption, QString("Orvina 2.1"));
        QVERIFY(requests[0].buttons == MessageBox::Buttons::Ok);
        QVERIFY(requests[0].icon == MessageBox::Icon::Exclamation);
        QCOMPARE(requests[0].owner, owner);
        QCOMPARE(dialog.m_after, std::string("before"));
    }

    void editFieldsAreLimitedByTheTransferToThem()
    {
        QWidget owner;
        QLineEdit edit(&owner);
        std::string value = "1234567";
        CDataExchange toControls(&owner, false);
        toControls.Text(&edit, value, 4);
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&edit, "98765");
        QCOMPARE(edit.text(), QString("9876"));
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
};

QTEST_MAIN(DialogTemplateTest)
#include "dialogtemplate_test.moc"
