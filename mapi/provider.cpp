// The Simple MAPI entry points of the Maildir provider. A session is the
// Maildir named by $MAILDIR, else ~/Maildir; its sent copies go to the
// Maildir++ folder .Sent, and to $TUIKIT_SENDMAIL when that names a
// program. Every argument is checked; no exception leaves an entry point.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "mapi/maildir.h"
#include "mapi/message_block.h"
#include "mapi/message_reader.h"
#include "mapi/message_writer.h"
#include "mapi/temp_folder.h"
#include "mapi/text_codec.h"
#include "tuikit/mapi.h"

namespace tuikit::mapi {

namespace {

// Message ids hold at most this many bytes with their terminating zero.
constexpr size_t kShortIdSize = 64;
constexpr size_t kLongIdSize = 512;

struct Session {
    explicit Session(std::string root) : inbox(std::move(root)) {}
    Maildir inbox;
    TempFolder files;
};

std::string HomeDirectory()
{
    if (const char *home = getenv("HOME"); home && *home) return home;
    struct passwd entry{}, *found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found) return found->pw_dir;
    return {};
}

std::string MaildirRoot()
{
    if (const char *dir = getenv("MAILDIR"); dir && *dir) return dir;
    std::string home = HomeDirectory();
    return home.empty() ? std::string() : home + "/Maildir";
}

// "Name <login@host>" for sent mail without an originator: $EMAIL when set.
std::string DefaultSender()
{
    if (const char *email = getenv("EMAIL"); email && *email) return email;
    std::string login = "user", name;
    struct passwd entry{}, *found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found) {
        login = found->pw_name;
        name = found->pw_gecos ? std::string(found->pw_gecos).substr(0, std::string(found->pw_gecos).find(',')) : "";
    }
    char host[256] = "localhost";
    gethostname(host, sizeof host - 1);
    std::string address = login + "@" + host;
    return name.empty() ? address : "\"" + name + "\" <" + address + ">";
}

class Sessions {
public:
    LHANDLE Open(std::unique_ptr<Session> session)
    {
        LHANDLE handle = nextHandle_;
        nextHandle_ += 0x10;
        sessions_.emplace(handle, std::move(session));
        return handle;
    }
    Session *Find(LHANDLE handle)
    {
        auto it = sessions_.find(handle);
        return it == sessions_.end() ? nullptr : it->second.get();
    }
    bool Close(LHANDLE handle) { return sessions_.erase(handle) == 1; }

    std::mutex lock;

private:
    std::map<LHANDLE, std::unique_ptr<Session>> sessions_;
    LHANDLE nextHandle_ = 0x4D410010;
};

Sessions &AllSessions()
{
    // Sessions still open at exit end with the process, and their attachment
    // folders with them.
    static Sessions sessions;
    return sessions;
}

// Runs body with the session under the provider's lock; exceptions become
// errors of the call.
template <typename Body>
ULONG WithSession(LHANDLE handle, Body body)
{
    try {
        Sessions &sessions = AllSessions();
        std::lock_guard guard(sessions.lock);
        Session *session = sessions.Find(handle);
        return session ? body(*session) : MAPI_E_INVALID_SESSION;
    } catch (const std::bad_alloc &) {
        return MAPI_E_INSUFFICIENT_MEMORY;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

// The message an id names; null (after one fresh look at the folders) when
// it names none.
const MaildirEntry *FindMessage(Session &session, const char *id)
{
    if (!id || !*id || std::strlen(id) >= kLongIdSize) return nullptr;
    return session.inbox.Find(id);
}

ULONG ReadMail(Session &session, const char *id, FLAGS flags, lpMapiMessage *result)
{
    const MaildirEntry *entry = FindMessage(session, id);
    if (!entry) return MAPI_E_INVALID_MESSAGE;
    MessageFields fields;
    ReadContext context{entry->deliverySeconds, entry->Seen(), &session.files, &TextCodec::Console()};
    ULONG read = ReadMessageFile(session.inbox.PathOf(*entry), flags, context, fields);
    if (read == MAPI_E_FAILURE && access(session.inbox.PathOf(*entry).c_str(), F_OK) != 0) {
        // Renamed by another program since the last look: look again.
        session.inbox.Forget();
        if (!(entry = FindMessage(session, id))) return MAPI_E_INVALID_MESSAGE;
        fields = MessageFields();
        context.seen = entry->Seen();
        read = ReadMessageFile(session.inbox.PathOf(*entry), flags, context, fields);
    }
    if (read != SUCCESS_SUCCESS) return read;
    lpMapiMessage block = PackMessage(fields);
    if (!block) return MAPI_E_INSUFFICIENT_MEMORY;
    if (!(flags & MAPI_PEEK)) session.inbox.MarkSeen(*entry);
    *result = block;
    return SUCCESS_SUCCESS;
}

}  // namespace

}  // namespace tuikit::mapi

using namespace tuikit::mapi;

extern "C" {

ULONG MAPILogon(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPLHANDLE lplhSession)
{
    if (!lplhSession) return MAPI_E_FAILURE;
    try {
        std::string root = MaildirRoot();
        if (root.empty() || !Maildir::IsMaildir(root)) return MAPI_E_LOGON_FAILURE;
        Sessions &sessions = AllSessions();
        std::lock_guard guard(sessions.lock);
        *lplhSession = sessions.Open(std::make_unique<Session>(root));
        return SUCCESS_SUCCESS;
    } catch (const std::bad_alloc &) {
        return MAPI_E_INSUFFICIENT_MEMORY;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

ULONG MAPILogoff(LHANDLE lhSession, ULONG_PTR, FLAGS, ULONG)
{
    try {
        Sessions &sessions = AllSessions();
        std::lock_guard guard(sessions.lock);
        return sessions.Close(lhSession) ? SUCCESS_SUCCESS : MAPI_E_INVALID_SESSION;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

ULONG MAPIFindNext(LHANDLE lhSession, ULONG_PTR, LPSTR lpszMessageType, LPSTR lpszSeedMessageID, FLAGS flFlags,
                   ULONG, LPSTR lpszMessageID)
{
    return WithSession(lhSession, [&](Session &session) -> ULONG {
        if (!lpszMessageID) return MAPI_E_FAILURE;
        // Only interpersonal messages live here.
        if (lpszMessageType && *lpszMessageType && std::strncmp(lpszMessageType, "IPM", 3) != 0)
            return MAPI_E_NO_MESSAGES;
        std::string seed;
        if (lpszSeedMessageID) {
            size_t length = strnlen(lpszSeedMessageID, kLongIdSize);
            if (length == kLongIdSize) return MAPI_E_INVALID_MESSAGE;
            seed.assign(lpszSeedMessageID, length);
        }
        bool seedKnown = true;
        const MaildirEntry *next = session.inbox.Next(seed, flFlags & MAPI_UNREAD_ONLY, seedKnown);
        if (!seedKnown) return MAPI_E_INVALID_MESSAGE;
        if (!next) return MAPI_E_NO_MESSAGES;
        size_t room = (flFlags & MAPI_LONG_MSGID) ? kLongIdSize : kShortIdSize;
        if (next->id.size() >= room) return MAPI_E_FAILURE;
        std::memcpy(lpszMessageID, next->id.c_str(), next->id.size() + 1);
        return SUCCESS_SUCCESS;
    });
}

ULONG MAPIReadMail(LHANDLE lhSession, ULONG_PTR, LPSTR lpszMessageID, FLAGS flFlags, ULONG,
                   lpMapiMessage *lppMessage)
{
    return WithSession(lhSession, [&](Session &session) -> ULONG {
        if (!lppMessage) return MAPI_E_FAILURE;
        return ReadMail(session, lpszMessageID, flFlags, lppMessage);
    });
}

ULONG MAPIFreeBuffer(LPVOID pv)
{
    if (!pv) return SUCCESS_SUCCESS;
    try {
        return ReleaseMessage(pv) ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

ULONG MAPISendMail(LHANDLE lhSession, ULONG_PTR, lpMapiMessage lpMessage, FLAGS flFlags, ULONG)
{
    return WithSession(lhSession, [&](Session &session) -> ULONG {
        if (!lpMessage) return MAPI_E_FAILURE;
        if (flFlags & MAPI_DIALOG) return MAPI_E_NOT_SUPPORTED;
        SendOptions options;
        options.sentFolder = session.inbox.Root() + "/.Sent";
        options.sender = DefaultSender();
        if (const char *sendmail = getenv("TUIKIT_SENDMAIL"); sendmail && *sendmail) {
            options.sendmail = sendmail;
            options.scratchFolder = session.files.NewReadFolder();
            if (options.scratchFolder.empty()) return MAPI_E_FAILURE;
        }
        return SendMessage(*lpMessage, TextCodec::Console(), options);
    });
}

ULONG MAPIDeleteMail(LHANDLE lhSession, ULONG_PTR, LPSTR lpszMessageID, FLAGS, ULONG)
{
    return WithSession(lhSession, [&](Session &session) -> ULONG {
        const MaildirEntry *entry = FindMessage(session, lpszMessageID);
        if (!entry) return MAPI_E_INVALID_MESSAGE;
        if (session.inbox.Remove(*entry)) return SUCCESS_SUCCESS;
        session.inbox.Forget();
        entry = FindMessage(session, lpszMessageID);
        if (!entry) return MAPI_E_INVALID_MESSAGE;
        return session.inbox.Remove(*entry) ? SUCCESS_SUCCESS : MAPI_E_ACCESS_DENIED;
    });
}

}  // extern "C"
