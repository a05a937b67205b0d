// The people database's byte layout, both ways: what WriteArchive writes and
// what ReadArchive reads, where and why a damaged file stops, and large files.
#include "people/archivelanes.h"
#include "people/archivereader.h"
#include "people/archivewriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// "01 00 FF" -> the three bytes; spaces separate bytes.
std::string Hex(const char* text)
{
    std::string out;
    for (const char* at = text; *at != '\0'; at += at[2] == ' ' ? 3 : 2)
        out += static_cast<char>(std::stoi(std::string(at, 2), nullptr, 16));
    return out;
}

// Pieces of the people database, assembled by hand: the tag that defines
// class "CName", the reference to it (index 1) and the four strings of the
// default person.
const std::string kNewClassBytes = Hex("FF FF 00 00 05 00 43 4E 61 6D 65");
const std::string kClassRefBytes = Hex("01 80");
const std::string kDefaultFieldBytes = Hex("08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31");
const CName kDefaultPerson("New Name", "1901", "01", "01");
const CName kEmptyPerson;

CName Named(std::string name)
{
    return CName(std::move(name), "", "", "");
}
// A file of one record, the class defined before it.
std::string OneRecord(const std::string& fields)
{
    return Hex("01 00") + kNewClassBytes + fields;
}
// A record with only its name set, the name's length prefix given.
std::string NameOnly(const char* prefix, const std::string& name)
{
    return Hex(prefix) + name + Hex("00 00 00");
}
// A wide string: the marker, the length prefix in 16-bit units, the units.
std::string Wide(const char* lengthPrefix, const char* units)
{
    return Hex("FF FE FF") + Hex(lengthPrefix) + Hex(units);
}

// The table holds `expected`, read by iteration and by index (every 977th
// record of a large table).
void ExpectRecords(const CNameTable& table, const std::vector<CName>& expected)
{
    EXPECT_TRUE(table.ToVector() == expected);
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i += expected.size() > 1000 ? 977 : 1)
        EXPECT_EQ(table[i], expected[i]) << "record " << i;
    EXPECT_TRUE(expected.empty() || table.back() == expected.back());
}

void ExpectRead(const std::string& bytes, const std::vector<CName>& expected)
{
    const ArchiveReadResult result = ReadArchive(bytes);
    EXPECT_FALSE(result.fault.has_value()) << result.fault->reason;
    ExpectRecords(result.records, expected);
}

TEST(Archive, ByteForms)
{
    const std::string& def = kDefaultFieldBytes;
    const std::string& ref = kClassRefBytes;
    const std::string empty = Hex("00 00 00 00");
    const std::string twoDefaults = Hex("02 00") + kNewClassBytes + def + ref + def;
    ASSERT_EQ(twoDefaults.size(), 55u);
    const std::string a254(254, 'a'), b255(255, 'b'), c300(300, 'c'), d65533(65533, 'd'), e65534(65534, 'e'),
        f0x1011170(0x1011170, 'f');
    const std::string nul65534(0xFFFE, '\0');
    // `written`: WriteArchive writes this form; ReadArchive reads every row.
    const struct { const char* name; std::string bytes; std::vector<CName> records; bool written; } rows[] = {
        {"one default person, 33 bytes",
         Hex("01 00 FF FF 00 00 05 00 43 4E 61 6D 65 08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31"),
         {kDefaultPerson}, true},
        {"two default people, 55 bytes", twoDefaults, {kDefaultPerson, kDefaultPerson}, true},
        {"nobody", Hex("00 00"), {}, true},
        {"text bytes as they stand", OneRecord(Hex("04 C3 A9 00 FF 00 02 2D 37 02 20 33")),
         {CName(std::string("\xC3\xA9\x00\xFF", 4), "", "-7", " 3")}, true},
        {"length 254", OneRecord(NameOnly("FE", a254)), {Named(a254)}, true},
        {"length 255", OneRecord(NameOnly("FF FF 00", b255)), {Named(b255)}, true},
        {"length 300", OneRecord(NameOnly("FF 2C 01", c300)), {Named(c300)}, true},
        {"length 65533", OneRecord(NameOnly("FF FD FF", d65533)), {Named(d65533)}, true},
        {"length 65534", OneRecord(NameOnly("FF FF FF FE FF 00 00", e65534)), {Named(e65534)}, true},
        {"length 0x1011170", OneRecord(NameOnly("FF FF FF 70 11 01 01", f0x1011170)), {Named(f0x1011170)}, true},
        {"four-byte count", Hex("FF FF 02 00 00 00") + kNewClassBytes + def + ref + empty,
         {kDefaultPerson, kEmptyPerson}, false},
        {"four-byte count of nobody, nothing after it", Hex("FF FF 00 00 00 00"), {}, false},
        {"four-byte class reference", Hex("02 00") + kNewClassBytes + def + Hex("FF 7F 01 00 00 80") + def,
         {kDefaultPerson, kDefaultPerson}, false},
        {"short texts in longer prefixes", OneRecord(Hex("FF 02 00 41 42 FF FF FF 01 00 00 00 43 00 00")),
         {CName("AB", "C", "", "")}, false},
        {"wide strings with each length form",
         OneRecord(Wide("02", "E9 00 AC 20") + Wide("FF 01 00", "31 00") + Wide("FF FF FF 01 00 00 00", "32 00") +
                   Wide("00", "")),
         {CName("\xC3\xA9\xE2\x82\xAC", "1", "2", "")}, false},
        // After the wide marker 0xFFFE is an ordinary length: wide strings do not nest.
        {"wide length 0xFFFE", OneRecord(NameOnly("FF FE FF FF FE FF", nul65534 + nul65534)), {Named(nul65534)},
         false},
        {"wide record between narrow ones",
         Hex("03 00") + kNewClassBytes + def + ref + Wide("01", "42 00") + Hex("00 00 00") + ref + empty,
         {kDefaultPerson, Named("B"), kEmptyPerson}, false},
        {"back-reference to a record read in the common form",
         Hex("03 00") + kNewClassBytes + def + ref + def + Hex("03 00"), {kDefaultPerson, kDefaultPerson}, false},
        {"trailing bytes ignored", OneRecord(def + Hex("DE AD BE EF 00")), {kDefaultPerson}, false},
        // Null tags and references to records already read take a place in
        // the count, add nothing and take no index: the second definition of
        // the class takes index 3, after the class (1) and the first record (2).
        {"null tags, back-references and a second class definition",
         Hex("07 00 00 00") + kNewClassBytes + empty + Hex("02 00 FF 7F 02 00 00 00 FF 7F 00 00 00 00") +
             kNewClassBytes + def + Hex("03 80") + empty,
         {kEmptyPerson, kDefaultPerson, kEmptyPerson}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.written) {
            CNameList list;
            for (const CName& record : row.records)
                list.Append(record);
            EXPECT_EQ(WriteArchive(list), row.bytes);
        }
        ExpectRead(row.bytes, row.records);
    }
}

// The count takes two bytes up to 65534 and the marker and four bytes from 65535.
TEST(Archive, CountForms)
{
    for (const uint32_t count : {65534u, 65535u}) {
        SCOPED_TRACE(count);
        std::vector<CName> people(count);
        people[0] = kDefaultPerson;
        CNameList list;
        std::string expected = count == 65534 ? Hex("FE FF") : Hex("FF FF FF FF 00 00");
        for (uint32_t i = 0; i < count; ++i) {
            list.Append(people[i]);
            expected += i == 0 ? kNewClassBytes + kDefaultFieldBytes : kClassRefBytes + Hex("00 00 00 00");
        }
        EXPECT_EQ(WriteArchive(list), expected);
        ExpectRead(expected, people);
    }
}

TEST(Archive, DamagedFiles)
{
    const std::string& def = kDefaultFieldBytes;
    // Two default records are 55 bytes; a third starts at offset 55.
    const std::string two = Hex("03 00") + kNewClassBytes + def + kClassRefBytes + def;
    const std::string oneFirst = Hex("02 00") + kNewClassBytes + def;  // record 2 at offset 33
    const std::vector<CName> none, one = {kDefaultPerson}, both = {kDefaultPerson, kDefaultPerson};
    auto cut = [](int record) { return "unexpected end of file in record " + std::to_string(record); };
    const std::string cutCount = "unexpected end of file in the record count";
    auto notClass = [](const char* tag, int record) {
        return "class reference " + std::string(tag) + " in record " + std::to_string(record) +
               " does not name class 'CName'";
    };
    auto notRecord = [](int tag) {
        return "object reference " + std::to_string(tag) + " in record 2 does not name a record already read";
    };
    const struct { const char* name; std::string bytes; std::vector<CName> kept; uint64_t offset; std::string reason; }
        rows[] = {
        {"empty file", "", none, 0, "empty file"},
        {"count cut short", Hex("01"), none, 0, cutCount},
        {"four-byte count cut short", Hex("FF FF 01 00 00"), none, 2, cutCount},
        {"tag cut short", Hex("01 00 FF"), none, 2, cut(1)},
        {"four-byte tag cut short", Hex("01 00 FF 7F 01 00"), none, 4, cut(1)},
        {"schema cut short", Hex("01 00 FF FF 00"), none, 4, cut(1)},
        {"class name cut short", Hex("01 00 FF FF 00 00 05 00 43 4E 61"), none, 8, cut(1)},
        {"field missing", OneRecord(Hex("00 00 00")), none, 16, cut(1)},
        {"third tag cut short", two + Hex("01"), both, 55, cut(3)},
        {"third record's length cut short", two + Hex("01 80 FF FF FF 01"), both, 60, cut(3)},
        {"third record's text cut short", two + Hex("01 80 08 4E 65"), both, 58, cut(3)},
        {"count far larger than the file", Hex("FF FF FF FF FF FF") + kNewClassBytes + def, one, 37, cut(2)},
        {"four-byte length past the end", OneRecord(Hex("FF FF FF FF FF FF FF 41 42")), none, 20, cut(1)},
        {"wide length past the end", OneRecord(Wide("FF FF FF FF FF FF 7F", "41 00")), none, 23, cut(1)},
        {"wide text of an odd byte count", OneRecord(Wide("02", "41 00 42")), none, 17, cut(1)},
        {"unknown class", Hex("01 00 FF FF 00 00 07 00") + "CPerson" + def, none, 8, "unknown class 'CPerson'"},
        {"unprintable class name", Hex("01 00 FF FF 00 00 03 00 43 0A 27") + def, none, 8,
         "unknown class 'C\\x0A\\x27'"},
        {"class name of 63 bytes", Hex("01 00 FF FF 00 00 3F 00") + std::string(63, 'Q'), none, 8,
         "unknown class '" + std::string(63, 'Q') + "'"},
        {"class name of 64 bytes", Hex("01 00 FF FF 00 00 40 00") + std::string(64, 'C'), none, 6,
         "class name of 64 bytes is too long"},
        {"wrong schema", Hex("01 00 FF FF 02 00 05 00 43 4E 61 6D 65") + def, none, 4,
         "unsupported schema 2 of class 'CName'"},
        {"class reference before the class", Hex("01 00 01 80") + def, none, 2, notClass("0x8001", 1)},
        {"class reference to a record", oneFirst + Hex("02 80") + def, one, 33, notClass("0x8002", 2)},
        {"four-byte class reference to nothing", oneFirst + Hex("FF 7F 05 00 00 80") + def, one, 33,
         notClass("0x80000005", 2)},
        {"object reference to the class", oneFirst + Hex("01 00"), one, 33, notRecord(1)},
        {"object reference not yet given", oneFirst + Hex("03 00"), one, 33, notRecord(3)},
        {"fault after skipped entries", Hex("04 00") + kNewClassBytes + def + Hex("02 00 00 00 01 80 01"), one, 40,
         cut(4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ArchiveReadResult result = ReadArchive(row.bytes);
        // However large the count, no more is reserved than the bytes can hold.
        EXPECT_LE(result.records.capacity(), row.bytes.size() / 6);
        ASSERT_TRUE(result.fault.has_value());
        EXPECT_EQ(result.fault->offset, row.offset);
        EXPECT_EQ(result.fault->reason, row.reason);
        ExpectRecords(result.records, row.kept);
    }
}

// Large files, from the writer: the reader's lanes must give what a plain
// front-to-back reading gives however a lane ends.
std::string WithCount(std::string bytes, uint32_t count)
{
    for (int i = 0; i < 4; ++i)
        bytes[2 + static_cast<size_t>(i)] = static_cast<char>(count >> (8 * i) & 0xFF);
    return bytes;
}

// The count ends inside each lane in turn (records are of nearly one size, so
// each lane holds about an equal share); a last record cut short keeps all
// before it; other forms after about each quarter (a null tag, a
// back-reference to the first record, a 300-byte name, a wide name) are read
// as usual.
TEST(ReadArchiveLarge, LanesEndWhereThePlainReadingEnds)
{
    CNameList list;
    std::vector<CName> people;
    std::vector<size_t> ends;  // where each record ends: the tag, four 1-byte lengths and the texts
    size_t at = 6;
    for (uint32_t i = 0; i < 200000; ++i) {
        people.emplace_back("Person " + std::to_string(i * 7919 % 100003), std::to_string(1900 + i % 100),
                            std::to_string(1 + i % 12), "7");
        list.Append(people.back());
        at += (i == 0 ? kNewClassBytes.size() : 2) + 4 + people.back().m_name.size() +
              people.back().m_year.size() + people.back().m_month.size() + 1;
        ends.push_back(at);
    }
    const std::string bytes = WriteArchive(list);
    std::vector<uint32_t> counts = {200000u, 1000u, 199999u};
    constexpr auto kLanes = static_cast<uint32_t>(kCommonRecordLanes);
    for (uint32_t lane = 1; lane < kLanes; ++lane)
        counts.push_back(200000u / kLanes * lane + 1);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const uint32_t tag = static_cast<unsigned char>(kClassRefBytes[0]) | static_cast<unsigned char>(kClassRefBytes[1]) << 8;
    for (const uint32_t count : counts) {
        SCOPED_TRACE(count);
        ExpectRead(WithCount(bytes, count), std::vector<CName>(people.begin(), people.begin() + count));
        // In lanes, the end is that of the plain reading. Either way every mark
        // names where its record starts, the first record has one, and no
        // record is more than kMarkEvery records past the last mark before it.
        std::vector<CNameTable::Mark> marks[2];
        const CommonRecordsTaken plain = TakeCommonRecords(data, bytes.size(), ends[0], tag, count - 1, false, 1, marks[0]);
        const CommonRecordsTaken lanes = TakeCommonRecords(data, bytes.size(), ends[0], tag, count - 1, true, 1, marks[1]);
        EXPECT_TRUE(plain.end == ends[count - 1] && lanes.end == plain.end);
        EXPECT_TRUE(plain.count == count - 1 && lanes.count == plain.count && plain.lanes == 1 && plain.together == 0);
        if (count == 200000u) {  // nearly every record is read with the lanes stepping together
            EXPECT_TRUE(lanes.lanes == kCommonRecordLanes && lanes.together * kLanes * 100 >= count * 99);
        }
        for (const std::vector<CNameTable::Mark>& marked : marks) {
            uint64_t previous = 0;
            bool sound = !marked.empty() && marked.front().record == 1;
            for (const CNameTable::Mark& mark : marked) {
                sound = sound && mark.record > previous && mark.record - previous <= CNameTable::kMarkEvery &&
                        mark.offset == ends[mark.record - 1] + 2;
                previous = mark.record;
            }
            EXPECT_TRUE(sound && previous + CNameTable::kMarkEvery >= count);
        }
    }
    // One mark per stretch, not per record; a rest of 1 MiB is read in lanes, a shorter one front to back.
    EXPECT_LE(ReadArchive(bytes).records.capacity(), 200000 / CNameTable::kMarkEvery + kCommonRecordLanes + 1);
    for (const size_t rest : {size_t{1} << 20, (size_t{1} << 20) - 1}) {
        std::vector<CNameTable::Mark> marks;
        const CommonRecordsTaken taken = TakeCommonRecords(data, ends[9] + rest, ends[9], tag, 200000, true, 1, marks);
        EXPECT_EQ(taken.lanes, rest == size_t{1} << 20 ? kCommonRecordLanes : 1) << rest;
    }
    const ArchiveReadResult cut = ReadArchive(bytes.substr(0, bytes.size() - 1));
    ASSERT_TRUE(cut.fault.has_value());
    EXPECT_EQ(cut.fault->reason, "unexpected end of file in record 200000");
    EXPECT_EQ(cut.fault->offset, bytes.size() - 1);  // where the last day's "7" would start
    EXPECT_EQ(cut.records.size(), 199999u);

    const std::string longName(300, 'L');
    const struct { uint32_t after; std::string bytes; std::optional<CName> record; } forms[] = {
        {199998, kClassRefBytes + Hex("FF FE FF 01 57 00 00 00 00"), CName("W", "", "", "")},
        {150000, kClassRefBytes + Hex("FF 2C 01") + longName + Hex("00 00 00"), CName(longName, "", "", "")},
        {100000, Hex("02 00"), std::nullopt},
        {50000, Hex("00 00"), std::nullopt},
    };
    std::string spliced = WithCount(bytes, 200000 + 4);
    for (const auto& form : forms) {
        spliced.insert(ends[form.after], form.bytes);
        if (form.record)
            people.insert(people.begin() + form.after + 1, *form.record);
    }
    ExpectRead(spliced, people);
}

TEST(ReadArchiveLarge, NamesThatLookLikeRecordsDoNotMislead)
{
    // Each name is 33 empty records' worth of bytes, so a split that lands in
    // a name finds a convincing run of records that are not there.
    std::string fake;
    for (int i = 0; i < 33; ++i)
        fake += kClassRefBytes + Hex("00 00 00 00");
    CNameList list;
    std::vector<CName> people;
    for (uint32_t i = 0; i < 30000; ++i)
        list.Append(people.emplace_back(fake.substr(0, 198 - i % 7), std::to_string(1900 + i % 100), "7", "7"));
    ExpectRead(WriteArchive(list), people);
}

}  // namespace
