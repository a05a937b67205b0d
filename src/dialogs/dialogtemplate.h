#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

// Id of controls that the dialog never addresses (statics, group boxes).
constexpr int kIdStatic = -1;

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    StaticLeft,
    StaticCentre,
    StaticRight,
    Icon,
    GroupBox,
    Edit,
    // A combo box whose edit field also takes text of its own.
    DropDownCombo,
    // A combo box that only offers its list.
    DropDownListCombo,
};

// One control of a dialog template: position and size in dialog units.
struct ControlTemplate {
    ControlKind kind;
    int id;
    QString text;
    QRect rect;
};

// A dialog as its resource describes it: size in dialog units, font, and the
// controls in creation (and tab) order. A dialog without a position is centred
// on its owner.
struct DialogTemplate {
    int id;
    QString caption;
    std::optional<QPoint> position;
    QSize size;
    QString fontFace;
    int fontPointSize;
    std::vector<ControlTemplate> controls;
};
