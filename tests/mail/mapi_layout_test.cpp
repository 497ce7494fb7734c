// The Simple MAPI records have the platform's 64-bit layouts, so a provider
// built against the platform's own header reads and writes the same bytes.
#include <gtest/gtest.h>

#include <cstddef>

#include "tuikit/mapi.h"

static_assert(sizeof(LHANDLE) == sizeof(void *));
static_assert(sizeof(FLAGS) == 4 && sizeof(ULONG) == 4);

static_assert(sizeof(MapiFileDesc) == 40);
static_assert(offsetof(MapiFileDesc, flFlags) == 4);
static_assert(offsetof(MapiFileDesc, nPosition) == 8);
static_assert(offsetof(MapiFileDesc, lpszPathName) == 16);
static_assert(offsetof(MapiFileDesc, lpszFileName) == 24);
static_assert(offsetof(MapiFileDesc, lpFileType) == 32);

static_assert(sizeof(MapiFileTagExt) == 32);
static_assert(offsetof(MapiFileTagExt, lpTag) == 8);
static_assert(offsetof(MapiFileTagExt, cbEncoding) == 16);
static_assert(offsetof(MapiFileTagExt, lpEncoding) == 24);

static_assert(sizeof(MapiRecipDesc) == 40);
static_assert(offsetof(MapiRecipDesc, ulRecipClass) == 4);
static_assert(offsetof(MapiRecipDesc, lpszName) == 8);
static_assert(offsetof(MapiRecipDesc, lpszAddress) == 16);
static_assert(offsetof(MapiRecipDesc, ulEIDSize) == 24);
static_assert(offsetof(MapiRecipDesc, lpEntryID) == 32);

static_assert(sizeof(MapiMessage) == 96);
static_assert(offsetof(MapiMessage, lpszSubject) == 8);
static_assert(offsetof(MapiMessage, lpszNoteText) == 16);
static_assert(offsetof(MapiMessage, lpszMessageType) == 24);
static_assert(offsetof(MapiMessage, lpszDateReceived) == 32);
static_assert(offsetof(MapiMessage, lpszConversationID) == 40);
static_assert(offsetof(MapiMessage, flFlags) == 48);
static_assert(offsetof(MapiMessage, lpOriginator) == 56);
static_assert(offsetof(MapiMessage, nRecipCount) == 64);
static_assert(offsetof(MapiMessage, lpRecips) == 72);
static_assert(offsetof(MapiMessage, nFileCount) == 80);
static_assert(offsetof(MapiMessage, lpFiles) == 88);

TEST(MapiHeader, FlagValuesAreThePublishedOnes)
{
    EXPECT_EQ(MAPI_ENVELOPE_ONLY | MAPI_PEEK, 0xC0);
    EXPECT_EQ(MAPI_SUPPRESS_ATTACH | MAPI_BODY_AS_FILE | MAPI_PEEK, 0xA80);
    EXPECT_EQ(MAPI_LONG_MSGID, 0x4000);
    EXPECT_EQ(MAPI_UNREAD_ONLY, 0x20);
    EXPECT_EQ(MAPI_E_NO_MESSAGES, 16);
    EXPECT_EQ(MAPI_E_INVALID_MESSAGE, 17);
    EXPECT_EQ(MAPI_E_INVALID_SESSION, 19);
}
