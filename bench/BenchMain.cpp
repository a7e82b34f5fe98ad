// kelvandor-bench: prints the speed and memory figures of the core as ratios
// from one run. "--quick" runs small sizes to check that the benchmark works.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/BenchSupport.h"

int main(int argc, char** argv) {
    kv::bench::BenchOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.records = 2000;
        } else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            options.folder = argv[++i];
        } else {
            std::fprintf(stderr, "usage: kelvandor-bench [--quick] [--dir FOLDER]\n");
            return 2;
        }
    }
    if (options.folder.empty()) {
        // Memory-backed when the system has it, so that the disk does not blur the figures.
        options.folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                   : std::filesystem::temp_directory_path().string();
    }
    std::printf("kelvandor-bench (files in %s)\n\n", options.folder.c_str());
    kv::bench::RunFileBenchmarks(options);
    kv::bench::RunUndoBenchmarks(options);
    kv::bench::RunSearchSortBenchmarks(options);
    kv::bench::RunGeneratorBenchmarks(options);
    return 0;
}
