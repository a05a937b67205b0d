#pragma once

#include "dialogs/dialogtemplate.h"

#include <QString>

// What's This texts of the dialogs' controls. A control with an id is found
// by it; a static without one by its text, so that the texts stay with their
// controls whatever the order of the template.
class ControlHelp {
public:
    // The text of `control` in the dialog of template `dialogId`; empty when
    // there is none.
    static QString WhatsThis(int dialogId, const ControlTemplate& control);
};
