// The private folder (mode 0700) a session writes attachment files into:
// made on first use under $TMPDIR (else /tmp), one sub-folder per read so
// equal file names of different reads never meet, removed with the session.
#pragma once

#include <string>

namespace tuikit::mapi {

class TempFolder {
public:
    TempFolder() = default;
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    ~TempFolder();

    // A new empty folder for one read's files, or "" when none can be made.
    std::string NewReadFolder();

private:
    std::string root_;
    unsigned reads_ = 0;
};

// Creates a file for name in folder (a numbered variant when taken) and
// returns its descriptor, with its path in path; -1 on failure.
int CreateFileIn(const std::string &folder, const std::string &name, std::string &path);

// A name safe to create in a folder: no separators, control characters or
// leading dots, at most 200 bytes; fallback when nothing is left.
std::string SafeFileName(const std::string &name, const std::string &fallback);

}  // namespace tuikit::mapi
