// kelvandor-bench: prints the speed and memory figures of the core as ratios
// from one run. "--quick" runs small sizes to check that the benchmark works;
// "--only NAME" runs one benchmark (file, transfer, undo, search, generator,
// process).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "bench/BenchSupport.h"

int main(int argc, char** argv) {
    kv::bench::BenchOptions options;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.records = 2000;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            options.folder = argv[++i];
        } else {
            std::fprintf(stderr, "usage: kelvandor-bench [--quick] [--only NAME] [--dir FOLDER]\n");
            return 2;
        }
    }
    if (options.folder.empty()) {
        // Memory-backed when the system has it, so that the disk does not blur the figures.
        options.folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                   : std::filesystem::temp_directory_path().string();
    }
    std::printf("kelvandor-bench (files in %s)\n\n", options.folder.c_str());
    // Whole processes first, while this one is small: a started program's
    // peak memory counts that of the process that starts it.
    const std::pair<const char*, void (*)(const kv::bench::BenchOptions&)> benchmarks[] = {
        {"process", kv::bench::RunProcessBenchmarks}, {"file", kv::bench::RunFileBenchmarks},
        {"transfer", kv::bench::RunTransferBenchmarks}, {"undo", kv::bench::RunUndoBenchmarks},
        {"search", kv::bench::RunSearchSortBenchmarks}, {"generator", kv::bench::RunGeneratorBenchmarks},
    };
    for (const auto& [name, run] : benchmarks) {
        if (only.empty() || only == name) run(options);
    }
    return 0;
}
