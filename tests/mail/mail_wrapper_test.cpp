// The nine mail calls over the provider library and a real Maildir: return
// codes, the walk in delivery order, what a read gives and changes, the
// attachment name copy, sending, deleting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "mail/maildir_fixture.h"
#include "tuikit/tuikit.h"

namespace {

constexpr const char *kPlain = "1765100000.M100P1.host";
constexpr const char *kEncoded = "1765100100.M5P2.host";
constexpr const char *kAttached = "1765100200.M7P3.host";

// Three messages: the first already seen in cur/, the others new; the
// directory order is not the delivery order.
class MailWrapper : public ::testing::Test {
protected:
    void SetUp() override
    {
        box.PutFixture("new/" + std::string(kAttached), "attachments.eml");
        box.PutFixture("cur/" + std::string(kPlain) + ":2,S", "plain.eml");
        box.PutFixture("new/" + std::string(kEncoded), "encoded.eml");
        ASSERT_EQ(TuiMAPILogon(), 0);
    }

    std::vector<std::string> Walk()
    {
        std::vector<std::string> ids;
        char id[512] = "";
        while (TuiMAPIFindNext(ids.empty() ? "" : ids.back().c_str(), id) == 0) ids.push_back(id);
        return ids;
    }

    TempMaildir box;
};

TEST(MailWithoutSession, EveryCallButLogonAsksForASession)
{
    char id[512];
    char name[16];
    char *buffer = name;
    lpMapiMessage message = nullptr;
    EXPECT_EQ(TuiMAPIGetPath("x", &buffer, 16, 0), -1) << "argument checks come first";
    EXPECT_EQ(TuiMAPILogoff(), 3);
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 3);
    EXPECT_EQ(TuiMAPIMailInfo("x", &message), 3);
    EXPECT_EQ(TuiMAPIReadMail("x", &message), 3);
    EXPECT_EQ(TuiMAPIFreeBuffer(nullptr), 3);
    EXPECT_EQ(TuiMAPISendMail(nullptr), 3);
    EXPECT_EQ(TuiMAPIDeleteMail("x"), 3);
    EXPECT_EQ(TuiMAPIGetPath("x", &buffer, 16, 1), 3);
}

TEST(MailWithoutSession, ANonMaildirFailsTheLogonAndTheNextLogonRetries)
{
    TempMaildir box;
    fs::remove_all(box.Root() / "cur");
    EXPECT_EQ(TuiMAPILogon(), 2);
    fs::create_directory(box.Root() / "cur");
    EXPECT_EQ(TuiMAPILogon(), 0);
}

TEST_F(MailWrapper, TheWalkGoesInDeliveryOrderOverNewAndCurAndReachesLaterDeliveries)
{
    EXPECT_EQ(Walk(), (std::vector<std::string>{kPlain, kEncoded, kAttached}));
    char id[512] = "";
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 0);
    EXPECT_STREQ(id, kPlain) << "a null seed starts over";
    EXPECT_EQ(TuiMAPIFindNext(kAttached, id), 4);
    EXPECT_EQ(TuiMAPIFindNext("no-such-message", id), 2);
    // A message delivered after the walk has ended is the next one.
    box.PutFixture("new/1765100300.M1P9.other", "plain.eml");
    ASSERT_EQ(TuiMAPIFindNext(kAttached, id), 0);
    EXPECT_STREQ(id, "1765100300.M1P9.other");
}

TEST_F(MailWrapper, TheEnvelopeHasDecodedHeadersInTheConsoleCodePageAndPeeks)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(TuiMAPIMailInfo(kEncoded, &m), 0);
    EXPECT_STREQ(m->lpszSubject, "Caf\x82 ? 5 ?") << "page 437 has no euro sign and no O with stroke";
    EXPECT_STREQ(m->lpOriginator->lpszName, "Ren\x82 Dupr\x82");
    EXPECT_STREQ(m->lpOriginator->lpszAddress, "rene@example.fr");
    EXPECT_EQ(m->lpOriginator->ulRecipClass, static_cast<ULONG>(MAPI_ORIG));
    EXPECT_EQ(m->flFlags, static_cast<FLAGS>(MAPI_UNREAD | MAPI_RECEIPT_REQUESTED));
    EXPECT_EQ(m->lpszNoteText, nullptr) << "the envelope has no text";
    EXPECT_EQ(std::strlen(m->lpszDateReceived), 16u);
    EXPECT_EQ(m->lpszDateReceived[4], '/');
    EXPECT_EQ(TuiMAPIFreeBuffer(m), 0);
    EXPECT_EQ(box.Files("new").size(), 2u) << "still unread";
    ASSERT_TRUE(SetConsoleOutputCP(850));
    ASSERT_EQ(TuiMAPIMailInfo(kEncoded, &m), 0);
    EXPECT_STREQ(m->lpszSubject, "Caf\x82 ? 5 \x9D") << "page 850 has the O with stroke";
    TuiMAPIFreeBuffer(m);
}

TEST_F(MailWrapper, RecipientsKeepTheirClasses)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(TuiMAPIMailInfo(kPlain, &m), 0);
    ASSERT_EQ(m->nRecipCount, 4u);
    std::vector<std::pair<ULONG, std::string>> recips;
    for (ULONG i = 0; i < m->nRecipCount; ++i) recips.emplace_back(m->lpRecips[i].ulRecipClass, m->lpRecips[i].lpszName);
    EXPECT_EQ(recips, (std::vector<std::pair<ULONG, std::string>>{
                          {MAPI_TO, "Bob"}, {MAPI_TO, "carol@example.net"}, {MAPI_CC, "Dave"}, {MAPI_BCC, "eve@example.com"}}));
    EXPECT_EQ(m->flFlags, 0u) << "seen, no receipt asked";
    TuiMAPIFreeBuffer(m);
}

TEST_F(MailWrapper, ReadingGivesTheTextAndMarksTheMessageSeenTheMaildirWay)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(TuiMAPIReadMail(kEncoded, &m), 0);
    EXPECT_STREQ(m->lpszNoteText, "Caf\x82 cr\x8Ame ?\n");
    TuiMAPIFreeBuffer(m);
    EXPECT_EQ(box.Files("new"), (std::vector<std::string>{kAttached}));
    EXPECT_TRUE(fs::exists(box.Root() / "cur" / (std::string(kEncoded) + ":2,S")));
    ASSERT_EQ(TuiMAPIMailInfo(kEncoded, &m), 0) << "the id outlives the move";
    EXPECT_EQ(m->flFlags & MAPI_UNREAD, 0u);
    TuiMAPIFreeBuffer(m);
    EXPECT_EQ(TuiMAPIReadMail("no-such-message", &m), 4);
    EXPECT_EQ(TuiMAPIMailInfo("no-such-message", &m), 4);
}

TEST_F(MailWrapper, ReadMailListsAttachmentNamesWithoutWritingThem)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(TuiMAPIReadMail(kAttached, &m), 0);
    EXPECT_STREQ(m->lpszNoteText, "Here it is.") << "the plain alternative";
    ASSERT_EQ(m->nFileCount, 2u);
    EXPECT_STREQ(m->lpFiles[0].lpszFileName, "report.pdf");
    EXPECT_STREQ(m->lpFiles[1].lpszFileName, "\x82t\x82.txt");
    EXPECT_STREQ(m->lpFiles[0].lpszPathName, "");
    TuiMAPIFreeBuffer(m);
}

TEST_F(MailWrapper, GetPathCopiesTheFileNameWithoutATerminatingZero)
{
    char bytes[20];
    char *buffer = bytes;
    std::memset(bytes, '#', sizeof bytes);
    EXPECT_EQ(TuiMAPIGetPath(kAttached, &buffer, 8, 1), 0);
    EXPECT_EQ(std::string(bytes, 20), "report.p############");
    std::memset(bytes, '#', sizeof bytes);
    EXPECT_EQ(TuiMAPIGetPath(kAttached, &buffer, 20, 1), 0);
    EXPECT_EQ(std::string(bytes, 20), "report.pdf##########");
    EXPECT_EQ(TuiMAPIGetPath(kAttached, &buffer, 20, 3), -1) << "two attachments";
    EXPECT_EQ(TuiMAPIGetPath(kAttached, &buffer, 0, 1), -1);
    EXPECT_EQ(TuiMAPIGetPath(kAttached, nullptr, 20, 1), -1);
    EXPECT_EQ(TuiMAPIGetPath("no-such-message", &buffer, 20, 1), -1) << "no message record";
    EXPECT_EQ(box.Files("new").size(), 2u) << "both reads peek";
}

TEST_F(MailWrapper, DeleteRemovesExactlyThatMessage)
{
    EXPECT_EQ(TuiMAPIDeleteMail(kEncoded), 0);
    EXPECT_EQ(Walk(), (std::vector<std::string>{kPlain, kAttached}));
    EXPECT_EQ(box.Files("new"), (std::vector<std::string>{kAttached}));
    EXPECT_EQ(box.Files("cur").size(), 1u);
    EXPECT_EQ(TuiMAPIDeleteMail(kEncoded), 4);
}

TEST_F(MailWrapper, LogoffKeepsTheHandleSoCallsReportTheProvidersError)
{
    EXPECT_EQ(TuiMAPILogoff(), 0);
    lpMapiMessage m = nullptr;
    char id[512];
    EXPECT_EQ(TuiMAPIReadMail(kPlain, &m), 2);
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 2);
    EXPECT_EQ(TuiMAPILogoff(), 2);
    EXPECT_EQ(TuiMAPILogon(), 0);
    EXPECT_EQ(TuiMAPIFindNext(nullptr, id), 0);
}

TEST_F(MailWrapper, ASentMessageLandsInSentAndReadsBack)
{
    MapiRecipDesc to[2] = {{0, MAPI_TO, const_cast<char *>("Bob"), const_cast<char *>("SMTP:bob@example.net"), 0, nullptr},
                           {0, MAPI_CC, const_cast<char *>("Ren\x82"), const_cast<char *>("rene@example.fr"), 0, nullptr}};
    std::string file = (box.Root() / "notes.txt").string();
    box.Put("notes.txt", "line one\n");
    MapiFileDesc files[1] = {{0, 0, static_cast<ULONG>(-1), file.data(), const_cast<char *>("notes.txt"), nullptr}};
    MapiMessage message{};
    message.lpszSubject = const_cast<char *>("Caf\x82 at noon");
    message.lpszNoteText = const_cast<char *>("See you.\n");
    message.nRecipCount = 2;
    message.lpRecips = to;
    message.nFileCount = 1;
    message.lpFiles = files;
    ASSERT_EQ(TuiMAPISendMail(&message), 0);
    ASSERT_EQ(box.Files(".Sent/new").size(), 1u);
    std::string check = std::string("python3 " TUIKIT_MAIL_FIXTURES "/../check_sent.py ") + box.Root().string() +
                        " 'Caf\xC3\xA9 at noon' notes.txt 'line one'";
    EXPECT_EQ(std::system(check.c_str()), 0) << "an independent reader agrees";

    setenv("MAILDIR", (box.Root() / ".Sent").c_str(), 1);
    ASSERT_EQ(TuiMAPILogon(), 0);
    char id[512];
    ASSERT_EQ(TuiMAPIFindNext(nullptr, id), 0);
    lpMapiMessage m = nullptr;
    ASSERT_EQ(TuiMAPIReadMail(id, &m), 0);
    EXPECT_STREQ(m->lpszSubject, "Caf\x82 at noon");
    EXPECT_STREQ(m->lpszNoteText, "See you.\n");
    ASSERT_EQ(m->nRecipCount, 2u);
    EXPECT_STREQ(m->lpRecips[1].lpszName, "Ren\x82");
    EXPECT_EQ(m->lpRecips[1].ulRecipClass, static_cast<ULONG>(MAPI_CC));
    ASSERT_EQ(m->nFileCount, 1u);
    EXPECT_STREQ(m->lpFiles[0].lpszFileName, "notes.txt");
    TuiMAPIFreeBuffer(m);
}

}  // namespace
