// Without the provider on the library path or beside the library, logon
// reports the missing mail library, every time it is tried; a provider in
// the current directory is never taken.
#include <gtest/gtest.h>
#include <unistd.h>

#include "tuikit/tuikit.h"

TEST(MailProviderMissing, LogonReportsTheMissingLibraryAndRetries)
{
    ASSERT_EQ(chdir(TUIKIT_PROVIDER_DIR), 0) << "where libmapi32.so.1 is";
    EXPECT_EQ(TuiMAPILogon(), 1);
    EXPECT_EQ(TuiMAPILogon(), 1);
    char id[512];
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 3);
}
