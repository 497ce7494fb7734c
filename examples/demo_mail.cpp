// The mail dialogs over the TuiMAPI calls: one session for the life of the
// program, the mailbox walked from its first message on every refresh, every
// record released with TuiMAPIFreeBuffer, every failure told in a message box.
#include "demo_mail.h"

#include <cstdio>
#include <string>
#include <vector>

#include <tuikit/tuikit.h>

#include "demo_mail_ids.h"

namespace {

constexpr int kIdSize = 512;  // a long message id, as TuiMAPIFindNext writes it

// A message record of TuiMAPIMailInfo or TuiMAPIReadMail, released with it.
class MailRecord {
public:
    MailRecord() = default;
    MailRecord(const MailRecord &) = delete;
    MailRecord &operator=(const MailRecord &) = delete;
    ~MailRecord()
    {
        if (message_) TuiMAPIFreeBuffer(message_);
    }
    lpMapiMessage *Out() { return &message_; }
    const MapiMessage &operator*() const { return *message_; }

private:
    lpMapiMessage message_ = nullptr;
};

std::string Text(const char *text) { return text ? text : ""; }

const char *Reason(int code)
{
    switch (code) {
    case 1: return "The mail library (libmapi32.so.1) cannot be found.";
    case 3: return "There is no mail session.";
    case 4: return "The message is no longer in the mailbox.";
    default: return "The mail system reported an error.";
    }
}

void Problem(const std::string &what, int code)
{
    TuiMessageBox((what + "\n" + Reason(code)).c_str(), "Mail", MB_OK);
}

// Logs on once; a failed logon is told and tried again next time.
bool LoggedOn()
{
    static bool on = false;
    if (on) return true;
    const int result = TuiMAPILogon();
    if (result != 0) Problem("The mailbox cannot be opened.", result);
    return on = result == 0;
}

// Labels show & as a mnemonic mark; text from a message keeps its own.
std::string Label(const std::string &text)
{
    std::string out;
    for (char c : text) out += c == '&' ? "&&" : std::string(1, c);
    return out;
}

std::string Fit(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Person(const MapiRecipDesc *who)
{
    if (!who) return "";
    const std::string name = Text(who->lpszName), address = Text(who->lpszAddress);
    if (name.empty() || name == address) return address;
    return address.empty() ? name : name + " <" + address + ">";
}

std::string Sender(const MapiMessage &m)
{
    if (!m.lpOriginator) return "(unknown sender)";
    const std::string name = Text(m.lpOriginator->lpszName);
    return name.empty() ? Text(m.lpOriginator->lpszAddress) : name;
}

// Names where the recipients have them, to keep the line short.
std::string Recipients(const MapiMessage &m)
{
    std::string to, cc;
    for (ULONG i = 0; i < m.nRecipCount; ++i) {
        const std::string name = Text(m.lpRecips[i].lpszName);
        std::string &list = m.lpRecips[i].ulRecipClass == MAPI_TO ? to : cc;
        list += (list.empty() ? "" : ", ") + (name.empty() ? Text(m.lpRecips[i].lpszAddress) : name);
    }
    return cc.empty() ? to : to + "; cc " + cc;
}

// The note text as list rows: its own line breaks, then the last space
// before width (a longer word is cut).
std::vector<std::string> Lines(const std::string &text, size_t width)
{
    std::vector<std::string> rows;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        while (line.size() > width) {
            size_t cut = line.rfind(' ', width);
            if (cut == std::string::npos || cut == 0) cut = width;
            rows.push_back(line.substr(0, cut));
            line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
        }
        rows.push_back(line);
        start = end + 1;
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

int ItemCells(int id)
{
    RECT r{};
    TuiGetDlgItemRect(static_cast<uint32_t>(id), &r);
    return r.right - r.left > 2 ? static_cast<int>(r.right - r.left - 2) : 1;
}

// ---- One message shown whole ------------------------------------------------

struct Shown {
    std::string id, from, to, date, subject, files, text;
};
Shown shown;

std::string AttachmentNames(const std::string &id)
{
    std::string names;
    for (int n = 1; n <= 100; ++n) {
        char name[256] = {};  // the name comes without a terminating zero
        char *buffer = name;
        if (TuiMAPIGetPath(id.c_str(), &buffer, sizeof name - 1, n) != 0) break;
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    return names.empty() ? "(none)" : names;
}

LRESULT CALLBACK ViewProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        TuiSetDlgItemText(IDC_VIEW_FROM, Label(shown.from).c_str());
        TuiSetDlgItemText(IDC_VIEW_TO, Label(shown.to).c_str());
        TuiSetDlgItemText(IDC_VIEW_DATE, shown.date.c_str());
        TuiSetDlgItemText(IDC_VIEW_SUBJECT, Label(shown.subject).c_str());
        TuiSetDlgItemText(IDC_VIEW_FILES, Label(shown.files).c_str());
        for (const std::string &row : Lines(shown.text, static_cast<size_t>(ItemCells(IDC_VIEW_TEXT))))
            TuiListBoxAddString(IDC_VIEW_TEXT, row.c_str());
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_DELETE) TuiEndDialog(IDC_VIEW_DELETE);
    if (message != WM_COMMAND) return 0;
    const WORD id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL || id == IDC_VIEW_DELETE) TuiEndDialog(id);
    return 0;
}

// Reads the message (marking it read) and shows it; the view's end code, or
// 0 when it could not be read.
int ShowMessage(const std::string &id)
{
    MailRecord m;
    if (int result = TuiMAPIReadMail(id.c_str(), m.Out()); result != 0) {
        Problem("The message cannot be read.", result);
        return 0;
    }
    shown = {id, Person((*m).lpOriginator), Recipients(*m), Text((*m).lpszDateReceived), Text((*m).lpszSubject),
             AttachmentNames(id), Text((*m).lpszNoteText)};
    return TuiDialogBox("MailView", ViewProc, -1, -1);
}

// ---- The mailbox --------------------------------------------------------------

constexpr const char *kUnreadable = "(a message the mail system cannot read)";

struct Listed {
    std::string id, sender, subject;
};

struct Mailbox {
    std::vector<Listed> messages;
    int deleted = 0;
    int sent = 0;
    int read = 0;
};
Mailbox box;

std::string ListRow(const MapiMessage &m)
{
    const std::string date = Text(m.lpszDateReceived);  // "YYYY/MM/DD HH:MM"
    return std::string(m.flFlags & MAPI_UNREAD ? "* " : "  ") + Fit(date.size() > 5 ? date.substr(5) : date, 11) +
           "  " + Fit(Sender(m), 22) + "  " + Text(m.lpszSubject);
}

// Walks the mailbox from its first message into the list; the selection
// stays at the index it had, or the last message.
void Refresh(int keep)
{
    TuiListBoxRemoveAll(IDC_MAIL_LIST);
    box.messages.clear();
    int unread = 0;
    std::string seed;
    for (char id[kIdSize] = "";;) {
        const int result = TuiMAPIFindNext(seed.c_str(), id);
        if (result == 4) break;
        if (result != 0) {
            Problem("The mailbox cannot be read to the end.", result);
            break;
        }
        seed = id;
        MailRecord m;
        const int read = TuiMAPIMailInfo(id, m.Out());
        if (read == 4) continue;  // gone since the walk found it
        if (read != 0) {          // listed all the same, so that it can be deleted
            box.messages.push_back({id, "(unknown sender)", kUnreadable});
            TuiListBoxAddString(IDC_MAIL_LIST, (std::string(15, ' ') + kUnreadable).c_str());
            continue;
        }
        unread += ((*m).flFlags & MAPI_UNREAD) != 0;
        box.messages.push_back({id, Sender(*m), Text((*m).lpszSubject)});
        TuiListBoxAddString(IDC_MAIL_LIST, ListRow(*m).c_str());
    }
    const int count = static_cast<int>(box.messages.size());
    char status[96];
    if (count == 0)
        std::snprintf(status, sizeof status, "The mailbox is empty.");
    else
        std::snprintf(status, sizeof status, "%d message%s, %d unread", count, count == 1 ? "" : "s", unread);
    TuiSetDlgItemText(IDC_MAIL_STATUS, status);
    TuiEnableDlgItem(IDOK, count > 0);
    TuiEnableDlgItem(IDC_MAIL_DELETE, count > 0);
    if (count) TuiListBoxSetActive(IDC_MAIL_LIST, keep < count ? keep : count - 1);
}

// Asks first; true when the message was deleted.
bool Delete(const Listed &message)
{
    const std::string question = "Delete the message\n\"" + message.subject + "\"\nfrom " + message.sender + "?";
    if (TuiMessageBox(question.c_str(), "Delete", MB_YESNO | MB_DEFBUTTON2) != IDYES) return false;
    if (int result = TuiMAPIDeleteMail(message.id.c_str()); result != 0) {
        Problem("The message cannot be deleted.", result);
        return false;
    }
    ++box.deleted;
    return true;
}

void Open(int index)
{
    const Listed message = box.messages[static_cast<size_t>(index)];
    const int ended = ShowMessage(message.id);
    if (ended) ++box.read;
    if (ended == IDC_VIEW_DELETE) Delete(message);
    Refresh(index);  // read marks and deletions show in the list
}

LRESULT CALLBACK MailboxProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        Refresh(0);
        return 0;
    }
    const int index = TuiGetListBoxIndex(IDC_MAIL_LIST);
    const bool chosen = index >= 0 && index < static_cast<int>(box.messages.size());
    if (message == WM_KEYDOWN && wParam == VK_DELETE && chosen) {
        if (Delete(box.messages[static_cast<size_t>(index)])) Refresh(index);
        return 0;
    }
    if (message != WM_COMMAND) return 0;
    const WORD id = LOWORD(wParam), code = HIWORD(wParam);
    if (((id == IDOK && code == BN_CLICKED) || (id == IDC_MAIL_LIST && code == LBN_DBLCLK)) && chosen) Open(index);
    if (id == IDC_MAIL_DELETE && chosen && Delete(box.messages[static_cast<size_t>(index)])) Refresh(index);
    if (id == IDC_MAIL_NEW && !DemoCompose().empty()) ++box.sent;
    if (id == IDCANCEL) TuiEndDialog(IDCANCEL);
    return 0;
}

// ---- A new message --------------------------------------------------------------

std::string Field(uint32_t id)
{
    char text[1024] = "";
    TuiGetDlgItemText(id, text, sizeof text);
    return text;
}

std::string Trim(const std::string &s)
{
    const size_t first = s.find_first_not_of(' '), last = s.find_last_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

std::string sentTo;  // the line DemoCompose returns

// Sends what the form holds; false (the form stays open) when there is no
// recipient or sending failed.
bool Send()
{
    std::vector<std::string> addresses;
    const std::string to = Field(IDC_COMPOSE_TO);
    for (size_t start = 0; start <= to.size();) {
        size_t end = to.find_first_of(",;", start);
        if (end == std::string::npos) end = to.size();
        if (std::string one = Trim(to.substr(start, end - start)); !one.empty()) addresses.push_back(one);
        start = end + 1;
    }
    if (addresses.empty()) {
        TuiMessageBox("Please enter a recipient.", "New message", MB_OK);
        return false;
    }
    std::vector<std::string> smtp;
    for (const std::string &a : addresses) smtp.push_back("SMTP:" + a);
    std::vector<MapiRecipDesc> recips;
    for (size_t i = 0; i < addresses.size(); ++i)
        recips.push_back({0, MAPI_TO, addresses[i].data(), smtp[i].data(), 0, nullptr});
    std::string subject = Field(IDC_COMPOSE_SUBJECT), text = Field(IDC_COMPOSE_TEXT) + "\n";
    MapiMessage message{};
    message.lpszSubject = subject.data();
    message.lpszNoteText = text.data();
    message.nRecipCount = static_cast<ULONG>(recips.size());
    message.lpRecips = recips.data();
    if (int result = TuiMAPISendMail(&message); result != 0) {
        Problem("The message was not sent.", result);
        return false;
    }
    sentTo = to;
    return true;
}

LRESULT CALLBACK ComposeProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND) return 0;
    const WORD id = LOWORD(wParam);
    if (id == IDOK && Send()) TuiEndDialog(IDOK);
    if (id == IDCANCEL) TuiEndDialog(IDCANCEL);
    return 0;
}

}  // namespace

std::string DemoCompose()
{
    sentTo.clear();
    if (!LoggedOn() || TuiDialogBox("MailCompose", ComposeProc, -1, -1) != IDOK) return "";
    return "Mail: sent to " + sentTo + " (kept in .Sent).";
}

std::string DemoMailbox()
{
    if (!LoggedOn()) return "";
    box = {};
    TuiDialogBox("Mailbox", MailboxProc, -1, -1);
    char line[160];
    std::snprintf(line, sizeof line, "Mail: %zu messages; %d read, %d deleted, %d sent.", box.messages.size(), box.read,
                  box.deleted, box.sent);
    return line;
}
