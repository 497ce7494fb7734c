#include "mapi/message_reader.h"

#include <fcntl.h>
#include <gmime/gmime.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

#include "mapi/gmime_ref.h"

namespace tuikit::mapi {

namespace {

// Headers end at the first empty line; an envelope read parses no further.
constexpr size_t kMaxHeaderBytes = 1 << 20;

std::string ReadHeaderBlock(int fd)
{
    std::string data;
    char chunk[16384];
    while (data.size() < kMaxHeaderBytes) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        size_t searchFrom = data.size() > 3 ? data.size() - 3 : 0;
        data.append(chunk, static_cast<size_t>(n));
        size_t end = data.find("\n\n", searchFrom);
        size_t endCrlf = data.find("\n\r\n", searchFrom);
        if (end != std::string::npos || endCrlf != std::string::npos) {
            size_t cut = std::min(end == std::string::npos ? data.size() : end + 2,
                                  endCrlf == std::string::npos ? data.size() : endCrlf + 3);
            data.resize(cut);
            break;
        }
    }
    return data;
}

Ref<GMimeMessage> Parse(GMimeStream *stream)
{
    Ref<GMimeParser> parser(g_mime_parser_new_with_stream(stream));
    return Ref<GMimeMessage>(g_mime_parser_construct_message(parser.get(), nullptr));
}

std::string DecodedContent(GMimePart *part)
{
    GMimeDataWrapper *content = g_mime_part_get_content(part);
    if (!content) return {};
    Ref<GMimeStream> memory(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(content, memory.get());
    GByteArray *bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char *>(bytes->data), bytes->len);
}

// Text in charset to UTF-8; bytes that do not convert become U+FFFD. With
// no charset, or one not known, the bytes are taken as UTF-8 as they are.
std::string CharsetToUtf8(const std::string &bytes, const char *charset)
{
    if (!charset) return bytes;
    iconv_t cd = g_mime_iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return bytes;
    std::string out;
    std::vector<char> buffer(4096);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), outPtr - buffer.data());
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char *outPtr = buffer.data();
    size_t outLeft = buffer.size();
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer.data(), outPtr - buffer.data());
    g_mime_iconv_close(cd);
    return out;
}

std::string Text(const char *utf8, const TextCodec &codec) { return utf8 ? codec.FromUtf8(utf8) : std::string(); }

void AddAddresses(InternetAddressList *list, ULONG recipClass, const TextCodec &codec, std::vector<Recipient> &out)
{
    if (!list) return;
    for (int i = 0; i < internet_address_list_length(list); ++i) {
        InternetAddress *address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_GROUP(address)) {
            AddAddresses(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)), recipClass, codec, out);
            continue;
        }
        if (!INTERNET_ADDRESS_IS_MAILBOX(address)) continue;
        Recipient r;
        r.recipClass = recipClass;
        r.address = Text(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)), codec);
        r.name = Text(internet_address_get_name(address), codec);
        if (r.name.empty()) r.name = r.address;
        out.push_back(std::move(r));
    }
}

std::string LocalDate(int64_t seconds)
{
    time_t t = static_cast<time_t>(seconds);
    struct tm local{};
    char text[32] = "";
    if (localtime_r(&t, &local)) strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

// The leaf parts of a message: the first plain text without a file name is
// the note text; every other part that is an attachment, has a file name or
// is not text is an attachment.
struct Parts {
    GMimePart *body = nullptr;
    std::vector<GMimePart *> attachments;
};

void CollectPart(GMimeObject *, GMimeObject *object, gpointer data)
{
    if (!GMIME_IS_PART(object)) return;
    auto *parts = static_cast<Parts *>(data);
    auto *part = GMIME_PART(object);
    GMimeContentType *type = g_mime_object_get_content_type(object);
    bool isText = type && g_mime_content_type_is_type(type, "text", "*");
    bool named = g_mime_part_get_filename(part) != nullptr;
    bool attached = g_mime_part_is_attachment(part);
    if (!parts->body && !named && !attached && type && g_mime_content_type_is_type(type, "text", "plain")) {
        parts->body = part;
    } else if (attached || named || !isText) {
        parts->attachments.push_back(part);
    }
}

// Writes text or a part's decoded content into a new file of folder.
bool WriteFile(const std::string &folder, const std::string &name, GMimePart *part, const std::string *text,
               std::string &path)
{
    int fd = CreateFileIn(folder, name, path);
    if (fd < 0) return false;
    Ref<GMimeStream> file(g_mime_stream_fs_new(fd));
    bool ok = true;
    if (text) ok = g_mime_stream_write(file.get(), text->data(), text->size()) == static_cast<ssize_t>(text->size());
    else if (GMimeDataWrapper *content = g_mime_part_get_content(part))
        ok = g_mime_data_wrapper_write_to_stream(content, file.get()) >= 0;
    return g_mime_stream_flush(file.get()) == 0 && ok;
}

ULONG ReadBodyAndFiles(GMimeMessage *message, FLAGS flags, const ReadContext &context, MessageFields &fields)
{
    Parts parts;
    g_mime_message_foreach(message, CollectPart, &parts);
    std::string text;
    if (parts.body)
        text = context.codec->FromUtf8(CharsetToUtf8(
            DecodedContent(parts.body), g_mime_object_get_content_type_parameter(GMIME_OBJECT(parts.body), "charset")));

    bool bodyAsFile = flags & MAPI_BODY_AS_FILE;
    bool writeFiles = !(flags & MAPI_SUPPRESS_ATTACH) && !parts.attachments.empty();
    std::string folder;
    if (bodyAsFile || writeFiles) {
        folder = context.files ? context.files->NewReadFolder() : std::string();
        if (folder.empty()) return MAPI_E_ATTACHMENT_WRITE_FAILURE;
    }
    if (bodyAsFile) {
        Attachment body{"body.txt", {}};
        if (!WriteFile(folder, body.fileName, nullptr, &text, body.pathName)) return MAPI_E_ATTACHMENT_WRITE_FAILURE;
        fields.attachments.push_back(std::move(body));
    } else {
        fields.hasNoteText = true;
        fields.noteText = std::move(text);
    }
    for (size_t i = 0; i < parts.attachments.size(); ++i) {
        GMimePart *part = parts.attachments[i];
        const char *name = g_mime_part_get_filename(part);
        std::string fallback = "attachment-" + std::to_string(i + 1);
        Attachment file{name ? context.codec->FromUtf8(name) : fallback, {}};
        if (writeFiles && !WriteFile(folder, SafeFileName(name ? name : "", fallback), part, nullptr, file.pathName))
            return MAPI_E_ATTACHMENT_WRITE_FAILURE;
        fields.attachments.push_back(std::move(file));
    }
    return SUCCESS_SUCCESS;
}

}  // namespace

void StartMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

ULONG ReadMessageFile(const std::string &path, FLAGS flags, const ReadContext &context, MessageFields &fields)
{
    StartMime();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return MAPI_E_FAILURE;
    Ref<GMimeMessage> message;
    if (flags & MAPI_ENVELOPE_ONLY) {
        std::string header = ReadHeaderBlock(fd);
        close(fd);
        Ref<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(header.data(), header.size()));
        message = Parse(stream.get());
    } else {
        Ref<GMimeStream> stream(g_mime_stream_fs_new(fd));
        message = Parse(stream.get());
    }
    if (!message) return MAPI_E_FAILURE;

    const TextCodec &codec = *context.codec;
    fields.subject = Text(g_mime_message_get_subject(message.get()), codec);
    fields.dateReceived = LocalDate(context.deliverySeconds);
    if (!context.seen) fields.flags |= MAPI_UNREAD;
    if (g_mime_object_get_header(GMIME_OBJECT(message.get()), "Disposition-Notification-To"))
        fields.flags |= MAPI_RECEIPT_REQUESTED;
    std::vector<Recipient> from;
    AddAddresses(g_mime_message_get_from(message.get()), MAPI_ORIG, codec, from);
    if (!from.empty()) {
        fields.hasOriginator = true;
        fields.originator = from.front();
    }
    AddAddresses(g_mime_message_get_to(message.get()), MAPI_TO, codec, fields.recipients);
    AddAddresses(g_mime_message_get_cc(message.get()), MAPI_CC, codec, fields.recipients);
    AddAddresses(g_mime_message_get_bcc(message.get()), MAPI_BCC, codec, fields.recipients);
    if (flags & MAPI_ENVELOPE_ONLY) return SUCCESS_SUCCESS;
    return ReadBodyAndFiles(message.get(), flags, context, fields);
}

}  // namespace tuikit::mapi
