#include "people/namelist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CNameList, PositionsStayWhileTheListGrowsAndShrinks)
{
    CNameList list;
    EXPECT_EQ(list.Append(std::unique_ptr<CName>()), nullptr);  // never an empty entry
    ASSERT_TRUE(list.IsEmpty());
    CName* const first = list.Append(CName("first", "1901", "01", "01"));
    for (int i = 0; i < 10000; ++i)
        list.Append(CName(std::to_string(i), "", "", ""));
    EXPECT_EQ(list.At(0), first);
    EXPECT_EQ(first->m_name, "first");
    const CName* const second = list.At(1);
    const CName* const third = list.At(2);
    EXPECT_EQ(list.IndexOf(third), 2);

    EXPECT_FALSE(list.RemoveAt(-1));
    EXPECT_FALSE(list.RemoveAt(list.Count()));
    EXPECT_TRUE(list.RemoveAt(1));
    EXPECT_EQ(list.Count(), 10000);
    EXPECT_FALSE(list.Contains(second));
    EXPECT_EQ(list.IndexOf(third), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.At(list.Count()), nullptr);

    std::vector<std::string> names;
    for (const auto& record : list)
        names.push_back(record->m_name);
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 3),
              (std::vector<std::string>{"first", "1", "2"}));
}

}  // namespace
