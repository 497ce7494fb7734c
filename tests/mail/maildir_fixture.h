// A real Maildir in a fresh temporary folder, named by $MAILDIR for the
// provider, filled from the fixture messages of tests/mail/messages.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class TempMaildir {
public:
    TempMaildir()
    {
        char pattern[] = "/tmp/tuikit-maildir-test-XXXXXX";
        root_ = mkdtemp(pattern);
        for (const char *sub : {"tmp", "new", "cur"}) fs::create_directory(root_ / sub);
        setenv("MAILDIR", root_.c_str(), 1);
        setenv("TMPDIR", root_.c_str(), 1);  // attachment folders stay inside too
    }
    ~TempMaildir() { fs::remove_all(root_); }

    const fs::path &Root() const { return root_; }

    // Writes a message file; name is "subdir/filename".
    void Put(const std::string &name, const std::string &content) const
    {
        std::ofstream(root_ / name, std::ios::binary) << content;
    }
    // Copies a fixture message in under name.
    void PutFixture(const std::string &name, const std::string &fixture) const
    {
        Put(name, Fixture(fixture));
    }
    static std::string Fixture(const std::string &fixture)
    {
        std::ifstream in(fs::path(TUIKIT_MAIL_FIXTURES) / fixture, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The file names of one subdirectory, sorted.
    std::vector<std::string> Files(const std::string &subdir) const
    {
        std::vector<std::string> names;
        if (fs::exists(root_ / subdir))
            for (const auto &entry : fs::directory_iterator(root_ / subdir))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path root_;
};
