// A read message as the program receives it: one allocation holding the
// MapiMessage, its recipient and attachment records and every string, so
// that MAPIFreeBuffer releases it in one piece. Only blocks made here are
// released; any other pointer is refused.
#pragma once

#include <string>
#include <vector>

#include "tuikit/mapi.h"

namespace tuikit::mapi {

struct Recipient {
    ULONG recipClass = MAPI_TO;
    std::string name;
    std::string address;
};

struct Attachment {
    std::string fileName;
    std::string pathName;
};

// A read message's fields, strings already in the console's code page.
struct MessageFields {
    std::string subject;
    bool hasNoteText = false;
    std::string noteText;
    std::string dateReceived;
    FLAGS flags = 0;
    bool hasOriginator = false;
    Recipient originator;
    std::vector<Recipient> recipients;
    std::vector<Attachment> attachments;
};

// The block for fields, or null when it cannot be allocated.
lpMapiMessage PackMessage(const MessageFields &fields);
// Releases a block of PackMessage: false for any other pointer.
bool ReleaseMessage(void *block);

}  // namespace tuikit::mapi
