#include "mapi/temp_folder.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tuikit::mapi {

TempFolder::~TempFolder()
{
    if (root_.empty()) return;
    nftw(
        root_.c_str(), [](const char *path, const struct stat *, int, struct FTW *) { return remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

std::string TempFolder::NewReadFolder()
{
    if (root_.empty()) {
        const char *base = getenv("TMPDIR");
        std::string pattern = std::string(base && *base == '/' ? base : "/tmp") + "/tuikit-mail-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data())) return {};
        root_ = buffer.data();
    }
    std::string folder = root_ + "/" + std::to_string(++reads_);
    return mkdir(folder.c_str(), 0700) == 0 ? folder : std::string();
}

int CreateFileIn(const std::string &folder, const std::string &name, std::string &path)
{
    for (int n = 1; n < 100; ++n) {
        path = folder + "/" + (n == 1 ? name : std::to_string(n) + "-" + name);
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::string SafeFileName(const std::string &name, const std::string &fallback)
{
    std::string safe;
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        safe += (b < 0x20 || b == 0x7F || c == '/' || c == '\\') ? '_' : c;
    }
    size_t start = safe.find_first_not_of(". ");
    safe = start == std::string::npos ? std::string() : safe.substr(start);
    if (safe.size() > 200) {
        size_t cut = 200;
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;  // whole characters
        safe.resize(cut);
    }
    return safe.empty() ? fallback : safe;
}

}  // namespace tuikit::mapi
