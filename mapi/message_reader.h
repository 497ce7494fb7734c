// Reading one message file with GMime into the fields MAPIReadMail gives:
// decoded headers, the text/plain part converted to the console's code page,
// recipients by class and attachments written to a private folder.
#pragma once

#include <cstdint>
#include <string>

#include "mapi/message_block.h"
#include "mapi/temp_folder.h"
#include "mapi/text_codec.h"

namespace tuikit::mapi {

struct ReadContext {
    int64_t deliverySeconds = 0;  // becomes lpszDateReceived, in local time
    bool seen = false;            // MAPI_UNREAD is set when false
    TempFolder *files = nullptr;  // where attachments and the body file go
    const TextCodec *codec = nullptr;
};

// SUCCESS_SUCCESS, or the Simple MAPI error: MAPI_E_FAILURE for a file that
// cannot be opened or holds no message, MAPI_E_ATTACHMENT_WRITE_FAILURE.
// Honours MAPI_ENVELOPE_ONLY, MAPI_SUPPRESS_ATTACH and MAPI_BODY_AS_FILE.
ULONG ReadMessageFile(const std::string &path, FLAGS flags, const ReadContext &context, MessageFields &fields);

// Starts GMime once for the process.
void StartMime();

}  // namespace tuikit::mapi
