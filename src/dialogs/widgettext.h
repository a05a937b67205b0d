#pragma once

#include <QString>

#include <string>

// The core keeps texts as bytes in the system code page (UTF-8 here); widgets
// show QStrings. Bytes that are not valid UTF-8 come from older files written
// in Windows-1252 and are shown as such.
QString ToWidgetText(const std::string& bytes);
std::string FromWidgetText(const QString& text);
