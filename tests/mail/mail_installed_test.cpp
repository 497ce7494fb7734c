// A program linked with the shared library finds the provider installed
// beside it, with no library path set.
#include <gtest/gtest.h>

#include "mail/maildir_fixture.h"
#include "tuikit/tuikit.h"

TEST(MailProviderBesideTheLibrary, IsFoundWithoutALibraryPath)
{
    ASSERT_EQ(getenv("LD_LIBRARY_PATH"), nullptr);
    TempMaildir box;
    box.PutFixture("new/1765100000.M1P1.host", "plain.eml");
    ASSERT_EQ(TuiMAPILogon(), 0);
    char id[512];
    ASSERT_EQ(TuiMAPIFindNext(nullptr, id), 0);
    EXPECT_STREQ(id, "1765100000.M1P1.host");
}
