#include "mapi/message_writer.h"

#include <fcntl.h>
#include <gmime/gmime.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <memory>
#include <string_view>
#include <vector>

#include "mapi/gmime_ref.h"
#include "mapi/message_reader.h"

extern char **environ;

namespace tuikit::mapi {

namespace {

constexpr ULONG kMaxRecipients = 10000;
constexpr ULONG kMaxFiles = 1000;

std::string Utf8(const char *text, const TextCodec &codec) { return text ? codec.ToUtf8(text) : std::string(); }

// "SMTP:user@host" or "user@host" to the address; "" when there is none.
std::string AddressOf(const MapiRecipDesc &recipient, const TextCodec &codec)
{
    std::string address = Utf8(recipient.lpszAddress, codec);
    if (address.size() > 5 && strncasecmp(address.c_str(), "SMTP:", 5) == 0) address.erase(0, 5);
    if (address.empty()) {
        std::string name = Utf8(recipient.lpszName, codec);
        if (name.find('@') != std::string::npos) address = name;
    }
    return address;
}

bool PlausibleAddress(const std::string &address)
{
    size_t at = address.find('@');
    return at != std::string::npos && at > 0 && at + 1 < address.size() &&
           address.find_first_of(" \t\r\n<>,;\"") == std::string::npos;
}

ULONG AddRecipients(GMimeMessage *mime, const MapiMessage &message, const TextCodec &codec,
                    std::vector<std::string> &addresses)
{
    if (message.nRecipCount == 0 || !message.lpRecips) return MAPI_E_INVALID_RECIPS;
    if (message.nRecipCount > kMaxRecipients) return MAPI_E_TOO_MANY_RECIPIENTS;
    for (ULONG i = 0; i < message.nRecipCount; ++i) {
        const MapiRecipDesc &r = message.lpRecips[i];
        GMimeAddressType type;
        switch (r.ulRecipClass) {
        case MAPI_TO: type = GMIME_ADDRESS_TYPE_TO; break;
        case MAPI_CC: type = GMIME_ADDRESS_TYPE_CC; break;
        case MAPI_BCC: type = GMIME_ADDRESS_TYPE_BCC; break;
        default: return MAPI_E_BAD_RECIPTYPE;
        }
        std::string address = AddressOf(r, codec);
        if (address.empty()) return MAPI_E_UNKNOWN_RECIPIENT;
        if (!PlausibleAddress(address)) return MAPI_E_INVALID_RECIPS;
        std::string name = Utf8(r.lpszName, codec);
        if (name == address) name.clear();
        g_mime_message_add_mailbox(mime, type, name.c_str(), address.c_str());
        addresses.push_back(address);
    }
    return SUCCESS_SUCCESS;
}

ULONG AddAttachment(GMimeMultipart *mixed, const MapiFileDesc &file, const TextCodec &codec)
{
    if (!file.lpszPathName || !*file.lpszPathName) return MAPI_E_ATTACHMENT_NOT_FOUND;
    struct stat st{};
    if (stat(file.lpszPathName, &st) != 0) return MAPI_E_ATTACHMENT_NOT_FOUND;
    if (!S_ISREG(st.st_mode)) return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    int fd = open(file.lpszPathName, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    std::string name = file.lpszFileName && *file.lpszFileName ? Utf8(file.lpszFileName, codec) : std::string();
    if (name.empty()) {
        std::string path = file.lpszPathName;
        name = path.substr(path.rfind('/') + 1);
    }
    Ref<GMimeStream> stream(g_mime_stream_fs_new(fd));
    Ref<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    Ref<GMimePart> part(g_mime_part_new_with_type("application", "octet-stream"));
    g_mime_part_set_content(part.get(), content.get());
    g_mime_part_set_filename(part.get(), name.c_str());
    g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_BASE64);
    g_mime_multipart_add(mixed, GMIME_OBJECT(part.get()));
    return SUCCESS_SUCCESS;
}

ULONG Compose(const MapiMessage &message, const TextCodec &codec, const SendOptions &options,
              Ref<GMimeMessage> &out, std::vector<std::string> &addresses)
{
    Ref<GMimeMessage> mime(g_mime_message_new(TRUE));
    if (message.lpOriginator && AddressOf(*message.lpOriginator, codec).size()) {
        std::string name = Utf8(message.lpOriginator->lpszName, codec);
        std::string address = AddressOf(*message.lpOriginator, codec);
        g_mime_message_add_mailbox(mime.get(), GMIME_ADDRESS_TYPE_FROM, name == address ? "" : name.c_str(),
                                   address.c_str());
    } else {
        InternetAddressList *from = g_mime_message_get_from(mime.get());
        Ref<InternetAddressList> parsed(internet_address_list_parse(nullptr, options.sender.c_str()));
        if (parsed) internet_address_list_append(from, parsed.get());
    }
    if (ULONG result = AddRecipients(mime.get(), message, codec, addresses)) return result;
    g_mime_message_set_subject(mime.get(), Utf8(message.lpszSubject, codec).c_str(), "utf-8");
    GDateTime *now = g_date_time_new_now_local();
    g_mime_message_set_date(mime.get(), now);
    g_date_time_unref(now);
    char host[256] = "localhost";
    gethostname(host, sizeof host - 1);
    char *id = g_mime_utils_generate_message_id(host);
    g_mime_message_set_message_id(mime.get(), id);
    g_free(id);

    Ref<GMimeTextPart> text(g_mime_text_part_new_with_subtype("plain"));
    g_mime_text_part_set_text(text.get(), Utf8(message.lpszNoteText, codec).c_str());
    if (message.nFileCount == 0 || !message.lpFiles) {
        g_mime_message_set_mime_part(mime.get(), GMIME_OBJECT(text.get()));
    } else {
        if (message.nFileCount > kMaxFiles) return MAPI_E_TOO_MANY_FILES;
        Ref<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
        g_mime_multipart_add(mixed.get(), GMIME_OBJECT(text.get()));
        for (ULONG i = 0; i < message.nFileCount; ++i)
            if (ULONG result = AddAttachment(mixed.get(), message.lpFiles[i], codec)) return result;
        g_mime_message_set_mime_part(mime.get(), GMIME_OBJECT(mixed.get()));
    }
    g_mime_object_encode(GMIME_OBJECT(mime.get()), GMIME_ENCODING_CONSTRAINT_7BIT);
    out = std::move(mime);
    return SUCCESS_SUCCESS;
}

std::string Serialize(GMimeMessage *mime, bool hideBcc)
{
    GMimeFormatOptions *format = g_mime_format_options_clone(g_mime_format_options_get_default());
    if (hideBcc) g_mime_format_options_add_hidden_header(format, "Bcc");
    Ref<GMimeStream> memory(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(mime), format, memory.get());
    g_mime_format_options_free(format);
    GByteArray *bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char *>(bytes->data), bytes->len);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// "seconds.M<micros>P<pid>Q<count>.<host>", with '/' and ':' of the host
// name written as octal escapes.
std::string UniqueName()
{
    static std::atomic<unsigned> deliveries{0};
    struct timeval now{};
    gettimeofday(&now, nullptr);
    char host[256] = "localhost";
    gethostname(host, sizeof host - 1);
    std::string safeHost;
    for (const char *p = host; *p; ++p)
        safeHost += *p == '/' ? "\\057" : *p == ':' ? "\\072" : std::string(1, *p);
    return std::to_string(now.tv_sec) + ".M" + std::to_string(now.tv_usec) + "P" + std::to_string(getpid()) + "Q" +
           std::to_string(++deliveries) + "." + safeHost;
}

bool MakeFolder(const std::string &folder)
{
    for (const char *sub : {"", "/tmp", "/new", "/cur"}) {
        std::string path = folder + sub;
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    int marker = open((folder + "/maildirfolder").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (marker >= 0) close(marker);
    return true;
}

void SyncDirectory(const std::string &path)
{
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Runs program with the message on its standard input: true when it exits 0.
bool PipeToSendmail(const SendOptions &options, const std::string &bytes, const std::vector<std::string> &addresses)
{
    std::string path = options.scratchFolder + "/outgoing.eml";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool written = WriteAll(fd, bytes);
    close(fd);
    if (!written) {
        unlink(path.c_str());
        return false;
    }
    std::vector<std::string> args{options.sendmail, "-oi", "--"};
    args.insert(args.end(), addresses.begin(), addresses.end());
    std::vector<char *> argv;
    for (auto &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, path.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, options.sendmail.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    bool ok = spawned == 0;
    if (ok) {
        pid_t waited;
        do waited = waitpid(pid, &status, 0);
        while (waited < 0 && errno == EINTR);
        ok = waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    unlink(path.c_str());
    return ok;
}

}  // namespace

bool DeliverToFolder(const std::string &folder, const std::string &bytes, std::string &path)
{
    if (!MakeFolder(folder)) return false;
    std::string name = UniqueName();
    std::string temporary = folder + "/tmp/" + name;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    path = folder + "/new/" + name;
    if (!ok || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(folder + "/new");
    return true;
}

ULONG SendMessage(const MapiMessage &message, const TextCodec &codec, const SendOptions &options)
{
    StartMime();
    Ref<GMimeMessage> mime;
    std::vector<std::string> addresses;
    if (ULONG result = Compose(message, codec, options, mime, addresses)) return result;
    std::string path;
    if (!DeliverToFolder(options.sentFolder, Serialize(mime.get(), false), path)) return MAPI_E_DISK_FULL;
    if (!options.sendmail.empty() && !PipeToSendmail(options, Serialize(mime.get(), true), addresses)) {
        unlink(path.c_str());
        return MAPI_E_FAILURE;
    }
    return SUCCESS_SUCCESS;
}

}  // namespace tuikit::mapi
