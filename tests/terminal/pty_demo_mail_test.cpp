// The demo's Mail menu end to end in a pseudo-terminal, over a copy of the
// sample Maildir: the list, then a message opened, its accented letters shown
// as themselves, and marked read in the Maildir.
#include "mail/maildir_fixture.h"
#include "pty_session.h"

namespace tuikit::test {
namespace {

TEST(PtyDemoMail, TheMailMenuListsTheMailboxAndEnterShowsAMessage)
{
    TempMaildir box;
    for (const char *sub : {"cur", "new"})
        for (const auto &file : fs::directory_iterator(fs::path(TUIKIT_SAMPLE_MAILDIR) / sub))
            fs::copy_file(file.path(), box.Root() / sub / file.path().filename());
    PtySession s({TUIKIT_DEMO_APP});
    ASSERT_TRUE(WaitDemoUp(s));
    s.Type("\x1b" "m\r");  // Alt+M opens Mail, Enter chooses Mailbox...
    ASSERT_TRUE(s.WaitShows("4 messages, 3 unread"));
    EXPECT_TRUE(s.term.Shows("Charles Babbage         Notes on the engine"));
    s.Type("\x1b[B\x1b[B\r");  // the third message, opened
    ASSERT_TRUE(s.WaitShows("Subject:   Rendez-vous au caf~ ~ midi"));
    int row = 0;
    while (row < 24 && s.term.RowText(row).find("From:") == std::string::npos) ++row;
    const int at = static_cast<int>(s.term.RowText(row).find("Ren~"));
    EXPECT_EQ(s.term.Glyph(at + 3, row), U'\u00E9');
    EXPECT_TRUE(s.term.Shows("Attached:  (none)"));
    s.Type("\x1b");  // Escape closes the message: it is read now
    EXPECT_TRUE(s.WaitShows("4 messages, 2 unread"));
    EXPECT_EQ(box.Files("cur").size(), 2u);
    s.Type("\x1b");
    EXPECT_TRUE(s.WaitShows("Mail: 4 messages; 1 read"));
    s.Type("\x11");
    s.ExpectEnds(0);
}

}  // namespace
}  // namespace tuikit::test
