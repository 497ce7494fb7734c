// MAPISendMail's work: a MIME message composed with GMime from a
// MapiMessage whose strings are in the console's code page, delivered into a
// Maildir folder the Maildir way and, when asked, handed to a sendmail.
#pragma once

#include <string>

#include "tuikit/mapi.h"
#include "mapi/text_codec.h"

namespace tuikit::mapi {

struct SendOptions {
    std::string sentFolder;    // the Maildir folder that keeps a copy
    std::string sender;        // "Name <address>" used when no originator is given
    std::string sendmail;      // a sendmail-compatible program, or ""
    std::string scratchFolder; // where the copy for sendmail is written
};

// SUCCESS_SUCCESS or a Simple MAPI error (MAPI_E_INVALID_RECIPS,
// MAPI_E_BAD_RECIPTYPE, MAPI_E_UNKNOWN_RECIPIENT, MAPI_E_ATTACHMENT_NOT_FOUND,
// MAPI_E_ATTACHMENT_OPEN_FAILURE, MAPI_E_DISK_FULL, MAPI_E_FAILURE). On an
// error nothing is left in the folder.
ULONG SendMessage(const MapiMessage &message, const TextCodec &codec, const SendOptions &options);

// Writes bytes as a new message of a Maildir folder (made when missing):
// into tmp/, synced, then renamed into new/. Its path in path.
bool DeliverToFolder(const std::string &folder, const std::string &bytes, std::string &path);

}  // namespace tuikit::mapi
