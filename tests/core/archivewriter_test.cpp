#include "people/archivewriter.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

const char* const kNewClassCName = "FF FF 00 00 05 00 43 4E 61 6D 65";
const char* const kDefaultFields = "08 4E 65 77 20 4E 61 6D 65 04 31 39 30 31 02 30 31 02 30 31";

CName DefaultPerson()
{
    return CName("New Name", "1901", "01", "01");
}

CNameList ListOf(std::initializer_list<CName> records)
{
    CNameList list;
    for (const CName& record : records)
        list.Append(record);
    return list;
}

TEST(WriteArchive, DefaultRecordIsThe33ByteFile)
{
    const std::string expected = Hex("01 00 FF FF 00 00 05 00 43 4E 61 6D 65 08 4E 65 77 20 4E 61 6D 65 "
                                     "04 31 39 30 31 02 30 31 02 30 31");
    ASSERT_EQ(expected.size(), 33u);
    EXPECT_EQ(WriteArchive(ListOf({DefaultPerson()})), expected);
}

TEST(WriteArchive, SecondRecordRefersToTheClass)
{
    const std::string expected = Hex("02 00") + Hex(kNewClassCName) + Hex(kDefaultFields) + Hex("01 80") +
                                 Hex(kDefaultFields);
    ASSERT_EQ(expected.size(), 55u);
    EXPECT_EQ(WriteArchive(ListOf({DefaultPerson(), DefaultPerson()})), expected);
}

TEST(WriteArchive, EmptyListIsACountOfZero)
{
    EXPECT_EQ(WriteArchive(CNameList()), Hex("00 00"));
}

TEST(WriteArchive, TextBytesAreWrittenAsTheyStand)
{
    const CName person(std::string("\xC3\xA9\x00\xFF", 4), "", "-7", " 3");
    EXPECT_EQ(WriteArchive(ListOf({person})),
              Hex("01 00") + Hex(kNewClassCName) + Hex("04 C3 A9 00 FF 00 02 2D 37 02 20 33"));
}

struct PrefixCase {
    const char* name;
    size_t length;
    const char* prefix;
};

const PrefixCase kPrefixCases[] = {
    {"Empty", 0, "00"},
    {"Bytes254", 254, "FE"},
    {"Bytes255", 255, "FF FF 00"},
    {"Bytes300", 300, "FF 2C 01"},
    {"Bytes65533", 65533, "FF FD FF"},
    {"Bytes65534", 65534, "FF FF FF FE FF 00 00"},
    {"Bytes70000", 70000, "FF FF FF 70 11 01 00"},
};

void PrintTo(const PrefixCase& row, std::ostream* out)
{
    *out << row.name;
}

class WriteArchivePrefix : public testing::TestWithParam<PrefixCase> {};

TEST_P(WriteArchivePrefix, NameLengthPrefix)
{
    const std::string name(GetParam().length, 'n');
    const std::string expected = Hex("01 00") + Hex(kNewClassCName) + Hex(GetParam().prefix) + name + Hex("00 00 00");
    EXPECT_EQ(WriteArchive(ListOf({CName(name, "", "", "")})), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteArchivePrefix, testing::ValuesIn(kPrefixCases),
                         [](const testing::TestParamInfo<PrefixCase>& info) { return std::string(info.param.name); });

std::string EmptyRecordsFile(size_t records)
{
    std::string out = Hex(kNewClassCName) + Hex("00 00 00 00");
    for (size_t i = 1; i < records; ++i)
        out += Hex("01 80 00 00 00 00");
    return out;
}

TEST(WriteArchive, CountOf65534StaysInTwoBytes)
{
    CNameList list;
    for (int i = 0; i < 65534; ++i)
        list.Append(CName());
    EXPECT_EQ(WriteArchive(list), Hex("FE FF") + EmptyRecordsFile(65534));
}

TEST(WriteArchive, CountOf65535TakesTheFourByteForm)
{
    CNameList list;
    for (int i = 0; i < 65535; ++i)
        list.Append(CName());
    EXPECT_EQ(WriteArchive(list), Hex("FF FF FF FF 00 00") + EmptyRecordsFile(65535));
}
}
