// Without the provider on the library path or beside the library, logon
// reports the missing mail library, every time it is tried.
#include <gtest/gtest.h>

#include "tuikit/tuikit.h"

TEST(MailProviderMissing, LogonReportsTheMissingLibraryAndRetries)
{
    EXPECT_EQ(TuiMAPILogon(), 1);
    EXPECT_EQ(TuiMAPILogon(), 1);
    char id[512];
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 3);
}
