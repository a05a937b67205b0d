// Starts the real orvina-cli and reads its scripting forms back: the JSON
// documents against the text, the calendar of critical days against a model
// of the rule built on Qt's own calendar.
#include "clitestfolder.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kCycles[] = {"Physical", "Emotional", "Intellectual", "Intuitional"};
const int kPeriods[] = {23, 28, 33, 38};

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = line.find(separator, start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::string Text(const QJsonValue& value)
{
    return value.isString() ? value.toString().toStdString()
                            : value.isNull() ? "-" : std::to_string(value.toInt());
}

// "Physical" and so on on the critical days from `from` to `to`: those where
// some multiple of half the period lies in [age, age + 1).
std::vector<std::pair<QDate, std::string>> CriticalModel(QDate birth, QDate from, QDate to)
{
    std::vector<std::pair<QDate, std::string>> days;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        const qint64 age = birth.daysTo(date);
        for (int cycle = 0; cycle < 4; ++cycle) {
            qint64 multiple = age * 2 / kPeriods[cycle] - 1;
            while (multiple * kPeriods[cycle] < 2 * age)
                ++multiple;
            if (multiple * kPeriods[cycle] < 2 * (age + 1))
                days.emplace_back(date, kCycles[cycle]);
        }
    }
    return days;
}

class Scripting : public CliTestFolder {
protected:
    // The --json form of `args`, parsed; the text form's lines in `lines`.
    QJsonObject Both(const std::vector<std::string>& args, std::vector<std::string>& lines) const
    {
        const CliRun text = Run(args);
        std::vector<std::string> jsonArgs = args;
        jsonArgs.push_back("--json");
        const CliRun json = Run(jsonArgs);
        EXPECT_EQ(text.status, json.status);
        EXPECT_EQ(json.err, text.err);
        lines = Lines(text.out);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << json.out;
        return document.object();
    }
};

TEST_F(Scripting, JsonHoldsTheValuesOfTheText)
{
    WriteBytes("database.bio", DatabaseBytes({{"Jos\xE9", "1901", "01", "01"}, {"Bea", "1970", "1", "031"}}));
    std::vector<std::string> lines;
    // month: the text's columns, '-' where no curves are drawn.
    const std::vector<std::vector<std::string>> months = {{"1996-06-01", "1996-06"}, {"0-0-0", "2000-02"}};
    for (const auto& month : months) {
        const QJsonObject document = Both({"month", month[0], month[1]}, lines);
        const QJsonArray days = document["days"].toArray();
        ASSERT_EQ(lines.size(), days.size() + 1u);
        EXPECT_EQ(document["month"].toString().toStdString(), month[1]);
        const char* keys[] = {"day", "weekday", "age", "physical", "emotional", "intellectual", "intuitional"};
        for (qsizetype day = 0; day < days.size(); ++day) {
            const QJsonObject entry = days[day].toObject();
            const std::vector<std::string> fields = Split(lines[day + 1], '\t');
            ASSERT_EQ(fields.size(), 7u);
            for (size_t key = 0; key < 7; ++key)
                EXPECT_EQ(Text(entry[keys[key]]), fields[key]) << keys[key] << " " << lines[day + 1];
            const QDate first = QDate::fromString(QString::fromStdString(month[1] + "-01"), Qt::ISODate);
            EXPECT_EQ(entry["date"].toString(), first.addDays(day).toString(Qt::ISODate));
        }
    }
    // compat: "Cycle value" lines.
    const QJsonObject compat = Both({"compat", "1900-01-01", "1982-02-20"}, lines);
    ASSERT_EQ(lines.size(), 4u);
    for (size_t cycle = 0; cycle < 4; ++cycle) {
        EXPECT_EQ(lines[cycle], std::string(kCycles[cycle]) + " " +
                                    Text(compat[QString::fromLatin1(kCycles[cycle]).toLower()]));
    }
    // people: the same columns, the name decoded alike.
    const QJsonArray people = Both({"people"}, lines)["people"].toArray();
    ASSERT_EQ(lines.size(), people.size() + 1u);
    for (qsizetype i = 0; i < people.size(); ++i) {
        const QJsonObject person = people[i].toObject();
        EXPECT_EQ(Text(person["index"]) + "\t" + Text(person["name"]) + "\t" + Text(person["year"]) + "\t" +
                      Text(person["month"]) + "\t" + Text(person["day"]),
                  lines[i + 1]);
    }
    EXPECT_EQ(people[0].toObject()["name"].toString(), QString::fromUtf8("Jos\xC3\xA9"));
    // critical: "date cycle" lines, up to the longest range allowed.
    const std::vector<std::vector<std::string>> ranges = {
        {"1990-05-17", "2026-12-01", "2026-12-31"}, {"2000-01-01", "2000-01-01", "2099-12-31"}};
    for (const auto& range : ranges) {
        const QJsonArray days = Both({"critical", range[0], range[1], range[2]}, lines)["days"].toArray();
        ASSERT_EQ(lines.size(), days.size());
        ASSERT_FALSE(lines.empty());
        for (qsizetype i = 0; i < days.size(); ++i)
            EXPECT_EQ(Text(days[i].toObject()["date"]) + " " + Text(days[i].toObject()["cycle"]), lines[i]);
    }
}

// The calendar parsed back against the model: CRLF lines, one all-day event
// per critical day and cycle, UIDs that are unique, the same on another run
// and different for another birth date.
TEST_F(Scripting, CalendarHoldsOneEventPerCriticalDay)
{
    const auto events = [&](const std::string& birth, const std::string& from, const std::string& to) {
        const CliRun run = Run({"critical", birth, from, to, "--ics"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, 17), "BEGIN:VCALENDAR\r\n");
        std::vector<std::map<std::string, std::string>> found;
        for (const std::string& line : Split(run.out.substr(0, run.out.size() - 1), '\n')) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r' && line.size() <= 76) << line;
            const size_t colon = line.find(':');
            if (line == "BEGIN:VEVENT\r")
                found.emplace_back();
            else if (!found.empty() && colon != std::string::npos)
                found.back()[line.substr(0, colon)] = line.substr(colon + 1, line.size() - colon - 2);
        }
        EXPECT_EQ(Lines(run.out).back(), "END:VCALENDAR\r");
        return found;
    };
    const struct { const char *birth, *from, *to; } rows[] = {
        {"1990-05-17", "2026-01-01", "2026-12-31"},
        {"2000-01-01", "2000-01-01", "2000-03-31"},  // every cycle at age 0
        {"2010-06-15", "2010-06-01", "2010-06-14"},  // before the birth
    };
    std::set<std::string> uids;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.birth);
        const auto found = events(row.birth, row.from, row.to);
        const auto model = CriticalModel(QDate::fromString(row.birth, Qt::ISODate),
                                         QDate::fromString(row.from, Qt::ISODate), QDate::fromString(row.to, Qt::ISODate));
        ASSERT_EQ(found.size(), model.size());
        for (size_t i = 0; i < model.size(); ++i) {
            EXPECT_EQ(found[i].at("DTSTART;VALUE=DATE"), model[i].first.toString("yyyyMMdd").toStdString());
            EXPECT_EQ(found[i].at("DTEND;VALUE=DATE"), model[i].first.addDays(1).toString("yyyyMMdd").toStdString());
            EXPECT_EQ(found[i].at("SUMMARY"), model[i].second + " critical day");
            EXPECT_EQ(found[i].at("DTSTAMP").size(), 16u);
            EXPECT_TRUE(uids.insert(found[i].at("UID")).second) << found[i].at("UID");
        }
    }
    const auto again = events(rows[0].birth, rows[0].from, rows[0].to);
    ASSERT_FALSE(again.empty());
    for (const auto& event : again)
        EXPECT_EQ(uids.count(event.at("UID")), 1u);
    for (const auto& event : events("1990-05-18", rows[0].from, rows[0].to))
        EXPECT_EQ(uids.count(event.at("UID")), 0u);
}

}  // namespace
