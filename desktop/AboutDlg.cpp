#include "desktop/AboutDlg.h"

#include <vector>

#include "resources/resource.h"

namespace kv {
namespace {

// A text of the program's version resource.
std::string VersionText(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
    char* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return {};
    }
    return value;
}

}  // namespace

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUT) {}

bool CAboutDlg::OnInitDialog() {
    SetItemText(IDC_ABOUT_VERSION, "Version " + VersionText("ProductVersion") + "\n" + VersionText("LegalCopyright"));
    return true;
}

}  // namespace kv
