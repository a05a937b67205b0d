#pragma once

#include "dialogs/dialogtemplate.h"
#include "dialogs/dialogunits.h"

#include <QPalette>

#include <vector>

class QDialog;
class QWidget;

// A control created from a template, with its id (kIdStatic for statics).
struct BuiltControl {
    int id;
    ControlKind kind;
    QWidget* widget;
};

// Creates the controls of a template on an empty dialog window: the dialog
// font, the caption, the fixed client size in dialog units, the grey look,
// and each control in template order, so that the tab order is the template
// order, with its What's This text. The window owns the controls.
class DialogBuilder {
public:
    // The window's property that holds the id of its template, by which
    // help finds the dialog's topic.
    static constexpr const char* kTemplateIdProperty = "dialogTemplateId";

    struct Result {
        DialogUnits units;
        std::vector<BuiltControl> controls;
    };

    static Result Populate(QDialog& window, const DialogTemplate& dialogTemplate);

    // Light grey background with black text, the look the program gives its
    // dialogs whether or not the application set it already.
    static QPalette DialogPalette();
};
