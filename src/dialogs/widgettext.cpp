#include "dialogs/widgettext.h"

#include "platform/textencoding.h"

QString ToWidgetText(const std::string& bytes)
{
    return DecodeSystemText(bytes);
}

std::string FromWidgetText(const QString& text)
{
    return text.toStdString();
}
