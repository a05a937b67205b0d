#include "people/archivereader.h"
#include "people/archivewriter.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

namespace {

// Bytes of the layout, assembled by hand for the rows below.
const std::string kNewClass = Hex("FF FF 00 00 05 00 43 4E 61 6D 65");
const std::string kClassRef = Hex("01 80");
const std::string kDefault = Hex("08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31");  // 20 bytes
const std::string kEmptyFields = Hex("00 00 00 00");
const CName kDefaultPerson("New Name", "1901", "01", "01");
const CName kEmptyPerson;

// A record with only its name set, written with the given length prefix.
std::string NameOnly(const char* prefix, const std::string& text)
{
    return Hex(prefix) + text + Hex("00 00 00");
}

CName Named(std::string name)
{
    return CName(std::move(name), "", "", "");
}

std::string Wide(const char* lengthPrefix, const char* units)
{
    return Hex("FF FE FF") + Hex(lengthPrefix) + Hex(units);
}

struct GoodCase {
    const char* name;
    std::string bytes;
    std::vector<CName> records;
};

const std::string k300(300, 'x');
const std::string k65533(65533, 'y');
const std::string k65534(65534, 'z');

const GoodCase kGoodCases[] = {
    {"DefaultRecord", Hex("01 00") + kNewClass + kDefault, {kDefaultPerson}},
    {"TwoRecords", Hex("02 00") + kNewClass + kDefault + kClassRef + kDefault, {kDefaultPerson, kDefaultPerson}},
    {"CountZero", Hex("00 00"), {}},
    {"CountZeroInFourBytes", Hex("FF FF 00 00 00 00"), {}},
    {"FourByteCount", Hex("FF FF 02 00 00 00") + kNewClass + kDefault + kClassRef + kEmptyFields,
     {kDefaultPerson, kEmptyPerson}},
    {"BigTagClassReference", Hex("02 00") + kNewClass + kDefault + Hex("FF 7F 01 00 00 80") + kDefault,
     {kDefaultPerson, kDefaultPerson}},
    {"Length254", Hex("01 00") + kNewClass + NameOnly("FE", std::string(254, 'a')), {Named(std::string(254, 'a'))}},
    {"Length255", Hex("01 00") + kNewClass + NameOnly("FF FF 00", std::string(255, 'b')), {Named(std::string(255, 'b'))}},
    {"Length300", Hex("01 00") + kNewClass + NameOnly("FF 2C 01", k300), {Named(k300)}},
    {"Length65533", Hex("01 00") + kNewClass + NameOnly("FF FD FF", k65533), {Named(k65533)}},
    {"Length65534", Hex("01 00") + kNewClass + NameOnly("FF FF FF FE FF 00 00", k65534), {Named(k65534)}},
    {"ShortTextInLongerPrefixes", Hex("01 00") + kNewClass + Hex("FF 02 00 41 42 FF FF FF 01 00 00 00 43 00 00"),
     {CName("AB", "C", "", "")}},
    {"WideAscii", Hex("01 00") + kNewClass + Wide("03", "41 00 64 00 61 00") + Hex("00 00 00"), {Named("Ada")}},
    {"WideNonAscii", Hex("01 00") + kNewClass + Wide("02", "E9 00 AC 20") + Hex("00 00 00"), {Named("\xC3\xA9\xE2\x82\xAC")}},
    {"WideSurrogatePair", Hex("01 00") + kNewClass + Wide("02", "3D D8 00 DE") + Hex("00 00 00"), {Named("\xF0\x9F\x98\x80")}},
    {"WideUnpairedSurrogate", Hex("01 00") + kNewClass + Wide("02", "00 D8 41 00") + Hex("00 00 00"), {Named("\xEF\xBF\xBD" "A")}},
    {"WideEmpty", Hex("01 00") + kNewClass + Wide("00", "") + Hex("00 00 00"), {Named("")}},
    {"WideTwoByteLength", Hex("01 00") + kNewClass + Wide("FF 01 00", "42 00") + Hex("00 00 00"), {Named("B")}},
    {"WideFourByteLength", Hex("01 00") + kNewClass + Wide("FF FF FF 01 00 00 00", "43 00") + Hex("00 00 00"), {Named("C")}},
    {"WideInBirthFields", Hex("01 00") + kNewClass + Hex("01 41") + Wide("01", "31 00") + Wide("01", "32 00") + Wide("01", "33 00"),
     {CName("A", "1", "2", "3")}},
    {"WideRecordBetweenNarrowOnes", Hex("03 00") + kNewClass + kDefault + kClassRef + Wide("01", "42 00") + Hex("00 00 00") +
                                        kClassRef + kEmptyFields,
     {kDefaultPerson, Named("B"), kEmptyPerson}},
    {"TrailingBytesIgnored", Hex("01 00") + kNewClass + kDefault + Hex("DE AD BE EF 00"), {kDefaultPerson}},
    // Null tags and back-references take a place in the count but add nothing.
    {"NullTagSkipped", Hex("03 00 00 00") + kNewClass + kDefault + Hex("00 00"), {kDefaultPerson}},
    {"BackReferenceSkipped", Hex("03 00") + kNewClass + kDefault + Hex("02 00") + kClassRef + kEmptyFields,
     {kDefaultPerson, kEmptyPerson}},
    {"BigBackReferenceSkipped", Hex("03 00") + kNewClass + kDefault + kClassRef + kEmptyFields + Hex("FF 7F 03 00 00 00"),
     {kDefaultPerson, kEmptyPerson}},
    {"BigNullTagSkipped", Hex("02 00 FF 7F 00 00 00 00") + kNewClass + kDefault, {kDefaultPerson}},
    // A second definition of the class takes index 3; both 1 and 3 name it after that.
    {"ClassDefinedTwice", Hex("04 00") + kNewClass + kEmptyFields + kNewClass + kDefault + Hex("03 80") + kEmptyFields +
                              kClassRef + kDefault,
     {kEmptyPerson, kDefaultPerson, kEmptyPerson, kDefaultPerson}},
};

void PrintTo(const GoodCase& row, std::ostream* out)
{
    *out << row.name;
}

class ReadArchiveGood : public testing::TestWithParam<GoodCase> {};

TEST_P(ReadArchiveGood, ReadsEveryRecord)
{
    const ArchiveReadResult result = ReadArchive(GetParam().bytes);
    EXPECT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_EQ(result.records.ToVector(), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadArchiveGood, testing::ValuesIn(kGoodCases),
                         [](const testing::TestParamInfo<GoodCase>& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::vector<CName> kept;
    uint64_t offset;
    const char* reason;
};

// Two default records are 55 bytes; a third starts at offset 55.
const std::string kTwo = Hex("03 00") + kNewClass + kDefault + kClassRef + kDefault;

const DamagedCase kDamagedCases[] = {
    {"EmptyFile", "", {}, 0, "empty file"},
    {"CountTruncated", Hex("01"), {}, 0, "unexpected end of file in the record count"},
    {"FourByteCountTruncated", Hex("FF FF 01 00 00"), {}, 2, "unexpected end of file in the record count"},
    {"NoRecordAfterCount", Hex("01 00"), {}, 2, "unexpected end of file in record 1"},
    {"TagTruncatedRecord1", Hex("01 00 FF"), {}, 2, "unexpected end of file in record 1"},
    {"BigTagTruncatedRecord1", Hex("01 00 FF 7F 01 00"), {}, 4, "unexpected end of file in record 1"},
    {"SchemaTruncatedRecord1", Hex("01 00 FF FF 00"), {}, 4, "unexpected end of file in record 1"},
    {"ClassNameTruncatedRecord1", Hex("01 00 FF FF 00 00 05 00 43 4E 61"), {}, 8, "unexpected end of file in record 1"},
    {"LengthTruncatedRecord1", Hex("01 00") + kNewClass + Hex("FF 2C"), {}, 14, "unexpected end of file in record 1"},
    {"BodyTruncatedRecord1", Hex("01 00") + kNewClass + Hex("08 4E 65 77"), {}, 14, "unexpected end of file in record 1"},
    {"FieldMissingRecord1", Hex("01 00") + kNewClass + Hex("00 00 00"), {}, 16, "unexpected end of file in record 1"},
    {"TagTruncatedRecord3", kTwo + Hex("01"), {kDefaultPerson, kDefaultPerson}, 55, "unexpected end of file in record 3"},
    {"LengthTruncatedRecord3", kTwo + Hex("01 80 FF FF FF 01"), {kDefaultPerson, kDefaultPerson}, 60,
     "unexpected end of file in record 3"},
    {"BodyTruncatedRecord3", kTwo + Hex("01 80 08 4E 65"), {kDefaultPerson, kDefaultPerson}, 58,
     "unexpected end of file in record 3"},
    {"UnknownClass", Hex("01 00 FF FF 00 00 07 00") + "CPerson" + kDefault, {}, 8, "unknown class 'CPerson'"},
    {"ClassNameCaseDiffers", Hex("01 00 FF FF 00 00 05 00") + "cname" + kDefault, {}, 8, "unknown class 'cname'"},
    {"ClassNameUnprintable", Hex("01 00 FF FF 00 00 03 00 43 0A 27") + kDefault, {}, 8, "unknown class 'C\\x0A\\x27'"},
    {"ClassName63Unknown", Hex("01 00 FF FF 00 00 3F 00") + std::string(63, 'Q'), {}, 8,
     "unknown class 'QQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQ'"},
    {"ClassName64TooLong", Hex("01 00 FF FF 00 00 40 00") + std::string(64, 'C'), {}, 6, "class name of 64 bytes is too long"},
    {"ClassNameHugeTooLong", Hex("01 00 FF FF 00 00 FF FF"), {}, 6, "class name of 65535 bytes is too long"},
    {"WrongSchema", Hex("01 00 FF FF 02 00 05 00 43 4E 61 6D 65") + kDefault, {}, 4, "unsupported schema 2 of class 'CName'"},
    {"ClassReferenceBeforeClass", Hex("01 00 01 80") + kDefault, {}, 2,
     "class reference 0x8001 in record 1 does not name class 'CName'"},
    {"ClassReferenceUnknownIndex", Hex("02 00") + kNewClass + kDefault + Hex("05 80") + kDefault, {kDefaultPerson}, 33,
     "class reference 0x8005 in record 2 does not name class 'CName'"},
    {"ClassReferenceToRecord", Hex("02 00") + kNewClass + kDefault + Hex("02 80") + kDefault, {kDefaultPerson}, 33,
     "class reference 0x8002 in record 2 does not name class 'CName'"},
    {"ClassReferenceZero", Hex("02 00") + kNewClass + kDefault + Hex("00 80") + kDefault, {kDefaultPerson}, 33,
     "class reference 0x8000 in record 2 does not name class 'CName'"},
    {"BigClassReferenceUnknown", Hex("02 00") + kNewClass + kDefault + Hex("FF 7F 05 00 00 80") + kDefault,
     {kDefaultPerson}, 33, "class reference 0x80000005 in record 2 does not name class 'CName'"},
    {"ObjectReferenceToClass", Hex("02 00") + kNewClass + kDefault + Hex("01 00"), {kDefaultPerson}, 33,
     "object reference 1 in record 2 does not name a record already read"},
    {"ObjectReferenceNotYetGiven", Hex("02 00") + kNewClass + kDefault + Hex("03 00"), {kDefaultPerson}, 33,
     "object reference 3 in record 2 does not name a record already read"},
    {"ObjectReferenceInRecord1", Hex("01 00 02 00"), {}, 2,
     "object reference 2 in record 1 does not name a record already read"},
    {"CountLargerThanFile", Hex("FF FF FF FF FF FF") + kNewClass + kDefault, {kDefaultPerson}, 37,
     "unexpected end of file in record 2"},
    {"FourByteLengthPastEnd", Hex("01 00") + kNewClass + Hex("FF FF FF FF FF FF FF 41 42"), {}, 20,
     "unexpected end of file in record 1"},
    {"WideLengthPastEnd", Hex("01 00") + kNewClass + Wide("FF FF FF FF FF FF 7F", "41 00"), {}, 23,
     "unexpected end of file in record 1"},
    {"WideOddByteCount", Hex("01 00") + kNewClass + Wide("02", "41 00 42"), {}, 17, "unexpected end of file in record 1"},
    {"FaultAfterSkippedEntries", Hex("04 00") + kNewClass + kDefault + Hex("02 00 00 00 01 80 01"), {kDefaultPerson}, 40,
     "unexpected end of file in record 4"},
};

void PrintTo(const DamagedCase& row, std::ostream* out)
{
    *out << row.name;
}

class ReadArchiveDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(ReadArchiveDamaged, KeepsRecordsBeforeTheFault)
{
    const ArchiveReadResult result = ReadArchive(GetParam().bytes);
    ASSERT_TRUE(result.fault.has_value());
    EXPECT_EQ(result.fault->offset, GetParam().offset);
    EXPECT_EQ(result.fault->reason, GetParam().reason);
    EXPECT_EQ(result.records.ToVector(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadArchiveDamaged, testing::ValuesIn(kDamagedCases),
                         [](const testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST(ReadArchive, HugeCountReservesOnlyWhatTheBytesCanHold)
{
    const std::string bytes = Hex("FF FF FF FF FF FF") + kNewClass + kDefault;
    const ArchiveReadResult result = ReadArchive(bytes);
    EXPECT_LE(result.records.capacity(), bytes.size() / 6);
}

TEST(ReadArchive, RecordsReadAlikeByIndexAndByIteration)
{
    const std::string bytes = Hex("03 00") + kNewClass + kDefault + kClassRef + Wide("01", "42 00") + Hex("00 00 00") +
                              kClassRef + kEmptyFields;
    const ArchiveReadResult result = ReadArchive(bytes);
    const CNameTable& table = result.records;
    ASSERT_EQ(table.size(), 3u);
    std::vector<CName> iterated;
    for (const CName& record : table)
        iterated.push_back(record);
    EXPECT_EQ(iterated, (std::vector<CName>{table[0], table[1], table[2]}));
    EXPECT_EQ(table.front(), kDefaultPerson);
    EXPECT_EQ(table.back(), kEmptyPerson);
    EXPECT_TRUE(table == iterated);
    EXPECT_TRUE(table != std::vector<CName>(iterated.begin(), iterated.end() - 1));
    std::unique_ptr<char[]> owned(new char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), owned.get());
    EXPECT_TRUE(table == ReadArchive(std::move(owned), bytes.size()).records);
    EXPECT_TRUE(table != ReadArchive(bytes.substr(0, 40)).records);
}

TEST(ReadArchive, ReadsA65535RecordFileWithTheFourByteCount)
{
    std::string bytes = Hex("FF FF FF FF 00 00") + kNewClass + kDefault;
    for (int i = 1; i < 65535; ++i)
        bytes += kClassRef + kEmptyFields;
    const ArchiveReadResult result = ReadArchive(bytes);
    ASSERT_FALSE(result.fault.has_value());
    ASSERT_EQ(result.records.size(), 65535u);
    EXPECT_EQ(result.records.front(), kDefaultPerson);
    EXPECT_EQ(result.records.back(), kEmptyPerson);
}

// Texts of every kind the writer must carry: empty, every byte value, and
// lengths on both sides of each prefix boundary.
std::string VariedText(std::mt19937& random, size_t i)
{
    static const size_t kSpecialLengths[] = {0, 1, 254, 255, 256, 300, 65533, 65534, 65535, 70000};
    size_t length = random() % 40;
    if (i % 997 == 0)
        length = kSpecialLengths[(i / 997) % std::size(kSpecialLengths)];
    std::string text(length, '\0');
    for (char& c : text)
        c = static_cast<char>(random() % 256);
    return text;
}

TEST(ArchiveRoundTrip, HundredThousandVariedRecords)
{
    constexpr size_t kRecords = 100000;
    std::mt19937 random(20240601);
    CNameList list;
    std::vector<CName> expected;
    for (size_t i = 0; i < kRecords; ++i) {
        CName person(VariedText(random, i), std::to_string(1 + random() % 3999),
                     i % 5 == 0 ? std::string() : std::to_string(random() % 13), std::to_string(random() % 32));
        expected.push_back(person);
        list.Append(std::move(person));
    }
    const std::string bytes = WriteArchive(list);
    EXPECT_EQ(bytes.substr(0, 6), Hex("FF FF A0 86 01 00"));  // 100000 in the four-byte form
    EXPECT_EQ(bytes.substr(6, kNewClass.size()), kNewClass);
    const ArchiveReadResult result = ReadArchive(bytes);
    ASSERT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_EQ(result.records.ToVector(), expected);
}

// Large files are read in several lanes at once; these check that every way
// a lane can end still gives the records a plain front-to-back reading gives.
std::string Short(const std::string& text)
{
    return static_cast<char>(text.size()) + text;
}

std::string Count32(uint32_t count)
{
    std::string out = Hex("FF FF");
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(count >> shift & 0xFF);
    return out;
}

struct LargeFile {
    std::string bytes;
    std::vector<CName> records;
};

// `count` records with 1-byte length prefixes, the count in four bytes.
LargeFile CommonRecords(uint32_t count, const std::function<std::string(uint32_t)>& nameOf)
{
    LargeFile file;
    file.bytes = Count32(count);
    for (uint32_t i = 0; i < count; ++i) {
        const CName person(nameOf(i), std::to_string(1900 + i % 100), std::to_string(1 + i % 12), "7");
        file.bytes += (i == 0 ? kNewClass : kClassRef) + Short(person.m_name) + Short(person.m_year) +
                      Short(person.m_month) + Short(person.m_day);
        file.records.push_back(person);
    }
    return file;
}

std::string PlainName(uint32_t i)
{
    return "Person " + std::to_string(i * 7919 % 100003);
}

void ExpectRandomAccessAgrees(const CNameTable& table, const std::vector<CName>& expected)
{
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i += 977)
        EXPECT_EQ(table[i], expected[i]) << "record " << i;
    EXPECT_EQ(table.back(), expected.back());
}

TEST(ReadArchiveLarge, ReadsEveryRecord)
{
    const LargeFile file = CommonRecords(200000, PlainName);
    ASSERT_GT(file.bytes.size(), 4u << 20);
    const ArchiveReadResult result = ReadArchive(file.bytes);
    ASSERT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_EQ(result.records.ToVector(), file.records);
    ExpectRandomAccessAgrees(result.records, file.records);
}

TEST(ReadArchiveLarge, CountEndsInsideEachLane)
{
    LargeFile file = CommonRecords(200000, PlainName);
    for (const uint32_t count : {1000u, 50001u, 99999u, 150001u, 199999u}) {
        std::string bytes = file.bytes;
        bytes.replace(0, 6, Count32(count));
        const ArchiveReadResult result = ReadArchive(bytes);
        ASSERT_FALSE(result.fault.has_value()) << count;
        const std::vector<CName> expected(file.records.begin(), file.records.begin() + count);
        EXPECT_EQ(result.records.ToVector(), expected) << count;
        ExpectRandomAccessAgrees(result.records, expected);
    }
}

TEST(ReadArchiveLarge, NamesThatLookLikeRecordsDoNotMislead)
{
    // Each name is 33 empty records' worth of bytes, so a split that lands in
    // a name finds a convincing run of records that are not there.
    std::string fake;
    for (int i = 0; i < 33; ++i)
        fake += Hex("01 80 00 00 00 00");
    const LargeFile file = CommonRecords(30000, [&fake](uint32_t i) { return fake.substr(0, 198 - i % 7); });
    const ArchiveReadResult result = ReadArchive(file.bytes);
    ASSERT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_EQ(result.records.ToVector(), file.records);
    ExpectRandomAccessAgrees(result.records, file.records);
}

TEST(ReadArchiveLarge, OtherFormsInTheMiddleAreReadAsUsual)
{
    const LargeFile file = CommonRecords(200000, PlainName);
    // After about each quarter come, in turn, a null tag, a back-reference
    // to the first record (index 2), a record with a 300-byte name and one
    // with a wide name: four more entries in the count, two more records.
    const std::string longName(300, 'L');
    const std::map<uint32_t, std::pair<std::string, std::optional<CName>>> inserts = {
        {50000, {Hex("00 00"), std::nullopt}},
        {100000, {Hex("02 00"), std::nullopt}},
        {150000, {kClassRef + Hex("FF 2C 01") + longName + Hex("00 00 00"), CName(longName, "", "", "")}},
        {199999, {kClassRef + Wide("01", "57 00") + Hex("00 00 00"), CName("W", "", "", "")}},
    };
    std::string bytes = Count32(200004);
    std::vector<CName> expected;
    size_t at = 6;
    for (uint32_t written = 0; written < 200000; ++written) {
        const size_t recordStart = at;
        at += written == 0 ? kNewClass.size() : 2;
        for (int field = 0; field < 4; ++field)
            at += 1 + static_cast<unsigned char>(file.bytes[at]);
        bytes += file.bytes.substr(recordStart, at - recordStart);
        expected.push_back(file.records[written]);
        const auto insert = inserts.find(written + 1);
        if (insert != inserts.end()) {
            bytes += insert->second.first;
            if (insert->second.second)
                expected.push_back(*insert->second.second);
        }
    }
    const ArchiveReadResult result = ReadArchive(bytes);
    ASSERT_FALSE(result.fault.has_value()) << result.fault->reason;
    EXPECT_EQ(result.records.ToVector(), expected);
    ExpectRandomAccessAgrees(result.records, expected);
}

TEST(ReadArchiveLarge, TruncatedLastRecordKeepsAllBefore)
{
    const LargeFile file = CommonRecords(200000, PlainName);
    const std::string bytes = file.bytes.substr(0, file.bytes.size() - 1);
    const ArchiveReadResult result = ReadArchive(bytes);
    ASSERT_TRUE(result.fault.has_value());
    EXPECT_EQ(result.fault->reason, "unexpected end of file in record 200000");
    EXPECT_EQ(result.fault->offset, bytes.size());  // where the last day's "7" would start
    const std::vector<CName> expected(file.records.begin(), file.records.end() - 1);
    EXPECT_EQ(result.records.ToVector(), expected);
}
}
