#include "objects/DateText.h"

#include <gtest/gtest.h>

namespace {

// Every text comes back as it was set, whether it fits the date layout or not.
TEST(DateText, GivesBackTheTextItWasGiven)
{
    const char* texts[] = {
        "",
        "01.02.2003 04:05:06",
        "00.00.0000 00:00:00",
        "99.99.9999 99:99:99",
        "31.12.1999 23:59:59",
        "2024",
        "d",
        "01.02.2003 04:05:6", // one digit short
        "01.02.2003 04:05:060", // one digit over
        "01/02/2003 04:05:06", // other separators
        "01.02.2003T04:05:06",
        "0a.02.2003 04:05:06",
        "-1.02.2003 04:05:06",
    };
    for (const char* text : texts) {
        CDateText date;
        date = CString(text);
        EXPECT_EQ(date.Text(), text);
        CDateText copy(date);
        EXPECT_EQ(copy.Text(), text);
        CDateText assigned;
        assigned = date;
        EXPECT_EQ(assigned.Text(), text);
    }
}

TEST(DateText, StartsEmpty)
{
    EXPECT_TRUE(CDateText().Text().IsEmpty());
}

// An editor changes the text through its pointer, and the pointer stays good through later
// assignments.
TEST(DateText, AnEditorsChangesAreTheText)
{
    CDateText date;
    date = CString("01.02.2003 04:05:06");
    CString* edited = date.Edit();
    EXPECT_EQ(*edited, "01.02.2003 04:05:06");
    *edited = "02.03.2004 05:06:07";
    EXPECT_EQ(date.Text(), "02.03.2004 05:06:07");
    date = CString("later");
    EXPECT_EQ(*edited, "later");
    CDateText other;
    other = CString("03.04.2005 06:07:08");
    date = other;
    EXPECT_EQ(*edited, "03.04.2005 06:07:08");
    EXPECT_EQ(date.Edit(), edited);
}

TEST(DateText, ACopyOfAnEditedTextIsItsOwn)
{
    CDateText date;
    date = CString("01.02.2003 04:05:06");
    *date.Edit() = "x";
    CDateText copy(date);
    *date.Edit() = "y";
    EXPECT_EQ(copy.Text(), "x");
}

} // namespace
