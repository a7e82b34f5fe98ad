// While a run of steps goes on, a crash of the program ends the process at
// once (no debugger waits) after naming the seed and the steps that led to it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kv::uitest {

class CrashReport {
public:
    CrashReport(std::uint32_t seed, const std::vector<std::string>& done) : seed_(seed), done_(done) {
        current_ = this;
        previous_ = SetUnhandledExceptionFilter(Report);
    }
    ~CrashReport() {
        SetUnhandledExceptionFilter(previous_);
        current_ = nullptr;
    }
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;

private:
    static LONG WINAPI Report(EXCEPTION_POINTERS* info) {
        std::fprintf(stderr, "seed %u: the program crashed (exception 0x%08lx) in the step after these:\n",
                     static_cast<unsigned>(current_->seed_), info->ExceptionRecord->ExceptionCode);
        for (std::size_t i = 0; i < current_->done_.size(); ++i) {
            std::fprintf(stderr, "  %u. %s\n", static_cast<unsigned>(i + 1), current_->done_[i].c_str());
        }
        std::fflush(stderr);
        return EXCEPTION_EXECUTE_HANDLER;
    }

    static inline CrashReport* current_ = nullptr;
    std::uint32_t seed_;
    const std::vector<std::string>& done_;
    LPTOP_LEVEL_EXCEPTION_FILTER previous_ = nullptr;
};

}  // namespace kv::uitest
