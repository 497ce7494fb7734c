// The mail provider reading an arbitrary file as a message: envelope, text
// and attachment names, attachment files, the text as a file, and the block
// handed to the program. Nothing may crash, leak or read out of bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mapi/message_block.h"
#include "mapi/message_reader.h"

using namespace tuikit::mapi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::string path = [] {
        char pattern[] = "/tmp/tuikit-mapi-fuzz-XXXXXX";
        std::string folder = mkdtemp(pattern);
        setenv("TMPDIR", folder.c_str(), 1);
        return folder + "/message";
    }();
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    static const TextCodec codec(437);
    for (FLAGS flags : {MAPI_ENVELOPE_ONLY, MAPI_SUPPRESS_ATTACH, 0, MAPI_BODY_AS_FILE | MAPI_SUPPRESS_ATTACH}) {
        TempFolder files;
        MessageFields fields;
        ReadContext context{static_cast<int64_t>(size) * 977, size % 2 == 0, &files, &codec};
        if (ReadMessageFile(path, flags, context, fields) != SUCCESS_SUCCESS) continue;
        lpMapiMessage block = PackMessage(fields);
        if (block && !ReleaseMessage(block)) std::abort();
    }
    return 0;
}
