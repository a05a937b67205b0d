#include "people/namelist.h"

#include <gtest/gtest.h>

namespace {
CName Person(const std::string& name)
{
    return CName(name, "1901", "01", "01");
}

TEST(CNameList, StartsEmpty)
{
    const CNameList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
}

TEST(CNameList, AppendKeepsOrderAndGivesPositions)
{
    CNameList list;
    CName* const first = list.Append(Person("Ada"));
    CName* const second = list.Append(std::make_unique<CName>(Person("Bob")));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0), first);
    EXPECT_EQ(list.At(1), second);
    EXPECT_EQ(first->m_name, "Ada");
    EXPECT_EQ(second->m_name, "Bob");
    EXPECT_EQ(list.IndexOf(second), 1);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.At(2), nullptr);
}

TEST(CNameList, NullRecordIsNotAppended)
{
    CNameList list;
    EXPECT_EQ(list.Append(std::unique_ptr<CName>()), nullptr);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CNameList, PositionsStayValidWhileTheListGrows)
{
    CNameList list;
    CName* const first = list.Append(Person("first"));
    for (int i = 0; i < 10000; ++i)
        list.Append(Person(std::to_string(i)));
    EXPECT_EQ(list.At(0), first);
    EXPECT_EQ(first->m_name, "first");
    EXPECT_TRUE(list.Contains(first));
}

TEST(CNameList, RemoveAtDropsOneRecord)
{
    CNameList list;
    list.Append(Person("a"));
    const CName* const middle = list.Append(Person("b"));
    const CName* const last = list.Append(Person("c"));
    EXPECT_FALSE(list.RemoveAt(3));
    EXPECT_FALSE(list.RemoveAt(-1));
    EXPECT_TRUE(list.RemoveAt(1));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.Contains(middle));
    EXPECT_EQ(list.IndexOf(last), 1);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CNameList, IterationVisitsRecordsInOrder)
{
    CNameList list;
    for (const char* name : {"x", "y", "z"})
        list.Append(Person(name));
    std::string seen;
    for (const auto& record : list)
        seen += record->m_name;
    EXPECT_EQ(seen, "xyz");
}
}
