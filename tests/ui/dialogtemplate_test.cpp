// The dialogs' building blocks: every template's controls where their
// dialog units put them, tab order, and the message box.
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "programtestenv.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

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

private slots:
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

    // Each set of buttons, answered with Return (its default) or Escape.
    void messageBoxesAnswerWithTheButtonPressed()
    {
        using B = MessageBox::Buttons;
        using A = MessageBox::Answer;
        using I = MessageBox::Icon;
        for (const auto& [buttons, icon, press, answer, count] :
             {std::tuple{B::Ok, I::None, Qt::Key_Return, A::Ok, 1}, {B::RetryCancel, I::Warning, Qt::Key_Return, A::Retry, 2},
              {B::RetryCancel, I::Warning, Qt::Key_Escape, A::Cancel, 2},
              {B::RetrySaveAsCancel, I::Warning, Qt::Key_Return, A::Retry, 3},
              {B::SaveAsCancel, I::Exclamation, Qt::Key_Return, A::SaveAs, 2}}) {
            QWidget owner;
            owner.show();
            const auto show = [&, b = buttons, i = icon, a = answer] {
                QCOMPARE(MessageBox::Show(&owner, "Could not save.", "Orvina 2.1", b, i), a);
            };
            QVERIFY(InModal(show, [&, i = icon, p = press, n = count](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box && box->parentWidget() == &owner);
                QCOMPARE(box->icon(), i == I::None ? QMessageBox::NoIcon : QMessageBox::Warning);
                QCOMPARE(box->text() + box->windowTitle() + QString::number(box->buttons().size()),
                         "Could not save.Orvina 2.1" + QString::number(n));
                QTest::keyClick(box, p);
            }));
        }
    }
};

QTEST_MAIN(DialogTemplateTest)
#include "dialogtemplate_test.moc"
