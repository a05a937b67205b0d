#include "cli/clitext.h"

#include "platform/textencoding.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <ostream>

std::string FormatDate(const CDate& date)
{
    char text[32];
    const int64_t year = date.year;
    std::snprintf(text, sizeof text, "%s%04lld-%02d-%02d", year < 0 ? "-" : "",
                  static_cast<long long>(std::llabs(year)), date.month, date.day);
    return text;
}

std::string DecodeName(const std::string& stored)
{
    return DecodeSystemText(stored).toStdString();
}

void WriteJson(std::ostream& out, const QJsonObject& document)
{
    out << QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
}
