// Whole processes on a large protected file: kelvandor-cli verify against a
// process that only reads the file and decrypts as many bytes as the file has
// encrypted (kelvandor-rawdecrypt), as a ratio of medians over several runs;
// the peak memory of verify and dump; a search through the command line.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/SyntheticDatabase.h"
#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

extern char** environ;

namespace kv::bench {
namespace {

struct ProcessRun {
    double seconds = 0;
    std::size_t peakBytes = 0;  // the most resident memory the process had
};

// Runs a program with standard input from `input` and its output thrown away.
ProcessRun Run(const std::vector<std::string>& args, const std::string& input, int expectedExit) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::abort();
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedExit) {
        std::fprintf(stderr, "%s ended with status %d\n", argv[0], status);
        std::abort();
    }
    return ProcessRun{took.count(), static_cast<std::size_t>(usage.ru_maxrss) * 1024};
}

// The median time of `runs` runs, and the highest peak among them.
ProcessRun Median(int runs, const std::vector<std::string>& args, const std::string& input, int expectedExit = 0) {
    std::vector<double> times;
    ProcessRun result;
    for (int i = 0; i < runs; ++i) {
        const ProcessRun run = Run(args, input, expectedExit);
        times.push_back(run.seconds);
        result.peakBytes = std::max(result.peakBytes, run.peakBytes);
    }
    std::sort(times.begin(), times.end());
    result.seconds = times[times.size() / 2];
    return result;
}

// Writes the synthetic file and the password beside it in a child process, so
// that this process stays small: a started program's peak memory counts that
// of the process that starts it. Returns the number of encrypted bytes.
std::size_t WriteFileInChild(const BenchOptions& options, const std::string& path, const std::string& password) {
    int channel[2];
    if (pipe(channel) != 0) std::abort();
    const pid_t child = fork();
    if (child == 0) {
        PasswordDatabase db = MakeSyntheticDatabase(options.records);
        db.FilePath = path;
        db.FileLoaded = 1;
        db.EncryptFiles = 1;
        SilentUi ui;
        CPasswordFile file(db, ui, SystemFileSystem(), SystemLocale());
        if (!file.SaveFile(FoldersInArrayOrder(db))) _exit(1);
        std::ofstream(password) << db.MasterPassword.view() << "\n";
        const std::size_t encrypted = EncryptedBytes(db);
        const bool sent = write(channel[1], &encrypted, sizeof encrypted) == static_cast<ssize_t>(sizeof encrypted);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    std::size_t encrypted = 0;
    const bool received = read(channel[0], &encrypted, sizeof encrypted) == static_cast<ssize_t>(sizeof encrypted);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return encrypted;
}

}  // namespace

void RunProcessBenchmarks(const BenchOptions& options) {
    const std::string path = options.folder + "/bench-process-" + std::to_string(options.records) + ".kv";
    const std::string password = options.folder + "/bench-process-password.txt";
    const std::string encrypted = std::to_string(WriteFileInChild(options, path, password));
    const std::string cli = KELVANDOR_CLI_PATH;
    const int runs = options.records > 10000 ? 7 : 3;

    const ProcessRun raw = Median(runs, {KELVANDOR_RAWDECRYPT_PATH, path, encrypted}, password);
    const ProcessRun verify = Median(runs, {cli, "verify", path, "--password-stdin"}, password);
    const ProcessRun dump = Median(runs, {cli, "dump", path, "--password-stdin"}, password);
    const ProcessRun hit = Median(runs, {cli, "search", path, "example.com/login", "--password-stdin"}, password);
    const ProcessRun none = Median(runs, {cli, "search", path, "no such text", "--password-stdin"}, password, 1);

    std::printf("Whole processes on the file of %zu records, medians of %d runs\n", options.records, runs);
    std::printf("  %-44s %8.3f s   peak %s\n", "raw read and decrypt (kelvandor-rawdecrypt)", raw.seconds,
                Megabytes(raw.peakBytes).c_str());
    std::printf("  %-44s %8.3f s   peak %s\n", "kelvandor-cli verify", verify.seconds, Megabytes(verify.peakBytes).c_str());
    std::printf("  %-44s %8.3f s   ratio %6.1f  (distance to the floor, goal <= 2)\n", "verify against raw decrypt",
                verify.seconds, verify.seconds / raw.seconds);
    std::printf("  %-44s %8.3f s   peak %s, %.2f times verify's (goal <= 1.5)\n", "kelvandor-cli dump", dump.seconds,
                Megabytes(dump.peakBytes).c_str(),
                static_cast<double>(dump.peakBytes) / static_cast<double>(verify.peakBytes));
    std::printf("  %-44s %8.3f s   %.3f s beyond verify\n", "kelvandor-cli search with hits",
                hit.seconds, hit.seconds - verify.seconds);
    std::printf("  %-44s %8.3f s   %.3f s beyond verify\n", "kelvandor-cli search, no hit", none.seconds,
                none.seconds - verify.seconds);
    SystemFileSystem().Remove(path);
    SystemFileSystem().Remove(password);
}

}  // namespace kv::bench
