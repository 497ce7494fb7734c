// The nine mail calls over Simple MAPI. "mapi32.dll" is loaded on the first
// logon and never unloaded; every function is looked up by name when it is
// called; the one session handle lives here, and every Simple MAPI result is
// folded into the library's own small set of codes.
#include <cstring>

#include "core/boundary.h"
#include "tuikit/tuikit.h"

namespace tuikit::mail {

namespace {

// Codes of the mail calls.
constexpr int kDone = 0;
constexpr int kNoLibrary = 1;
constexpr int kMapiError = 2;
constexpr int kNoSession = 3;
constexpr int kNotFound = 4;
constexpr int kRejected = -1;

// The mail library and the session kept for the life of the process.
class MapiLibrary {
public:
    bool Load()
    {
        if (loaded) return true;
        library = LoadLibraryA("mapi32.dll");
        loaded = library != nullptr;
        return loaded;
    }

    // The named entry point, or null when the library lacks it.
    template <typename Proc>
    Proc *Lookup(const char *name) const
    {
        FARPROC proc = GetProcAddress(library, name);
        Proc *typed = nullptr;
        static_assert(sizeof typed == sizeof proc);
        std::memcpy(&typed, &proc, sizeof typed);
        return typed;
    }

    BOOL loaded = FALSE;
    HMODULE library = nullptr;
    LHANDLE session = 0;
};

MapiLibrary mapi;

// 0 for success, 4 for the one error the call singles out, 2 for the rest.
int Fold(ULONG result, ULONG special = SUCCESS_SUCCESS)
{
    if (result == SUCCESS_SUCCESS) return kDone;
    return result == special ? kNotFound : kMapiError;
}

// A message id as the Simple MAPI calls take it.
LPSTR MessageId(LPCSTR id) { return const_cast<LPSTR>(id); }

// MAPIReadMail of messageId with flags, for the calls that read.
int ReadMail(LPCSTR messageId, FLAGS flags, lpMapiMessage *message)
{
    if (!mapi.session) return kNoSession;
    auto *read = mapi.Lookup<MAPIREADMAIL>("MAPIReadMail");
    if (!read) return kMapiError;
    return Fold(read(mapi.session, 0, MessageId(messageId), flags, 0, message), MAPI_E_INVALID_MESSAGE);
}

void FreeRecord(lpMapiMessage message)
{
    if (!message) return;
    if (auto *release = mapi.Lookup<MAPIFREEBUFFER>("MAPIFreeBuffer")) release(message);
}

// The two reads of TuiMAPIGetPath and the copy of the file name.
int GetPath(LPCSTR messageId, LPSTR *buffer, int bufferLength, int attachmentNumber)
{
    if (attachmentNumber < 1 || bufferLength <= 0 || !buffer || !*buffer) return kRejected;
    if (!mapi.session) return kNoSession;
    auto *read = mapi.Lookup<MAPIREADMAIL>("MAPIReadMail");
    if (!read) return kMapiError;

    lpMapiMessage message = nullptr;
    read(mapi.session, 0, MessageId(messageId), MAPI_SUPPRESS_ATTACH | MAPI_BODY_AS_FILE | MAPI_PEEK, 0,
         &message);
    FreeRecord(message);

    message = nullptr;
    ULONG result = read(mapi.session, 0, MessageId(messageId), MAPI_PEEK, 0, &message);
    if (!message || static_cast<ULONG>(attachmentNumber) > message->nFileCount || !message->lpFiles) {
        FreeRecord(message);
        return kRejected;
    }
    const char *name = message->lpFiles[attachmentNumber - 1].lpszFileName;
    if (name) {
        size_t length = std::strlen(name);
        size_t n = length < static_cast<size_t>(bufferLength) ? length : static_cast<size_t>(bufferLength);
        std::memcpy(*buffer, name, n);
    }
    FreeRecord(message);
    return Fold(result, MAPI_E_INVALID_MESSAGE);
}

}  // namespace

}  // namespace tuikit::mail

using namespace tuikit::mail;

extern "C" {

int TuiMAPILogon(void)
{
    return tuikit::Guarded(kMapiError, [] {
        if (!mapi.Load()) return kNoLibrary;
        auto *logon = mapi.Lookup<MAPILOGON>("MAPILogon");
        if (!logon) return kMapiError;
        return Fold(logon(0, nullptr, nullptr, 0, 0, &mapi.session));
    });
}

int TuiMAPILogoff(void)
{
    return tuikit::Guarded(kMapiError, [] {
        if (!mapi.session) return kNoSession;
        auto *logoff = mapi.Lookup<MAPILOGOFF>("MAPILogoff");
        if (!logoff) return kMapiError;
        return Fold(logoff(mapi.session, 0, 0, 0));
    });
}

int TuiMAPIFindNext(LPCSTR seedMessageId, LPSTR messageId)
{
    return tuikit::Guarded(kMapiError, [&] {
        if (!mapi.session) return kNoSession;
        auto *findNext = mapi.Lookup<MAPIFINDNEXT>("MAPIFindNext");
        if (!findNext) return kMapiError;
        return Fold(findNext(mapi.session, 0, nullptr, MessageId(seedMessageId), MAPI_LONG_MSGID, 0, messageId),
                    MAPI_E_NO_MESSAGES);
    });
}

int TuiMAPIMailInfo(LPCSTR messageId, lpMapiMessage *message)
{
    return tuikit::Guarded(kMapiError, [&] { return ReadMail(messageId, MAPI_ENVELOPE_ONLY | MAPI_PEEK, message); });
}

int TuiMAPIReadMail(LPCSTR messageId, lpMapiMessage *message)
{
    return tuikit::Guarded(kMapiError, [&] { return ReadMail(messageId, MAPI_SUPPRESS_ATTACH, message); });
}

int TuiMAPIFreeBuffer(lpMapiMessage message)
{
    return tuikit::Guarded(kMapiError, [&] {
        if (!mapi.session) return kNoSession;
        FreeRecord(message);
        return kDone;
    });
}

int TuiMAPISendMail(lpMapiMessage message)
{
    return tuikit::Guarded(kMapiError, [&] {
        if (!mapi.session) return kNoSession;
        auto *send = mapi.Lookup<MAPISENDMAIL>("MAPISendMail");
        if (!send) return kMapiError;
        return Fold(send(mapi.session, 0, message, 0, 0));
    });
}

int TuiMAPIDeleteMail(LPCSTR messageId)
{
    return tuikit::Guarded(kMapiError, [&] {
        if (!mapi.session) return kNoSession;
        auto *remove = mapi.Lookup<MAPIDELETEMAIL>("MAPIDeleteMail");
        if (!remove) return kMapiError;
        return Fold(remove(mapi.session, 0, MessageId(messageId), 0, 0), MAPI_E_INVALID_MESSAGE);
    });
}

int TuiMAPIGetPath(LPCSTR messageId, LPSTR *buffer, int bufferLength, int attachmentNumber)
{
    return tuikit::Guarded(kMapiError, [&] { return GetPath(messageId, buffer, bufferLength, attachmentNumber); });
}

}  // extern "C"
