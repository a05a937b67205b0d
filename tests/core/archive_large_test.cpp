// Large people databases: a round trip of many varied records, and the
// reader's lanes, which must give what a plain front-to-back reading gives
// however a lane ends.
#include "people/archivereader.h"
#include "people/archivewriter.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Count32(uint32_t count)
{
    std::string out = Hex("FF FF");
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(count >> shift & 0xFF);
    return out;
}

// A file built entry by entry: records with 1-byte length prefixes (the
// class defined before the first) and any other bytes in between.
struct Builder {
    void Add(const CName& person)
    {
        body += entries++ == 0 ? kNewClassBytes : kClassRefBytes;
        for (const std::string* field : {&person.m_name, &person.m_year, &person.m_month, &person.m_day})
            body += static_cast<char>(field->size()) + *field;
        records.push_back(person);
    }
    void AddRaw(const std::string& bytes, std::optional<CName> record = std::nullopt)
    {
        body += bytes;
        ++entries;
        if (record)
            records.push_back(*record);
    }
    std::string File() const { return Count32(entries) + body; }

    std::string body;
    uint32_t entries = 0;
    std::vector<CName> records;
};

CName Numbered(uint32_t i, const std::string& name)
{
    return CName(name, std::to_string(1900 + i % 100), std::to_string(1 + i % 12), "7");
}

Builder PlainPeople(uint32_t count)
{
    Builder file;
    for (uint32_t i = 0; i < count; ++i)
        file.Add(Numbered(i, "Person " + std::to_string(i * 7919 % 100003)));
    return file;
}

void ExpectRead(const std::string& bytes, const std::vector<CName>& expected)
{
    const ArchiveReadResult result = ReadArchive(bytes);
    ASSERT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_TRUE(result.records.ToVector() == expected);
    ASSERT_EQ(result.records.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i += 977)
        EXPECT_EQ(result.records[i], expected[i]) << "record " << i;
    EXPECT_EQ(result.records.back(), expected.back());
}

// Texts of every kind: empty, every byte value, and lengths on both sides of
// each prefix boundary.
TEST(ArchiveRoundTrip, HundredThousandVariedRecords)
{
    static const size_t kSpecialLengths[] = {0, 1, 254, 255, 256, 300, 65533, 65534, 65535, 70000};
    std::mt19937 random(20240601);
    CNameList list;
    std::vector<CName> expected;
    for (size_t i = 0; i < 100000; ++i) {
        std::string text(i % 997 == 0 ? kSpecialLengths[(i / 997) % 10] : random() % 40, '\0');
        for (char& c : text)
            c = static_cast<char>(random() % 256);
        CName person(text, std::to_string(1 + random() % 3999), i % 5 == 0 ? std::string() : "12", "31");
        expected.push_back(person);
        list.Append(std::move(person));
    }
    const std::string bytes = WriteArchive(list);
    EXPECT_EQ(bytes.substr(0, 6), Hex("FF FF A0 86 01 00"));  // 100000 in the four-byte form
    ExpectRead(bytes, expected);
}

// The count ends inside each lane in turn; a last record cut short keeps
// all before it.
TEST(ReadArchiveLarge, CountEndsInsideEachLane)
{
    const Builder file = PlainPeople(200000);
    ASSERT_GT(file.body.size(), 4u << 20);
    for (const uint32_t count : {200000u, 1000u, 50001u, 99999u, 150001u, 199999u}) {
        SCOPED_TRACE(count);
        ExpectRead(Count32(count) + file.body, std::vector<CName>(file.records.begin(), file.records.begin() + count));
    }
    const std::string whole = file.File();
    const std::string cut = whole.substr(0, whole.size() - 1);
    const ArchiveReadResult result = ReadArchive(cut);
    ASSERT_TRUE(result.fault.has_value());
    EXPECT_EQ(result.fault->reason, "unexpected end of file in record 200000");
    EXPECT_EQ(result.fault->offset, cut.size());  // where the last day's "7" would start
    EXPECT_EQ(result.records.size(), 199999u);
}

TEST(ReadArchiveLarge, NamesThatLookLikeRecordsDoNotMislead)
{
    // Each name is 33 empty records' worth of bytes, so a split that lands in
    // a name finds a convincing run of records that are not there.
    std::string fake;
    for (int i = 0; i < 33; ++i)
        fake += kClassRefBytes + Hex("00 00 00 00");
    Builder file;
    for (uint32_t i = 0; i < 30000; ++i)
        file.Add(Numbered(i, fake.substr(0, 198 - i % 7)));
    ExpectRead(file.File(), file.records);
}

TEST(ReadArchiveLarge, OtherFormsInTheMiddleAreReadAsUsual)
{
    // After about each quarter come, in turn, a null tag, a back-reference to
    // the first record (index 2), a record with a 300-byte name and one with a
    // wide name.
    const std::string longName(300, 'L');
    Builder file;
    for (uint32_t i = 0; i < 200000; ++i) {
        file.Add(Numbered(i, "Person " + std::to_string(i)));
        if (i == 50000)
            file.AddRaw(Hex("00 00"));
        if (i == 100000)
            file.AddRaw(Hex("02 00"));
        if (i == 150000)
            file.AddRaw(kClassRefBytes + Hex("FF 2C 01") + longName + Hex("00 00 00"), CName(longName, "", "", ""));
        if (i == 199998)
            file.AddRaw(kClassRefBytes + Hex("FF FE FF 01 57 00 00 00 00"), CName("W", "", "", ""));
    }
    ExpectRead(file.File(), file.records);
}

}  // namespace
