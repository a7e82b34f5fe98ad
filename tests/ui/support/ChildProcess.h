// A program started by a test, ended at the latest when the object goes.
#pragma once

#include <windows.h>

#include <string>

namespace kv::uitest {

// A path as Windows sees it: a Unix path (as the build passes it under Wine)
// becomes one on drive Z:, which Wine maps to the root.
std::string WindowsPath(const std::string& path);
// The path of `relative` (a file of the build) from the folder of this test program.
std::string PathBesideThisProgram(const std::string& relative);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts "program" with the command-line text after its name.
    bool Start(const std::string& program, const std::string& arguments);
    DWORD id() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the end; false when it is still running after `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace kv::uitest
