#include "mapi/maildir.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <tuple>

namespace tuikit::mapi {

namespace {

bool Before(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool Same(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

struct timespec ModifiedTime(const std::string &path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return {};
    return st.st_mtim;
}

// Delivery time from a name of the form "seconds.M<micros>P<pid>....host";
// false when the name does not start with the seconds.
bool TimeFromName(const std::string &id, int64_t &seconds, int64_t &micros)
{
    size_t i = 0;
    int64_t s = 0;
    while (i < id.size() && i < 18 && id[i] >= '0' && id[i] <= '9') s = s * 10 + (id[i++] - '0');
    if (i == 0 || i >= id.size() || id[i] != '.') return false;
    seconds = s;
    micros = 0;
    size_t end = id.find('.', i + 1);
    size_t m = id.find('M', i + 1);
    if (m != std::string::npos && m < end) {
        int64_t u = 0;
        for (size_t k = m + 1; k < id.size() && k < m + 8 && id[k] >= '0' && id[k] <= '9'; ++k)
            u = u * 10 + (id[k] - '0');
        micros = u;
    }
    return true;
}

// The flags after ":2,", or npos when the name has none.
size_t FlagsStart(const std::string &fileName)
{
    size_t colon = fileName.find(':');
    if (colon == std::string::npos || fileName.compare(colon, 3, ":2,") != 0) return std::string::npos;
    return colon + 3;
}

}  // namespace

std::string UniqueNameOf(const std::string &fileName)
{
    if (fileName.empty() || fileName.front() == '.') return {};
    return fileName.substr(0, fileName.find(':'));
}

bool MaildirEntry::Seen() const
{
    size_t flags = FlagsStart(fileName);
    return flags != std::string::npos && fileName.find('S', flags) != std::string::npos;
}

bool Maildir::IsMaildir(const std::string &root)
{
    struct stat st{};
    return stat((root + "/new").c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           stat((root + "/cur").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Maildir::PathOf(const MaildirEntry &entry) const
{
    return root_ + "/" + entry.subdir + "/" + entry.fileName;
}

void Maildir::RefreshIfChanged()
{
    if (trusted_ && Same(ModifiedTime(root_ + "/new"), newTime_) && Same(ModifiedTime(root_ + "/cur"), curTime_))
        return;
    Scan();
}

// A folder's time stamp only proves that nothing changed since the scan when
// it is older than the clock tick the scan started in: a change within the
// same tick would leave the stamp as it was.
void Maildir::Scan()
{
    struct timespec started{};
    clock_gettime(CLOCK_REALTIME_COARSE, &started);
    newTime_ = ModifiedTime(root_ + "/new");
    curTime_ = ModifiedTime(root_ + "/cur");
    entries_.clear();
    byId_.clear();
    ScanSubdir("new");
    ScanSubdir("cur");
    std::sort(entries_.begin(), entries_.end(), [](const MaildirEntry &a, const MaildirEntry &b) {
        return std::tie(a.deliverySeconds, a.deliveryMicros, a.id) <
               std::tie(b.deliverySeconds, b.deliveryMicros, b.id);
    });
    for (size_t i = 0; i < entries_.size(); ++i) byId_.emplace(entries_[i].id, i);
    // A name found in both new/ and cur/ is one message: keep the first.
    if (byId_.size() != entries_.size()) {
        std::vector<MaildirEntry> unique;
        for (size_t i = 0; i < entries_.size(); ++i)
            if (byId_[entries_[i].id] == i) unique.push_back(std::move(entries_[i]));
        entries_ = std::move(unique);
        byId_.clear();
        for (size_t i = 0; i < entries_.size(); ++i) byId_.emplace(entries_[i].id, i);
    }
    trusted_ = Before(newTime_, started) && Before(curTime_, started);
}

void Maildir::ScanSubdir(const char *subdir)
{
    int dirFd = open((root_ + "/" + subdir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return;
    DIR *dir = fdopendir(dirFd);
    if (!dir) {
        close(dirFd);
        return;
    }
    while (struct dirent *d = readdir(dir)) {
        std::string name = d->d_name;
        std::string id = UniqueNameOf(name);
        if (id.empty()) continue;
        struct stat st{};
        bool needStat = d->d_type != DT_REG;
        MaildirEntry entry{id, subdir, name};
        if (!TimeFromName(id, entry.deliverySeconds, entry.deliveryMicros)) needStat = true;
        if (needStat) {
            if (fstatat(dirFd, d->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
            if (!TimeFromName(id, entry.deliverySeconds, entry.deliveryMicros)) {
                entry.deliverySeconds = st.st_mtim.tv_sec;
                entry.deliveryMicros = st.st_mtim.tv_nsec / 1000;
            }
        }
        entries_.push_back(std::move(entry));
    }
    closedir(dir);
}

const MaildirEntry *Maildir::Next(const std::string &seed, bool unreadOnly, bool &seedKnown)
{
    RefreshIfChanged();
    size_t start = 0;
    seedKnown = true;
    if (!seed.empty()) {
        auto it = byId_.find(seed);
        if (it == byId_.end()) {
            seedKnown = false;
            return nullptr;
        }
        start = it->second + 1;
    }
    for (size_t i = start; i < entries_.size(); ++i)
        if (!unreadOnly || !entries_[i].Seen()) return &entries_[i];
    return nullptr;
}

const MaildirEntry *Maildir::Find(const std::string &id)
{
    RefreshIfChanged();
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &entries_[it->second];
}

void Maildir::MarkSeen(const MaildirEntry &entry)
{
    if (entry.Seen()) return;
    std::string name = entry.fileName;
    size_t flags = FlagsStart(name);
    if (flags == std::string::npos) {
        if (name.find(':') != std::string::npos) return;  // flags of another kind: left alone
        name += ":2,S";
    } else {
        std::string letters = name.substr(flags) + "S";
        std::sort(letters.begin(), letters.end());
        name = name.substr(0, flags) + letters;
    }
    std::string target = root_ + "/cur/" + name;
    if (rename(PathOf(entry).c_str(), target.c_str()) == 0) {
        auto &stored = entries_[byId_[entry.id]];
        stored.subdir = "cur";
        stored.fileName = name;
    }
}

bool Maildir::Remove(const MaildirEntry &entry)
{
    bool removed = unlink(PathOf(entry).c_str()) == 0;
    trusted_ = false;
    return removed;
}

}  // namespace tuikit::mapi
