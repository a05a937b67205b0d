#include "people/namelist.h"

#include "people/archivereader.h"
#include "people/archivewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records appended one by one or from a loaded file behave alike: in order,
// each with one address from when it is first asked for, through removals,
// and nothing at an index outside the list.
TEST(CNameList, PositionsStayWhileTheListGrowsAndShrinks)
{
    CNameList people;
    std::vector<CName> expected{CName("before", "", "", "")};
    for (int i = 0; i < 40; ++i)
        expected.push_back(*people.Append(CName("Person " + std::to_string(i), std::to_string(1900 + i), "07", "14")));
    const CNameTable table = ReadArchive(WriteArchive(people)).records;
    const std::vector<CName> once(expected.begin() + 1, expected.end());
    expected.insert(expected.end(), once.begin(), once.end());
    expected.push_back(CName("after", "", "", ""));

    CNameList list;
    EXPECT_EQ(list.Append(std::unique_ptr<CName>()), nullptr);  // never an empty entry
    ASSERT_TRUE(list.IsEmpty());
    CName* const first = list.Append(CName("before", "", "", ""));
    list.Append(table);
    const CName* const taken = list.At(31);  // before the second load
    list.Append(table);
    list.Append(CName("after", "", "", ""));
    ASSERT_EQ(list.Count(), static_cast<int32_t>(expected.size()));
    for (const int32_t index : {80, 5, 31, 45, 0, 81})
        EXPECT_EQ(*list.At(index), expected[static_cast<size_t>(index)]) << index;
    const CName* const later = list.At(60);
    const CName* const removed = list.At(10);
    EXPECT_TRUE(list.At(0) == first && list.At(31) == taken && list.IndexOf(later) == 60);
    EXPECT_FALSE(list.RemoveAt(-1) || list.RemoveAt(list.Count()));
    ASSERT_TRUE(list.RemoveAt(10));
    expected.erase(expected.begin() + 10);
    EXPECT_FALSE(list.Contains(removed));
    EXPECT_TRUE(list.At(30) == taken && list.IndexOf(later) == 59 && list.IndexOf(nullptr) == -1);
    EXPECT_TRUE(list.At(-1) == nullptr && list.At(list.Count()) == nullptr);
    std::vector<CName> all;
    for (const auto& record : list)
        all.push_back(*record);
    EXPECT_EQ(all, expected);
    list.Clear();
    EXPECT_EQ(list.At(0), nullptr);
    list.Append(table);
    EXPECT_EQ(*list.At(39), *people.At(39));
}

// Two people are the same only when all four texts are.
TEST(CName, EqualOnlyWhenEveryTextIs)
{
    const CName ada("Ada", "1990", "05", "17");
    EXPECT_TRUE(ada == CName("Ada", "1990", "05", "17"));
    for (const CName& other : {CName("Bea", "1990", "05", "17"), CName("Ada", "1991", "05", "17"),
                               CName("Ada", "1990", "06", "17"), CName("Ada", "1990", "05", "18")})
        EXPECT_FALSE(ada == other) << other.m_name << " " << other.m_year << "-" << other.m_month << "-" << other.m_day;
}

}  // namespace
