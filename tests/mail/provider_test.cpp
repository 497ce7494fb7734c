// The provider library called directly: the flags MAPIReadMail honours,
// attachment files, unread-only walks, sendmail, and bad input of every
// kind answered with an error code and nothing lost or changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "mail/maildir_fixture.h"
#include "tuikit/mapi.h"

namespace {

class Provider : public ::testing::Test {
protected:
    void SetUp() override
    {
        box.PutFixture("new/1765100200.M7P3.host", "attachments.eml");
        box.PutFixture("cur/1765100000.M1P1.host:2,S", "plain.eml");
        ASSERT_EQ(MAPILogon(0, nullptr, nullptr, 0, 0, &session), 0u);
    }
    void TearDown() override { MAPILogoff(session, 0, 0, 0); }

    ULONG Read(const char *id, FLAGS flags, lpMapiMessage *m)
    {
        return MAPIReadMail(session, 0, const_cast<char *>(id), flags, 0, m);
    }
    std::vector<std::string> Walk(FLAGS flags)
    {
        std::vector<std::string> ids;
        char id[512] = "";
        while (MAPIFindNext(session, 0, nullptr, ids.empty() ? nullptr : ids.back().data(), flags, 0, id) == 0)
            ids.push_back(id);
        return ids;
    }
    std::string Slurp(const char *path) { std::ifstream in(path); return {std::istreambuf_iterator<char>(in), {}}; }

    TempMaildir box;
    LHANDLE session = 0;
};

TEST_F(Provider, AttachmentsAreWrittenToAPrivateFolder)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(Read("1765100200.M7P3.host", MAPI_PEEK, &m), 0u);
    ASSERT_EQ(m->nFileCount, 2u);
    EXPECT_EQ(Slurp(m->lpFiles[0].lpszPathName), "%PDF-1.4\n");
    EXPECT_EQ(Slurp(m->lpFiles[1].lpszPathName), "summer");
    EXPECT_EQ(fs::path(m->lpFiles[1].lpszPathName).filename(), "\xC3\xA9t\xC3\xA9.txt") << "the name on disk is the real one";
    struct stat st{};
    ASSERT_EQ(stat(fs::path(m->lpFiles[0].lpszPathName).parent_path().parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(MAPIFreeBuffer(m), 0u);
    EXPECT_EQ(MAPIFreeBuffer(m), static_cast<ULONG>(MAPI_E_FAILURE)) << "freed once only";
}

TEST_F(Provider, BodyAsFileMakesTheTextTheFirstAttachment)
{
    lpMapiMessage m = nullptr;
    ASSERT_EQ(Read("1765100200.M7P3.host", MAPI_BODY_AS_FILE | MAPI_SUPPRESS_ATTACH | MAPI_PEEK, &m), 0u);
    EXPECT_EQ(m->lpszNoteText, nullptr);
    ASSERT_EQ(m->nFileCount, 3u);
    EXPECT_EQ(Slurp(m->lpFiles[0].lpszPathName), "Here it is.");
    EXPECT_STREQ(m->lpFiles[1].lpszPathName, "") << "suppressed attachments are named, not written";
    MAPIFreeBuffer(m);
}

TEST_F(Provider, UnreadOnlySkipsSeenMessages)
{
    EXPECT_EQ(Walk(MAPI_LONG_MSGID | MAPI_UNREAD_ONLY), (std::vector<std::string>{"1765100200.M7P3.host"}));
    lpMapiMessage m = nullptr;
    ASSERT_EQ(Read("1765100200.M7P3.host", MAPI_ENVELOPE_ONLY, &m), 0u);
    MAPIFreeBuffer(m);
    EXPECT_TRUE(Walk(MAPI_UNREAD_ONLY).empty());
    EXPECT_EQ(Walk(0).size(), 2u);
}

TEST_F(Provider, StrayFilesDotFilesAndFoldersAreNoMessages)
{
    box.Put("new/.hidden", "x");
    box.Put("tmp/1765100300.M1P1.host", "From: a@b\n\nhalf");
    fs::create_directory(box.Root() / "cur" / "1765100400.M1P1.dir");
    box.Put("cur/notes", "not mail at all \x01\x02\xff");
    EXPECT_EQ(Walk(MAPI_LONG_MSGID), (std::vector<std::string>{"1765100000.M1P1.host", "1765100200.M7P3.host", "notes"}))
        << "a name without a time sorts by its file's time";
    lpMapiMessage m = nullptr;
    EXPECT_EQ(Read("notes", MAPI_PEEK, &m), static_cast<ULONG>(MAPI_E_FAILURE)) << "no message in it";
    EXPECT_EQ(m, nullptr);
}

TEST_F(Provider, BrokenMessagesReadWithoutHarm)
{
    std::string full = TempMaildir::Fixture("attachments.eml");
    std::vector<std::string> broken = {"", "\n\n\n", "Subject: =?utf-8?B?////?=\n\n", full.substr(0, full.size() / 2),
                                       "Content-Type: multipart/mixed; boundary=\"\"\n\n--\n--\n",
                                       "From: <<<@@@>>>\nTo: ,,,;;;\nContent-Transfer-Encoding: base64\n\n!!!!"};
    for (size_t i = 0; i < broken.size(); ++i) {
        std::string id = "1765200000.M" + std::to_string(i) + "P1.host";
        box.Put("new/" + id, broken[i]);
        for (FLAGS flags : {MAPI_ENVELOPE_ONLY, 0, MAPI_BODY_AS_FILE}) {
            lpMapiMessage m = nullptr;
            ULONG result = Read(id.c_str(), flags | MAPI_PEEK, &m);
            EXPECT_TRUE(result == 0 || result == MAPI_E_FAILURE) << i;
            MAPIFreeBuffer(m);
        }
    }
}

TEST_F(Provider, AbsurdArgumentsGetErrorCodes)
{
    char id[512];
    lpMapiMessage m = nullptr;
    EXPECT_EQ(MAPILogon(0, nullptr, nullptr, 0, 0, nullptr), static_cast<ULONG>(MAPI_E_FAILURE));
    EXPECT_EQ(MAPIFindNext(session, 0, nullptr, nullptr, 0, 0, nullptr), static_cast<ULONG>(MAPI_E_FAILURE));
    EXPECT_EQ(MAPIFindNext(session + 1, 0, nullptr, nullptr, 0, 0, id), static_cast<ULONG>(MAPI_E_INVALID_SESSION));
    EXPECT_EQ(MAPIFindNext(session, 0, const_cast<char *>("IPC.Other"), nullptr, 0, 0, id),
              static_cast<ULONG>(MAPI_E_NO_MESSAGES));
    std::string longSeed(4000, 'x');
    EXPECT_EQ(MAPIFindNext(session, 0, nullptr, longSeed.data(), 0, 0, id), static_cast<ULONG>(MAPI_E_INVALID_MESSAGE));
    EXPECT_EQ(Read(nullptr, 0, &m), static_cast<ULONG>(MAPI_E_INVALID_MESSAGE));
    EXPECT_EQ(Read("1765100000.M1P1.host", 0, nullptr), static_cast<ULONG>(MAPI_E_FAILURE));
    EXPECT_EQ(MAPIDeleteMail(session, 0, nullptr, 0, 0), static_cast<ULONG>(MAPI_E_INVALID_MESSAGE));
    int local = 0;
    EXPECT_EQ(MAPIFreeBuffer(&local), static_cast<ULONG>(MAPI_E_FAILURE));
    EXPECT_EQ(MAPISendMail(session, 0, nullptr, 0, 0), static_cast<ULONG>(MAPI_E_FAILURE));
    EXPECT_EQ(Walk(MAPI_LONG_MSGID).size(), 2u) << "nothing changed";
}

TEST_F(Provider, ABadMessageToSendIsRefusedAndNothingIsKept)
{
    MapiRecipDesc good{0, MAPI_TO, nullptr, const_cast<char *>("bob@example.net"), 0, nullptr};
    MapiRecipDesc orig{0, MAPI_ORIG, nullptr, const_cast<char *>("bob@example.net"), 0, nullptr};
    MapiRecipDesc nameOnly{0, MAPI_TO, const_cast<char *>("Bob"), nullptr, 0, nullptr};
    MapiRecipDesc junk{0, MAPI_TO, nullptr, const_cast<char *>("not an address"), 0, nullptr};
    MapiFileDesc missing{0, 0, 0, const_cast<char *>("/no/such/file"), nullptr, nullptr};
    MapiFileDesc folder{0, 0, 0, const_cast<char *>("/tmp"), nullptr, nullptr};
    struct Case {
        ULONG recipCount;
        lpMapiRecipDesc recips;
        ULONG fileCount;
        lpMapiFileDesc files;
        ULONG expected;
    } cases[] = {
        {0, nullptr, 0, nullptr, MAPI_E_INVALID_RECIPS},
        {5, nullptr, 0, nullptr, MAPI_E_INVALID_RECIPS},
        {0xFFFFFFFF, &good, 0, nullptr, MAPI_E_TOO_MANY_RECIPIENTS},
        {1, &orig, 0, nullptr, MAPI_E_BAD_RECIPTYPE},
        {1, &nameOnly, 0, nullptr, MAPI_E_UNKNOWN_RECIPIENT},
        {1, &junk, 0, nullptr, MAPI_E_INVALID_RECIPS},
        {1, &good, 1, &missing, MAPI_E_ATTACHMENT_NOT_FOUND},
        {1, &good, 1, &folder, MAPI_E_ATTACHMENT_OPEN_FAILURE},
        {1, &good, 0xFFFFFFFF, &missing, MAPI_E_TOO_MANY_FILES},
    };
    for (const Case &c : cases) {
        MapiMessage message{};
        message.nRecipCount = c.recipCount;
        message.lpRecips = c.recips;
        message.nFileCount = c.fileCount;
        message.lpFiles = c.files;
        EXPECT_EQ(MAPISendMail(session, 0, &message, 0, 0), c.expected) << c.recipCount << " " << c.fileCount;
    }
    EXPECT_TRUE(box.Files(".Sent/new").empty());
}

TEST_F(Provider, SendmailReceivesTheMessageWithoutBcc)
{
    std::string script = (box.Root() / "sendmail").string();
    box.Put("sendmail", "#!/bin/sh\necho \"$@\" > \"$0.args\"\ncat > \"$0.in\"\n");
    fs::permissions(script, fs::perms::owner_all);
    setenv("TUIKIT_SENDMAIL", script.c_str(), 1);
    MapiRecipDesc to[2] = {{0, MAPI_TO, nullptr, const_cast<char *>("bob@example.net"), 0, nullptr},
                           {0, MAPI_BCC, nullptr, const_cast<char *>("eve@example.com"), 0, nullptr}};
    MapiMessage message{};
    message.lpszSubject = const_cast<char *>("hi");
    message.nRecipCount = 2;
    message.lpRecips = to;
    EXPECT_EQ(MAPISendMail(session, 0, &message, 0, 0), 0u);
    unsetenv("TUIKIT_SENDMAIL");
    EXPECT_EQ(Slurp((script + ".args").c_str()), "-oi -- bob@example.net eve@example.com\n");
    std::string piped = Slurp((script + ".in").c_str());
    EXPECT_NE(piped.find("Subject: hi"), std::string::npos);
    EXPECT_EQ(piped.find("eve@"), std::string::npos);
    ASSERT_EQ(box.Files(".Sent/new").size(), 1u);
    EXPECT_NE(Slurp((box.Root() / ".Sent/new" / box.Files(".Sent/new")[0]).c_str()).find("Bcc: eve@example.com"),
              std::string::npos) << "the kept copy remembers";
}

TEST_F(Provider, ASendThatCannotBeDeliveredOrKeptFails)
{
    MapiRecipDesc to{0, MAPI_TO, nullptr, const_cast<char *>("bob@example.net"), 0, nullptr};
    MapiMessage message{};
    message.nRecipCount = 1;
    message.lpRecips = &to;
    box.Put(".Sent", "a file where the folder should be");
    EXPECT_EQ(MAPISendMail(session, 0, &message, 0, 0), static_cast<ULONG>(MAPI_E_DISK_FULL));
    fs::remove(box.Root() / ".Sent");
    setenv("TUIKIT_SENDMAIL", "/bin/false", 1);
    EXPECT_EQ(MAPISendMail(session, 0, &message, 0, 0), static_cast<ULONG>(MAPI_E_FAILURE));
    unsetenv("TUIKIT_SENDMAIL");
    EXPECT_TRUE(box.Files(".Sent/new").empty()) << "a failed delivery leaves no sent copy";
}

TEST(ProviderLogon, AMissingMaildirIsALogonFailure)
{
    setenv("MAILDIR", "/nonexistent/tuikit/Maildir", 1);
    LHANDLE session = 0;
    EXPECT_EQ(MAPILogon(0, nullptr, nullptr, 0, 0, &session), static_cast<ULONG>(MAPI_E_LOGON_FAILURE));
}

}  // namespace

namespace {

// A program that ends without logging off leaves no attachment files behind.
TEST(ProviderExit, AttachmentFoldersGoWithTheProcess)
{
    TempMaildir box;
    box.PutFixture("new/1765100200.M7P3.host", "attachments.eml");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LHANDLE session = 0;
        lpMapiMessage m = nullptr;
        MAPILogon(0, nullptr, nullptr, 0, 0, &session);
        ULONG read = MAPIReadMail(session, 0, const_cast<char *>("1765100200.M7P3.host"), MAPI_PEEK, 0, &m);
        bool written = read == 0 && m->nFileCount == 2 && fs::exists(m->lpFiles[0].lpszPathName);
        std::exit(written ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(status, 0) << "the child read the attachments";
    for (const auto &entry : fs::directory_iterator(box.Root()))
        EXPECT_EQ(entry.path().filename().string().rfind("tuikit-mail-", 0), std::string::npos) << entry.path();
}

// A sender killed at any moment of the delivery leaves at most a file in
// tmp/: new/ holds nothing or the whole message.
TEST(ProviderSendKilled, NoPartialMessageEverReachesNewOrCur)
{
    TempMaildir box;
    std::string big = (box.Root() / "big.bin").string();
    box.Put("big.bin", std::string(40 << 20, 'x'));
    for (int round = 0; round < 3; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            LHANDLE session = 0;
            MAPILogon(0, nullptr, nullptr, 0, 0, &session);
            MapiRecipDesc to{0, MAPI_TO, nullptr, const_cast<char *>("bob@example.net"), 0, nullptr};
            MapiFileDesc file{0, 0, 0, big.data(), nullptr, nullptr};
            MapiMessage message{};
            message.nRecipCount = 1;
            message.lpRecips = &to;
            message.nFileCount = 1;
            message.lpFiles = &file;
            _exit(MAPISendMail(session, 0, &message, 0, 0) == 0 ? 0 : 1);
        }
        while (box.Files(".Sent/tmp").empty() && box.Files(".Sent/new").empty()) usleep(100);
        usleep(round * 2000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        EXPECT_TRUE(box.Files(".Sent/cur").empty());
        for (const std::string &name : box.Files(".Sent/new")) {
            std::ifstream in(box.Root() / ".Sent/new" / name, std::ios::ate | std::ios::binary);
            std::string tail(8, '\0');
            in.seekg(-8, std::ios::end);
            in.read(tail.data(), 8);
            EXPECT_NE(tail.find("--\n"), std::string::npos) << "the closing boundary is there";
        }
    }
}

}  // namespace
