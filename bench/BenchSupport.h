// Timing and reporting helpers shared by the benchmarks.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "db/FileUi.h"

namespace kv::bench {

// The shortest of `runs` timings of `work`, in seconds.
inline double BestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    return best;
}

inline std::string Megabytes(std::size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

// A user interface that nobody answers: any message means the benchmark broke.
class SilentUi : public FileUi {
public:
    void ShowMessage(const std::string& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::abort();
    }
    void SetWaitCursor(bool) override {}
    Answer Ask(const std::string&, bool) override { return Answer::No; }
    PasswordAnswer AskPassword(const PasswordPrompt&) override { return PasswordAnswer{}; }
};

struct BenchOptions {
    std::size_t records = 100000;
    std::string folder;  // where files are written
};

void RunFileBenchmarks(const BenchOptions& options);
void RunUndoBenchmarks(const BenchOptions& options);
void RunSearchSortBenchmarks(const BenchOptions& options);
void RunGeneratorBenchmarks(const BenchOptions& options);
void RunTransferBenchmarks(const BenchOptions& options);
void RunProcessBenchmarks(const BenchOptions& options);

}  // namespace kv::bench
