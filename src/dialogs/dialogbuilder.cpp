#include "dialogs/dialogbuilder.h"

#include "dialogs/controlhelp.h"
#include "dialogs/programicon.h"
#include "platform/rgb.h"

#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include <algorithm>

namespace {
const QColor kDialogBackground(ToArgb(kFaceGrey));
const QColor kDialogText(0, 0, 0);
const QColor kFieldBackground(255, 255, 255);

QLabel* CreateStatic(QWidget* parent, const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QLabel* CreateIcon(QWidget* parent)
{
    auto* label = new QLabel(parent);
    const QPixmap icon = ProgramIconPixmap();
    label->setPixmap(icon);
    // An icon control takes the size of its icon, whatever the template says.
    label->resize(icon.isNull() ? QSize(32, 32) : icon.size());
    return label;
}

QComboBox* CreateCombo(QWidget* parent, bool withEditField)
{
    auto* combo = new QComboBox(parent);
    if (withEditField) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The edit field keeps exactly what was typed: no completion from the
        // list, and leaving the field does not select an entry that happens to
        // match its text. Only a choice in the list changes the selection.
        combo->setCompleter(nullptr);
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    }
    // Sizing the combo box to its contents would measure every name.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QWidget* CreateControl(QDialog& window, const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(control.text, &window);
        button->setDefault(control.kind == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::StaticLeft: return CreateStatic(&window, control.text, Qt::AlignLeft);
    case ControlKind::StaticCentre: return CreateStatic(&window, control.text, Qt::AlignHCenter);
    case ControlKind::StaticRight: return CreateStatic(&window, control.text, Qt::AlignRight);
    case ControlKind::Icon: return CreateIcon(&window);
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(control.text, &window);
        // A group box only frames its neighbours; clicks go through to them.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        return group;
    }
    case ControlKind::Edit: return new QLineEdit(&window);
    case ControlKind::DropDownCombo: return CreateCombo(&window, true);
    case ControlKind::DropDownListCombo: return CreateCombo(&window, false);
    }
    return nullptr;
}

// The template height of a combo box includes its dropped-down list; the box
// itself is as high as its style needs, and the list shows as many whole
// entries as the rest of the height holds.
void PlaceCombo(QComboBox& combo, const QRect& pixels)
{
    const int boxHeight = combo.sizeHint().height();
    combo.setGeometry(pixels.x(), pixels.y(), pixels.width(), boxHeight);
    const int entryHeight = std::max(1, QFontMetrics(combo.font()).height());
    combo.setMaxVisibleItems(std::max(1, (pixels.height() - boxHeight) / entryHeight));
}

void PlaceControl(QWidget& widget, const ControlTemplate& control, const DialogUnits& units)
{
    const QRect pixels = units.ToPixels(control.rect);
    switch (control.kind) {
    case ControlKind::Icon: widget.move(pixels.topLeft()); break;
    case ControlKind::DropDownCombo:
    case ControlKind::DropDownListCombo: PlaceCombo(static_cast<QComboBox&>(widget), pixels); break;
    default: widget.setGeometry(pixels); break;
    }
}

// Where a template position counts from: the top-left corner of the owner's
// client area, which lies below a main window's menu bar, or the screen's
// corner for a window without owner.
QPoint ClientOrigin(const QWidget* owner)
{
    if (!owner)
        return QPoint(0, 0);
    int top = 0;
    if (const auto* main = qobject_cast<const QMainWindow*>(owner)) {
        const QWidget* menu = main->menuWidget();
        if (menu && menu->isVisible())
            top = menu->geometry().bottom() + 1;
    }
    return owner->mapToGlobal(QPoint(0, top));
}

void PlaceWindow(QDialog& window, const DialogTemplate& dialogTemplate, const DialogUnits& units)
{
    window.setFixedSize(units.ToPixels(dialogTemplate.size));
    if (!dialogTemplate.position)
        return;
    window.move(ClientOrigin(window.parentWidget()) + units.ToPixels(*dialogTemplate.position));
}
}

QPalette DialogBuilder::DialogPalette()
{
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, kDialogBackground);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, kDialogText);
    palette.setColor(QPalette::Base, kFieldBackground);
    return palette;
}

DialogBuilder::Result DialogBuilder::Populate(QDialog& window, const DialogTemplate& dialogTemplate)
{
    QFont font(dialogTemplate.fontFace, dialogTemplate.fontPointSize);
    window.setFont(font);
    window.setPalette(DialogPalette());
    window.setWindowTitle(dialogTemplate.caption);
    window.setProperty(kTemplateIdProperty, dialogTemplate.id);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);

    Result result{DialogUnits::Measure(window.font()), {}};
    result.controls.reserve(dialogTemplate.controls.size());
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(window, control);
        PlaceControl(*widget, control, result.units);
        widget->setWhatsThis(ControlHelp::WhatsThis(dialogTemplate.id, control));
        if (control.kind == ControlKind::GroupBox)
            widget->lower();
        result.controls.push_back({control.id, control.kind, widget});
    }
    PlaceWindow(window, dialogTemplate, result.units);
    return result;
}
