// The people database's byte layout, both ways: what WriteArchive writes and
// what ReadArchive reads, and where and why a damaged file stops.
#include "people/archivereader.h"
#include "people/archivewriter.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CName kEmptyPerson;

CName Named(std::string name)
{
    return CName(std::move(name), "", "", "");
}

// One record with only its name set, the name's length prefix given.
std::string NameOnlyFile(const char* prefix, const std::string& name)
{
    return Hex("01 00") + kNewClassBytes + Hex(prefix) + name + Hex("00 00 00");
}

// A wide string: the marker, the length prefix in 16-bit units, the units.
std::string Wide(const char* lengthPrefix, const char* units)
{
    return Hex("FF FE FF") + Hex(lengthPrefix) + Hex(units);
}

void ExpectRecords(const CNameTable& table, const std::vector<CName>& expected)
{
    EXPECT_EQ(table.ToVector(), expected);
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(table[i], expected[i]) << "record " << i;
}

TEST(Archive, ByteForms)
{
    const std::string twoDefaults =
        Hex("02 00") + kNewClassBytes + kDefaultFieldBytes + kClassRefBytes + kDefaultFieldBytes;
    ASSERT_EQ(twoDefaults.size(), 55u);
    const struct {
        const char* name;
        std::string bytes;
        std::vector<CName> records;
        bool written;  // whether WriteArchive writes this form; the reader reads every row
    } rows[] = {
        {"one default person, 33 bytes",
         Hex("01 00 FF FF 00 00 05 00 43 4E 61 6D 65 08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31"),
         {kDefaultPerson}, true},
        {"two default people, 55 bytes", twoDefaults, {kDefaultPerson, kDefaultPerson}, true},
        {"nobody", Hex("00 00"), {}, true},
        {"text bytes as they stand", Hex("01 00") + kNewClassBytes + Hex("04 C3 A9 00 FF 00 02 2D 37 02 20 33"),
         {CName(std::string("\xC3\xA9\x00\xFF", 4), "", "-7", " 3")}, true},
        {"length 254", NameOnlyFile("FE", std::string(254, 'a')), {Named(std::string(254, 'a'))}, true},
        {"length 255", NameOnlyFile("FF FF 00", std::string(255, 'b')), {Named(std::string(255, 'b'))}, true},
        {"length 300", NameOnlyFile("FF 2C 01", std::string(300, 'c')), {Named(std::string(300, 'c'))}, true},
        {"length 65533", NameOnlyFile("FF FD FF", std::string(65533, 'd')), {Named(std::string(65533, 'd'))}, true},
        {"length 65534", NameOnlyFile("FF FF FF FE FF 00 00", std::string(65534, 'e')),
         {Named(std::string(65534, 'e'))}, true},
        {"length 70000", NameOnlyFile("FF FF FF 70 11 01 00", std::string(70000, 'f')),
         {Named(std::string(70000, 'f'))}, true},
        {"four-byte count", Hex("FF FF 02 00 00 00") + kNewClassBytes + kDefaultFieldBytes + kClassRefBytes +
                                Hex("00 00 00 00"),
         {kDefaultPerson, kEmptyPerson}, false},
        {"four-byte class reference", Hex("02 00") + kNewClassBytes + kDefaultFieldBytes + Hex("FF 7F 01 00 00 80") +
                                          kDefaultFieldBytes,
         {kDefaultPerson, kDefaultPerson}, false},
        {"short texts in longer prefixes",
         Hex("01 00") + kNewClassBytes + Hex("FF 02 00 41 42 FF FF FF 01 00 00 00 43 00 00"),
         {CName("AB", "C", "", "")}, false},
        {"wide strings with each length form", Hex("01 00") + kNewClassBytes + Wide("02", "E9 00 AC 20") +
                                                   Wide("FF 01 00", "31 00") + Wide("FF FF FF 01 00 00 00", "32 00") +
                                                   Wide("00", ""),
         {CName("\xC3\xA9\xE2\x82\xAC", "1", "2", "")}, false},
        // After the wide marker 0xFFFE is an ordinary length: wide strings do not nest.
        {"wide length 0xFFFE",
         Hex("01 00") + kNewClassBytes + Hex("FF FE FF FF FE FF") + std::string(2 * 0xFFFE, '\0') + Hex("00 00 00"),
         {Named(std::string(0xFFFE, '\0'))}, false},
        {"wide record between narrow ones", Hex("03 00") + kNewClassBytes + kDefaultFieldBytes + kClassRefBytes +
                                                Wide("01", "42 00") + Hex("00 00 00") + kClassRefBytes +
                                                Hex("00 00 00 00"),
         {kDefaultPerson, Named("B"), kEmptyPerson}, false},
        {"trailing bytes ignored", Hex("01 00") + kNewClassBytes + kDefaultFieldBytes + Hex("DE AD BE EF 00"),
         {kDefaultPerson}, false},
        // Null tags and references to records already read take a place in
        // the count, add nothing and take no index: the second definition of
        // the class takes index 3, after the class (1) and the first record (2).
        {"null tags, back-references and a second class definition",
         Hex("07 00 00 00") + kNewClassBytes + Hex("00 00 00 00") + Hex("02 00 FF 7F 02 00 00 00 FF 7F 00 00 00 00") +
             kNewClassBytes + kDefaultFieldBytes + Hex("03 80 00 00 00 00"),
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
        const ArchiveReadResult result = ReadArchive(row.bytes);
        EXPECT_FALSE(result.fault.has_value()) << result.fault->reason;
        ExpectRecords(result.records, row.records);
    }
}

// The count takes two bytes up to 65534 and the marker and four bytes from 65535.
TEST(Archive, CountForms)
{
    for (const uint32_t count : {65534u, 65535u}) {
        SCOPED_TRACE(count);
        CNameList list;
        std::string expected = count == 65534 ? Hex("FE FF") : Hex("FF FF FF FF 00 00");
        for (uint32_t i = 0; i < count; ++i) {
            list.Append(i == 0 ? kDefaultPerson : CName());
            expected += i == 0 ? kNewClassBytes + kDefaultFieldBytes : kClassRefBytes + Hex("00 00 00 00");
        }
        EXPECT_EQ(WriteArchive(list), expected);
        const ArchiveReadResult result = ReadArchive(expected);
        ASSERT_FALSE(result.fault.has_value());
        ASSERT_EQ(result.records.size(), count);
        EXPECT_EQ(result.records.front(), kDefaultPerson);
        EXPECT_EQ(result.records.back(), kEmptyPerson);
    }
}

TEST(Archive, DamagedFiles)
{
    // Two default records are 55 bytes; a third starts at offset 55.
    const std::string two = Hex("03 00") + kNewClassBytes + kDefaultFieldBytes + kClassRefBytes + kDefaultFieldBytes;
    const std::string oneFirst = Hex("02 00") + kNewClassBytes + kDefaultFieldBytes;  // record 2 at offset 33
    const std::vector<CName> none;
    const std::vector<CName> one = {kDefaultPerson};
    const std::vector<CName> both = {kDefaultPerson, kDefaultPerson};
    const struct {
        const char* name;
        std::string bytes;
        std::vector<CName> kept;
        uint64_t offset;
        std::string reason;
    } rows[] = {
        {"empty file", "", none, 0, "empty file"},
        {"count cut short", Hex("01"), none, 0, "unexpected end of file in the record count"},
        {"four-byte count cut short", Hex("FF FF 01 00 00"), none, 2, "unexpected end of file in the record count"},
        {"tag cut short", Hex("01 00 FF"), none, 2, "unexpected end of file in record 1"},
        {"four-byte tag cut short", Hex("01 00 FF 7F 01 00"), none, 4, "unexpected end of file in record 1"},
        {"schema cut short", Hex("01 00 FF FF 00"), none, 4, "unexpected end of file in record 1"},
        {"class name cut short", Hex("01 00 FF FF 00 00 05 00 43 4E 61"), none, 8,
         "unexpected end of file in record 1"},
        {"field missing", Hex("01 00") + kNewClassBytes + Hex("00 00 00"), none, 16,
         "unexpected end of file in record 1"},
        {"third tag cut short", two + Hex("01"), both, 55, "unexpected end of file in record 3"},
        {"third record's length cut short", two + Hex("01 80 FF FF FF 01"), both, 60,
         "unexpected end of file in record 3"},
        {"third record's text cut short", two + Hex("01 80 08 4E 65"), both, 58, "unexpected end of file in record 3"},
        {"count larger than the file", Hex("FF FF FF FF FF FF") + kNewClassBytes + kDefaultFieldBytes, one, 37,
         "unexpected end of file in record 2"},
        {"four-byte length past the end", Hex("01 00") + kNewClassBytes + Hex("FF FF FF FF FF FF FF 41 42"), none, 20,
         "unexpected end of file in record 1"},
        {"wide length past the end", Hex("01 00") + kNewClassBytes + Wide("FF FF FF FF FF FF 7F", "41 00"), none, 23,
         "unexpected end of file in record 1"},
        {"wide text of an odd byte count", Hex("01 00") + kNewClassBytes + Wide("02", "41 00 42"), none, 17,
         "unexpected end of file in record 1"},
        {"unknown class", Hex("01 00 FF FF 00 00 07 00") + "CPerson" + kDefaultFieldBytes, none, 8,
         "unknown class 'CPerson'"},
        {"unprintable class name", Hex("01 00 FF FF 00 00 03 00 43 0A 27") + kDefaultFieldBytes, none, 8,
         "unknown class 'C\\x0A\\x27'"},
        {"class name of 63 bytes", Hex("01 00 FF FF 00 00 3F 00") + std::string(63, 'Q'), none, 8,
         "unknown class '" + std::string(63, 'Q') + "'"},
        {"class name of 64 bytes", Hex("01 00 FF FF 00 00 40 00") + std::string(64, 'C'), none, 6,
         "class name of 64 bytes is too long"},
        {"wrong schema", Hex("01 00 FF FF 02 00 05 00 43 4E 61 6D 65") + kDefaultFieldBytes, none, 4,
         "unsupported schema 2 of class 'CName'"},
        {"class reference before the class", Hex("01 00 01 80") + kDefaultFieldBytes, none, 2,
         "class reference 0x8001 in record 1 does not name class 'CName'"},
        {"class reference to a record", oneFirst + Hex("02 80") + kDefaultFieldBytes, one, 33,
         "class reference 0x8002 in record 2 does not name class 'CName'"},
        {"four-byte class reference to nothing", oneFirst + Hex("FF 7F 05 00 00 80") + kDefaultFieldBytes, one, 33,
         "class reference 0x80000005 in record 2 does not name class 'CName'"},
        {"object reference to the class", oneFirst + Hex("01 00"), one, 33,
         "object reference 1 in record 2 does not name a record already read"},
        {"object reference not yet given", oneFirst + Hex("03 00"), one, 33,
         "object reference 3 in record 2 does not name a record already read"},
        {"fault after skipped entries", Hex("04 00") + kNewClassBytes + kDefaultFieldBytes + Hex("02 00 00 00 01 80 01"),
         one, 40, "unexpected end of file in record 4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ArchiveReadResult result = ReadArchive(row.bytes);
        ASSERT_TRUE(result.fault.has_value());
        EXPECT_EQ(result.fault->offset, row.offset);
        EXPECT_EQ(result.fault->reason, row.reason);
        ExpectRecords(result.records, row.kept);
    }
}

}  // namespace
