#pragma once

#include <QIcon>
#include <QPixmap>

// The program icon (resource 128): a calendar page with the four cycle
// curves, 32 by 32 pixels in 16 colours.
constexpr const char* kProgramIconPath = ":/icons/orvina.png";

QPixmap ProgramIconPixmap();
QIcon ProgramIcon();
