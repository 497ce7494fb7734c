// One Maildir folder: its messages in delivery order, found by their unique
// names (the file name up to the ':' that starts the flags), which stay the
// same when flags change and when a message moves from new/ to cur/.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tuikit::mapi {

struct MaildirEntry {
    std::string id;        // the unique name
    std::string subdir;    // "new" or "cur"
    std::string fileName;  // the name in that folder, flags included
    int64_t deliverySeconds = 0;
    int64_t deliveryMicros = 0;

    bool Seen() const;
};

class Maildir {
public:
    explicit Maildir(std::string root) : root_(std::move(root)) {}

    // A folder with new/ and cur/ directories.
    static bool IsMaildir(const std::string &root);
    const std::string &Root() const { return root_; }

    // The first message (after seed when seed is not empty) that matches;
    // null at the end. seedKnown is false when seed names no message.
    const MaildirEntry *Next(const std::string &seed, bool unreadOnly, bool &seedKnown);
    // The message with that id, or null.
    const MaildirEntry *Find(const std::string &id);
    std::string PathOf(const MaildirEntry &entry) const;

    // Marks the message seen the Maildir way: into cur/ with the S flag.
    void MarkSeen(const MaildirEntry &entry);
    // Removes the message file: false when it is gone or cannot be removed.
    bool Remove(const MaildirEntry &entry);
    // Drops what is known, so the next look-up reads the folders again.
    void Forget() { trusted_ = false; }

private:
    void RefreshIfChanged();
    void Scan();
    void ScanSubdir(const char *subdir);

    std::string root_;
    std::vector<MaildirEntry> entries_;
    std::unordered_map<std::string, size_t> byId_;
    struct timespec newTime_ = {}, curTime_ = {};
    bool trusted_ = false;
};

// Split "unique:2,FLAGS" into the unique name; "" for names that are no
// message (dot-files, empty unique part).
std::string UniqueNameOf(const std::string &fileName);

}  // namespace tuikit::mapi
