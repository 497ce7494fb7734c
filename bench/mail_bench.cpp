// Mail: walking a 10,000-message Maildir and reading every envelope through
// the TuiMAPI calls and the provider beside libtuikit. Prints the time per
// message (target: under 100 us).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tuikit/tuikit.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMessages = 10000;

// A Maildir of kMessages plain and multipart messages, half of them seen.
class BenchMaildir {
public:
    BenchMaildir()
    {
        char pattern[] = "/tmp/tuikit-mail-bench-XXXXXX";
        root_ = mkdtemp(pattern);
        for (const char *sub : {"tmp", "new", "cur"}) fs::create_directory(root_ / sub);
        for (int i = 0; i < kMessages; ++i) {
            std::string id = std::to_string(1765000000 + i) + ".M" + std::to_string(i % 1000) + "P42.bench";
            fs::path file = i % 2 ? root_ / "cur" / (id + ":2,S") : root_ / "new" / id;
            std::ofstream(file) << "Return-Path: <sender" << i << "@example.org>\n"
                                << "Received: from mx.example.org by mail.example.net; Mon, 7 Dec 2026 09:00:00 +0000\n"
                                << "From: =?UTF-8?Q?Ren=C3=A9_Sender_" << i << "?= <sender" << i << "@example.org>\n"
                                << "To: Bob <bob@example.net>, carol@example.net\nCc: dave@example.com\n"
                                << "Subject: =?ISO-8859-1?Q?Caf=E9?= meeting number " << i << "\n"
                                << "Date: Mon, 7 Dec 2026 09:00:00 +0000\nMessage-ID: <" << i << "@example.org>\n"
                                << "MIME-Version: 1.0\nContent-Type: text/plain; charset=utf-8\n\n"
                                << std::string(2000, 'b') << "\n";
        }
        setenv("MAILDIR", root_.c_str(), 1);
    }
    ~BenchMaildir() { fs::remove_all(root_); }

private:
    fs::path root_;
};

void WalkAndReadEnvelopes(benchmark::State &state)
{
    BenchMaildir box;
    if (TuiMAPILogon() != 0) {
        state.SkipWithError("no provider");
        return;
    }
    int64_t messages = 0;
    for (auto _ : state) {
        char id[512] = "";
        bool first = true;
        while (TuiMAPIFindNext(first ? nullptr : id, id) == 0) {
            first = false;
            lpMapiMessage message = nullptr;
            if (TuiMAPIMailInfo(id, &message) == 0) {
                benchmark::DoNotOptimize(message->lpszSubject);
                TuiMAPIFreeBuffer(message);
            }
            ++messages;
        }
    }
    // Printed in seconds with an SI suffix: "40u" is 40 us per message.
    state.counters["per_message"] =
        benchmark::Counter(static_cast<double>(messages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(messages);
    TuiMAPILogoff();
}
BENCHMARK(WalkAndReadEnvelopes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
