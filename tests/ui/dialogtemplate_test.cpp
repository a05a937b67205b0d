// The dialogs' building blocks: dialog units, every template's controls,
// tab order, texts at the widget boundary and the message box; and the
// About dialog.
#include "dialogs/aboutdlg.h"
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/dialogunits.h"
#include "programtestenv.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <cmath>

namespace {
// Dialog units to pixels as Windows converts them, worked out here from the
// base units without the program's own conversion.
struct WindowsUnits {
    int baseWidth;
    int baseHeight;

    static WindowsUnits Of(const QFont& font)
    {
        const QFontMetrics metrics(font);
        return {(metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2,
                metrics.height()};
    }
    // Halves round away from zero.
    static int Round(double value) { return int(value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5)); }
    QRect ToPixels(const QRect& units) const
    {
        return QRect(Round(units.x() * baseWidth / 4.0), Round(units.y() * baseHeight / 8.0),
                     Round(units.width() * baseWidth / 4.0), Round(units.height() * baseHeight / 8.0));
    }
};

// The kinds of control Tab passes over.
const QList<ControlKind> kNoTabStop = {ControlKind::StaticLeft, ControlKind::StaticCentre, ControlKind::StaticRight,
                                       ControlKind::Icon, ControlKind::GroupBox};

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
}

class DialogTemplateTest : public QObject {
    Q_OBJECT

    // Every dialog and control of every template stands where its dialog
    // units say; a combo box's template height includes its dropped-down
    // list, an icon is 32 x 32. Tab visits the controls a user can work in
    // template order and comes round to the first again.
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
            QList<int> order;
            for (size_t i = 0; i < built.controls.size(); ++i) {
                const ControlTemplate& wanted = dialog->controls[i];
                const QWidget* control = built.controls[i].widget;
                const QRect expected = units.ToPixels(wanted.rect);
                const QByteArray name = (dialog->caption + " control " + QString::number(i)).toUtf8();
                QVERIFY2(built.controls[i].id == wanted.id && control->pos() == expected.topLeft(), name);
                if (qobject_cast<const QComboBox*>(control))
                    QVERIFY2(control->width() == expected.width() && control->height() < expected.height(), name);
                else
                    QVERIFY2(control->size() == (wanted.kind == ControlKind::Icon ? QSize(32, 32) : expected.size()), name);
                if (const auto* button = qobject_cast<const QAbstractButton*>(control))
                    QCOMPARE(button->text(), wanted.text);
                if (const auto* label = qobject_cast<const QLabel*>(control); label && wanted.kind != ControlKind::Icon)
                    QCOMPARE(label->text(), wanted.text);
                if (!kNoTabStop.contains(wanted.kind))
                    order.append(wanted.id);
            }
            if (order.size() < 2)
                continue;
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

    void messageBoxesAnswerWithTheButtonPressed()
    {
        using B = MessageBox::Buttons;
        using A = MessageBox::Answer;
        struct Row {
            B buttons;
            MessageBox::Icon icon;
            Qt::Key press;
            A answer;
        };
        for (const Row& row : {Row{B::Ok, MessageBox::Icon::None, Qt::Key_Return, A::Ok},
                               Row{B::RetryCancel, MessageBox::Icon::Warning, Qt::Key_Return, A::Retry},
                               Row{B::RetryCancel, MessageBox::Icon::Warning, Qt::Key_Escape, A::Cancel}}) {
            QWidget owner;
            owner.show();
            const bool shown = InModal(
                [&] { QCOMPARE(MessageBox::Show(&owner, "Could not save.", "Orvina 2.1", row.buttons, row.icon), row.answer); },
                [&](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    QVERIFY(box);
                    QCOMPARE(box->text() + box->windowTitle(), QString("Could not save.Orvina 2.1"));
                    QCOMPARE(box->parentWidget(), &owner);
                    QCOMPARE(box->icon(), row.icon == MessageBox::Icon::None ? QMessageBox::NoIcon : QMessageBox::Warning);
                    QCOMPARE(int(box->buttons().size()), row.buttons == B::Ok ? 1 : 2);
                    QTest::keyClick(box, row.press);
                });
            QVERIFY(shown);
        }
    }

    // The icon is a picture and OK the default with the focus; over an owner
    // the dialog stands at its place below the owner's menu bar.
    void theAboutDialog()
    {
        QMainWindow owner;
        owner.menuBar()->addMenu(QStringLiteral("&File"));
        owner.setGeometry(200, 150, 600, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner) && owner.menuBar()->height() > 0);
        CAboutDlg dialog;
        const int closedWith = RunDialog(dialog, &owner, [&](QDialog* window) {
            const QPoint client = owner.mapToGlobal(QPoint(0, owner.menuBar()->height()));
            QCOMPARE(window->pos(), client + DialogUnits::Measure(window->font()).ToPixels(*AboutTemplate().position));
            QVERIFY(window->isModal() && window->parentWidget() == &owner);
            const QImage picture = qobject_cast<QLabel*>(dialog.Controls().front().widget)->pixmap().toImage();
            QCOMPARE(picture.size(), QSize(32, 32));
            QVERIFY(picture.pixelColor(16, 16).alpha() == 255 && picture.pixelColor(0, 31).alpha() == 0);
            auto* ok = qobject_cast<QPushButton*>(dialog.Control(kIdOk));
            QVERIFY(ok->isDefault() && window->focusWidget() == ok);
            QTest::keyClick(window, Qt::Key_Return);
        });
        QCOMPARE(closedWith, int(kIdOk));
        QVERIFY(!dialog.Window());
    }
};

QTEST_MAIN(DialogTemplateTest)
#include "dialogtemplate_test.moc"
