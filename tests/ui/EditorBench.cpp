// kelvandor-editor-bench: the editor's figures under Windows or Wine, from one
// run: rebuilding the folder tree from 500 and 5,000 folders, and opening a
// file of 100,000 records. "--quick" runs small sizes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/PasswordApp.h"
#include "app/TrayDlg.h"
#include "app/TrayWnd.h"
#include "bench/BenchSupport.h"
#include "bench/SyntheticDatabase.h"
#include "desktop/MessageBox.h"
#include "editor/EditorDlg.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "tests/support/DatabaseFile.h"
#include "tests/support/ScriptedFileUi.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

const char kBenchRoot[] = "Software\\Corvale Software\\Kelvandor Bench";

// `count` folders, every fourth a subfolder of the one before, no records.
std::vector<Folder> ManyFolders(int count) {
    PasswordDatabase db;
    std::string top;
    for (int i = 0; i < count; ++i) {
        const std::string name = "Folder " + std::to_string(i);
        if (i % 4 != 3) top = name;
        AddFolder(db, i % 4 == 3 ? top + "~" + name : name, 1);
    }
    return db.Folders;
}

int Run(bool quick) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchRoot);
    SetMessageScript([](const std::string& text, UINT) {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        return IDOK;
    });
    CPasswordApp app;
    SettingsLocation location;
    location.key = std::string(kBenchRoot) + "\\Settings";
    location.legacyKey = std::string(kBenchRoot) + "\\Legacy";
    app.UseSettingsLocation(location);
    if (std::unique_ptr<SettingsStore> store = app.Storage().OpenOrCreate()) {
        store->WriteNumber("Init", 0);
        store->WriteNumber("ShowTips", 0);
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelvandor-editor-bench";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "bench.kv").string();

    const int small = quick ? 100 : 500;
    const int large = quick ? 1000 : 5000;
    const std::size_t records = quick ? 5000 : 100000;

    const PasswordDatabase synthetic = bench::MakeSyntheticDatabase(records);
    if (!test::WriteDatabaseFile(file, synthetic.MasterPassword, synthetic)) return 1;

    if (std::unique_ptr<SettingsStore> store = app.Storage().OpenOrCreate()) store->WriteText("LastFile", file);
    app.Database.MasterPassword = synthetic.MasterPassword;
    if (!app.InitInstance("systray")) return 1;
    app.ShowEditor();
    CEditorDlg& editor = *app.Editor();
    uitest::WaitUntil([&] { return app.Database.FileLoaded != 0; }, 60000);

    const double load = bench::BestSeconds(3, [&] {
        PasswordDatabase loaded;
        loaded.FilePath = file;
        loaded.MasterPassword = synthetic.MasterPassword;
        test::ScriptedFileUi ui;
        CPasswordFile(loaded, ui, SystemFileSystem(), SystemLocale()).LoadFile();
    });
    const double open = bench::BestSeconds(3, [&] { editor.Flows().OpenRoutine(); uitest::Pump(0); });
    std::printf("Editor under Windows (or Wine)\n");
    std::printf("  read a file of %zu records (file layer only)      %8.3f s\n", records, load);
    std::printf("  open a file of %zu records and show it          %8.3f s\n", records, open);

    // The tray dialog on the same file: its tree gets the folders at once and
    // a folder's records and values only when the folder opens.
    app.Tray().OpenTrayDlg(true);
    CTrayDlg& tray = *app.Tray().TrayDlg();
    const double trayRebuild = bench::BestSeconds(3, [&] { tray.Rebuild(); uitest::Pump(0); });
    HTREEITEM firstFolder = nullptr;
    const double trayFolder = bench::BestSeconds(3, [&] {
        tray.Rebuild();
        firstFolder = tray.tree().Root();
        tray.tree().Expand(firstFolder);
        uitest::Pump(0);
    });
    std::size_t shown = 0;
    for (HTREEITEM item = tray.tree().Child(firstFolder); item != nullptr; item = tray.tree().NextSibling(item)) ++shown;
    const std::string fill = "fill the tray dialog's tree from " + std::to_string(records) + " records";
    const std::string openFolder = "... and open its first folder (" + std::to_string(shown) + " records)";
    std::printf("  %-49s%8.3f s\n", fill.c_str(), trayRebuild);
    std::printf("  %-49s%8.3f s\n", openFolder.c_str(), trayFolder);
    app.Tray().HideTrayDlg();

    double times[2] = {0, 0};
    const int counts[2] = {small, large};
    for (int i = 0; i < 2; ++i) {
        app.Database.Folders = ManyFolders(counts[i]);
        times[i] = bench::BestSeconds(3, [&] { editor.view().RebuildTree(); });
        std::printf("  rebuild the folder tree from %5d folders        %8.3f s\n", counts[i], times[i]);
    }
    std::printf("  growth from %d to %d folders: %.1f times (10 would be linear)\n", small, large,
                times[1] / times[0]);

    // A folder of many records, in the order the generator made them, loaded
    // into the grid (sorted by the first column) and scrolled to its end.
    const std::size_t rowCounts[2] = {1000, quick ? 5000u : 20000u};
    double loads[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        PasswordDatabase many = bench::MakeSyntheticDatabase(rowCounts[i], 7);
        std::vector<Record> rows;
        for (const Folder& f : many.Folders) rows.insert(rows.end(), f.records.begin(), f.records.end());
        app.Database.Folders.assign(1, Folder{});
        app.Database.Folders[0].path = "Many";
        editor.view().RebuildTree();
        loads[i] = bench::BestSeconds(3, [&] {
            app.Database.Folders[0].records.write() = rows;  // unsorted again
            editor.view().FolderSelected(0);
            editor.view().grid().Move(GridMove::Last);
            uitest::Pump(0);
        });
        std::printf("  load, sort and scroll a folder of %5zu records  %8.3f s\n", rowCounts[i], loads[i]);
    }
    std::printf("  growth from %zu to %zu records: %.1f times (%.0f would be linear)\n", rowCounts[0], rowCounts[1],
                loads[1] / loads[0], static_cast<double>(rowCounts[1]) / static_cast<double>(rowCounts[0]));
    app.Database.Modified = false;
    app.Exit(true);
    SetMessageScript(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchRoot);
    std::filesystem::remove_all(folder);
    return 0;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    return kv::Run(quick);
}
