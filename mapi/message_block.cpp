#include "mapi/message_block.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace tuikit::mapi {

namespace {

std::mutex blocksLock;
std::unordered_set<void *> liveBlocks;

// Hands out the string area of a block.
class StringArea {
public:
    explicit StringArea(char *next) : next_(next) {}
    LPSTR Put(const std::string &s)
    {
        LPSTR start = next_;
        std::memcpy(next_, s.c_str(), s.size() + 1);
        next_ += s.size() + 1;
        return start;
    }

private:
    char *next_;
};

void FillRecipient(MapiRecipDesc &desc, const Recipient &recipient, StringArea &strings)
{
    desc.ulRecipClass = recipient.recipClass;
    desc.lpszName = strings.Put(recipient.name);
    desc.lpszAddress = strings.Put(recipient.address);
}

}  // namespace

lpMapiMessage PackMessage(const MessageFields &fields)
{
    size_t recipientCount = fields.recipients.size() + (fields.hasOriginator ? 1 : 0);
    size_t records = sizeof(MapiMessage) + recipientCount * sizeof(MapiRecipDesc) +
                     fields.attachments.size() * sizeof(MapiFileDesc);
    size_t text = fields.subject.size() + fields.noteText.size() + fields.dateReceived.size() + 3;
    auto addRecipient = [&](const Recipient &r) { text += r.name.size() + r.address.size() + 2; };
    if (fields.hasOriginator) addRecipient(fields.originator);
    for (const auto &r : fields.recipients) addRecipient(r);
    for (const auto &a : fields.attachments) text += a.fileName.size() + a.pathName.size() + 2;

    auto *block = static_cast<char *>(std::calloc(1, records + text));
    if (!block) return nullptr;
    auto *message = reinterpret_cast<lpMapiMessage>(block);
    auto *recips = reinterpret_cast<lpMapiRecipDesc>(block + sizeof(MapiMessage));
    auto *files = reinterpret_cast<lpMapiFileDesc>(recips + recipientCount);
    StringArea strings(block + records);

    message->lpszSubject = strings.Put(fields.subject);
    message->lpszNoteText = fields.hasNoteText ? strings.Put(fields.noteText) : nullptr;
    message->lpszDateReceived = strings.Put(fields.dateReceived);
    message->flFlags = fields.flags;
    if (fields.hasOriginator) {
        message->lpOriginator = recips;
        FillRecipient(*recips++, fields.originator, strings);
    }
    message->nRecipCount = static_cast<ULONG>(fields.recipients.size());
    message->lpRecips = fields.recipients.empty() ? nullptr : recips;
    for (const auto &r : fields.recipients) FillRecipient(*recips++, r, strings);
    message->nFileCount = static_cast<ULONG>(fields.attachments.size());
    message->lpFiles = fields.attachments.empty() ? nullptr : files;
    for (const auto &a : fields.attachments) {
        files->nPosition = static_cast<ULONG>(-1);
        files->lpszPathName = strings.Put(a.pathName);
        files->lpszFileName = strings.Put(a.fileName);
        ++files;
    }

    std::lock_guard guard(blocksLock);
    liveBlocks.insert(block);
    return message;
}

bool ReleaseMessage(void *block)
{
    {
        std::lock_guard guard(blocksLock);
        if (liveBlocks.erase(block) == 0) return false;
    }
    std::free(block);
    return true;
}

}  // namespace tuikit::mapi
