// A stateful random test of the real editor: long seeded sequences of what a
// user does with folders, records, the cell editor (often left open), search,
// undo, the tray's jump into the editor, saving and reopening. After every
// step the tree, the grid and the database must agree with each other and
// with a small reference model; after a save the file must hold what the
// model saved. A failure is reduced to a short sequence of named steps.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <sstream>

#include "app/TrayDlg.h"
#include "app/TrayWnd.h"
#include "tests/ui/support/CrashReport.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/EditorModel.h"
#include "tests/ui/support/EditorSession.h"
#include "tests/ui/support/Shrink.h"
#include "views/GridColumns.h"
#include "views/SearchMatch.h"

namespace kv {
namespace {

using namespace uitest;

class EditorStatefulTest : public EditorFixture, public ::testing::WithParamInterface<std::uint32_t> {
protected:
    // What a run did: the steps' names and the first problem found.
    struct Outcome {
        std::vector<std::string> done;
        std::optional<std::size_t> failedAt;
        std::string problem;
    };

    Outcome Run(std::uint32_t seed, const std::vector<Step>& steps) {
        Restart(seed);
        Outcome outcome;
        const CrashReport report(seed, outcome.done);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            problem_.clear();
            outcome.done.push_back(Perform(steps[i]));
            answers_.clear();
            Pump(0);
            if (problem_.empty()) problem_ = Check();
            if (!problem_.empty()) {
                outcome.failedAt = i;
                outcome.problem = problem_;
                break;
            }
        }
        return outcome;
    }

    // A fresh program on a fresh file.
    void Restart(std::uint32_t seed) {
        if (editor_ != nullptr) {
            editor_->view().grid().CancelEditor();
            app_->Database.Modified = false;
            app_->Exit(true);
            NewApp();
        }
        file_ = PathOf("Stateful.kv");
        const PasswordDatabase db = StartingDatabase(seed);
        WriteDatabase(file_, "", db);
        editor_ = &StartEditorOn(file_);
        app_->Settings.Mask = 0;
        app_->Settings.SearchOptions = kSearchAnywhere | kSearchIgnoreCase;
        app_->Settings.RecentFiles = {file_};
        model_.emplace(StateOf(db));
        shown_.clear();
    }

    CEditorView& View() { return editor_->view(); }
    CFolderTree& Tree() { return View().tree(); }
    CRecordGrid& Grid() { return View().grid(); }

    std::string PathOfItem(HTREEITEM item) {
        std::string path;
        for (; item != nullptr; item = Tree().Parent(item)) {
            path = path.empty() ? Tree().ItemText(item) : Tree().ItemText(item) + kPathSeparator + path;
        }
        return path;
    }

    HTREEITEM ItemOfPath(const std::string& path) {
        for (HTREEITEM item = Tree().Root(); item != nullptr; item = Tree().NextInPreOrder(item)) {
            if (PathOfItem(item) == path) return item;
        }
        return nullptr;
    }

    std::string SelectedPath() { return Tree().Selection() != nullptr ? PathOfItem(Tree().Selection()) : ""; }

    static std::string Pick(const std::vector<std::string>& paths, std::uint32_t pick) {
        return paths.empty() ? std::string() : paths[pick % paths.size()];
    }

    Fields GridRecord(int row) {
        const Folder& folder = app_->Database.Folders[static_cast<std::size_t>(Grid().FolderIndex())];
        return folder.records[static_cast<std::size_t>(row)].fields;
    }

    // A click on a folder of the tree.
    void ClickFolder(const std::string& path) {
        Tree().Focus();
        Tree().Select(ItemOfPath(path));
        Pump(0);
    }

    // A click on a button of the panel: the focus goes to the button first.
    void ClickButton(int id) {
        SetFocus(GetDlgItem(View().hwnd(), id));
        Command(*editor_, id);
    }

    void Commit() {
        if (!model_->CommitEditor()) problem_ = "the record that the open cell editor was on is gone from the model";
    }

    // A name for a new or renamed folder below `parent`: mostly a plain one,
    // sometimes one the rules refuse.
    std::string FolderName(const std::string& parent, std::uint32_t pick) {
        switch (pick % 10) {
            case 6:
                return "New~Folder";
            case 7:
                for (const std::string& path : model_->Paths()) {
                    if (ParentOf(path) == parent) return LabelOf(path);
                }
                break;
            case 8:
                return "";
            default:
                break;
        }
        return kFolderNames[pick / 10 % std::size(kFolderNames)];
    }

    // The editor that opened on a new record: left empty, or typed into and
    // left open, or typed into and committed.
    std::string FillNewRecord(const std::string& path, std::uint32_t pick) {
        if (!Grid().TextEditorOpen()) {
            problem_ = "no cell editor opened on the new record of '" + path + "'";
            return "";
        }
        model_->OpenEditor({path, Fields{}, Grid().FieldAt(Grid().CurrentCell().column), ""});
        if (pick % 3 == 0) return ", editor left open";
        const std::string text = Word(pick / 3);
        Grid().textEditor().SetText(text);
        model_->Type(text);
        if (pick % 3 == 1) return ", type '" + text + "' and leave the editor open";
        Grid().CommitEditor();
        Commit();
        return ", type '" + text + "' and commit";
    }

    std::string AddFolderStep(const Step& step, bool subfolder) {
        const std::string parent = subfolder ? Pick(model_->Paths(), step.pick[0]) : "";
        if (subfolder && parent.empty()) return "add subfolder (no folder)";
        Commit();
        if (subfolder) ClickFolder(parent);
        const std::string name = FolderName(parent, step.pick[1]);
        ClickButton(subfolder ? ID_ADD_SUBFOLDER : ID_ADD_FOLDER);
        FinishLabelEdit(*editor_, name);
        std::string done = (subfolder ? "add subfolder '" + name + "' to '" + parent + "'" : "add folder '" + name + "'");
        if (!model_->AddFolder(parent, name)) return done + " (refused)";
        const std::string path = parent.empty() ? name : parent + kPathSeparator + name;
        return done + FillNewRecord(path, step.pick[3]);
    }

    std::string RenameStep(const Step& step) {
        const std::string path = Pick(model_->Paths(), step.pick[0]);
        if (path.empty()) return "rename folder (no folder)";
        Commit();
        ClickFolder(path);
        std::string name = FolderName(ParentOf(path), step.pick[1]);
        if (name == LabelOf(path)) name += "2";
        ClickButton(ID_RENAME_FOLDER);
        FinishLabelEdit(*editor_, name);
        const bool renamed = model_->RenameFolder(path, name);
        return "rename folder '" + path + "' -> '" + name + "'" + (renamed ? "" : " (refused)");
    }

    std::string DeleteFolderStep(const Step& step) {
        const std::string path = Pick(model_->Paths(), step.pick[0]);
        if (path.empty()) return "delete folder (no folder)";
        Commit();
        ClickFolder(path);
        const bool yes = step.pick[1] % 4 != 0;
        answers_ = {yes ? IDYES : IDNO};
        ClickButton(ID_DELETE_FOLDER);
        if (yes) model_->DeleteFolder(path);
        return "delete folder '" + path + "'" + (yes ? "" : " (answer No)");
    }

    std::string DropFolderStep(const Step& step) {
        const std::vector<std::string> paths = model_->Paths();
        const std::string dragged = Pick(paths, step.pick[0]);
        if (dragged.empty()) return "drag folder (no folder)";
        const std::uint32_t targets = static_cast<std::uint32_t>(paths.size()) + 1;
        const std::uint32_t target = step.pick[1] % targets;
        const std::string onto = target + 1 == targets ? "" : paths[target];
        Commit();
        Tree().Focus();
        const FolderTreeModel::NodeId node = Tree().NodeOf(ItemOfPath(dragged));
        Tree().Drop(node, onto.empty() ? FolderTreeModel::kRoot : Tree().NodeOf(ItemOfPath(onto)));
        const bool moved = model_->DropFolder(dragged, onto);
        return "drag folder '" + dragged + "' onto " + (onto.empty() ? "the top level" : "'" + onto + "'") +
               (moved ? "" : " (no move)");
    }

    std::string AddRecordStep(const Step& step) {
        const std::string path = SelectedPath();
        if (path.empty()) return "add record (no folder selected)";
        Commit();
        ClickButton(ID_ADD_RECORD);
        model_->AddRecord(path);
        return "add record to '" + path + "'" + FillNewRecord(path, step.pick[3]);
    }

    std::vector<int> TextColumns() {
        std::vector<int> columns;
        for (int column = 0; column < static_cast<int>(Grid().Columns().size()); ++column) {
            const int field = Grid().FieldAt(column);
            if (field != kDateAssigned && field != kDateExpires) columns.push_back(column);
        }
        return columns;
    }

    std::string EditCellStep(const Step& step) {
        const std::string path = SelectedPath();
        const std::vector<int> columns = TextColumns();
        if (path.empty() || Grid().Count() == 0 || columns.empty()) return "edit cell (no record shown)";
        const int row = static_cast<int>(step.pick[0] % static_cast<std::uint32_t>(Grid().Count()));
        const int column = columns[step.pick[1] % columns.size()];
        Commit();
        Grid().MoveTo(Cell{row, column});  // the click on the cell commits an open editor
        const Fields record = GridRecord(row);
        const int field = Grid().FieldAt(column);
        const std::uint32_t mode = step.pick[2] % 4;
        const std::string text = mode == 3 ? "" : Word(step.pick[3]);
        Grid().OpenEditor();
        Grid().textEditor().SetText(text);
        model_->OpenEditor({path, record, field, text});
        std::string done = "edit " + std::string(DefaultFieldName(field)) + " of " + Show(record) + " in '" + path +
                           "' to '" + text + "'";
        if (!model_->HasRecord(path, record)) problem_ = "the grid shows " + Show(record) + ", which the model lacks";
        if (mode == 0) return done + ", editor left open";
        Grid().CommitEditor();
        Commit();
        return done;
    }

    std::string DeleteRecordStep(const Step& step) {
        const std::string path = SelectedPath();
        if (path.empty() || Grid().Count() == 0) return "delete record (no record shown)";
        const int row = static_cast<int>(step.pick[0] % static_cast<std::uint32_t>(Grid().Count()));
        Commit();
        Grid().MoveTo(Cell{row, 0});
        const Fields record = GridRecord(row);
        const bool yes = step.pick[1] % 4 != 0;
        answers_ = {yes ? IDYES : IDNO};
        ClickButton(ID_DELETE_RECORD);
        // A record without any text goes without a question.
        if ((yes || IsEmptyRecord(record)) && !model_->DeleteRecord(path, record)) {
            problem_ = "the grid showed " + Show(record) + ", which the model lacks";
        }
        return "delete record " + Show(record) + " in '" + path + "'" + (yes ? "" : " (answer No)");
    }

    std::string TransferStep(const Step& step, bool move) {
        const char* verb = move ? "move" : "copy";
        const std::string path = SelectedPath();
        std::vector<std::string> targets;
        for (const std::string& other : model_->Paths()) {
            if (other != path) targets.push_back(other);
        }
        if (path.empty() || targets.empty()) return std::string(verb) + " records (no folders)";
        Commit();
        Grid().CommitEditor();  // the drag's start commits an open editor
        std::vector<int> rows;
        for (int row = 0; row < Grid().Count(); ++row) {
            if (!IsEmptyRecord(GridRecord(row))) rows.push_back(row);
        }
        if (rows.empty()) return std::string(verb) + " records (nothing to drag)";
        std::vector<int> dragged{rows[step.pick[0] % rows.size()]};
        const int second = rows[step.pick[1] % rows.size()];
        if (step.pick[2] % 2 == 0 && second != dragged[0]) dragged.push_back(second);
        const std::string target = Pick(targets, step.pick[3]);
        std::vector<Fields> records;
        for (const int row : dragged) {
            Grid().AddToMultiSelection(row);
            records.push_back(GridRecord(row));
        }
        const int targetIndex = Tree().model().FolderIndex(Tree().NodeOf(ItemOfPath(target)));
        const auto& into = app_->Database.Folders[static_cast<std::size_t>(targetIndex)].records;
        const bool replacesEmptyLast = !into.empty() && IsEntirelyEmpty(into.back());
        View().DropRecords(targetIndex, move);
        if (!model_->TransferRecords(path, records, target, move, replacesEmptyLast)) {
            problem_ = "the records dragged are not all in the model";
        }
        return std::string(verb) + " " + Show(records) + " from '" + path + "' to '" + target + "'";
    }

    std::string SortStep(const Step& step) {
        if (SelectedPath().empty() || Grid().Columns().empty()) return "sort (no folder selected)";
        const int column = static_cast<int>(step.pick[0] % Grid().Columns().size());
        Commit();
        Grid().SortBy(column);
        return "sort '" + SelectedPath() + "' by " + DefaultFieldName(Grid().FieldAt(column));
    }

    std::string SearchStep(const Step& step) {
        const std::string text = kWords[step.pick[0] % std::size(kWords)];
        Commit();
        View().OpenSearch(CSearchDlg::Mode::Items);
        if (View().searchDialog() == nullptr) {
            problem_ = "the search dialog did not open";
            return "search '" + text + "'";
        }
        shown_.clear();
        Find(*editor_, text);
        Pump(0);
        const bool notFound = !shown_.empty() && shown_.back().text == "Search item was not found.";
        const Record* shownRecord = Grid().CurrentRecord();
        std::string where;
        for (const auto& [path, records] : model_->state()) {
            for (const Fields& record : records) {
                if (where.empty() && RecordContains(record, text)) where = Show(record) + " in '" + path + "'";
            }
        }
        if (notFound && !where.empty()) {
            problem_ = "the search found nothing although " + where + " holds the text";
        } else if (!notFound && (shownRecord == nullptr || !RecordContains(shownRecord->fields, text))) {
            problem_ = "the search shows " + (shownRecord ? Show(shownRecord->fields) : "no record") + " in '" +
                       SelectedPath() + "', which does not hold the text";
        }
        PressButton(View().searchDialog()->hwnd(), IDCANCEL);
        Pump(0);
        return "search '" + text + "'" + (notFound ? " (not found)" : ", shows the hit in '" + SelectedPath() + "'");
    }

    std::string TrayJumpStep(const Step& step) {
        Commit();
        CTrayDlg& dialog = OpenTray();
        CTrayTreeView& tray = dialog.tree();
        tray.ExpandAll();
        std::vector<HTREEITEM> values;
        for (HTREEITEM item = tray.Root(); item != nullptr; item = tray.NextInPreOrder(item)) {
            if (!tray.ItemOf(item).IsFolder()) values.push_back(item);
        }
        if (values.empty()) {
            app_->Tray().HideTrayDlg();
            return "open the tray (no record)";
        }
        HTREEITEM chosen = values[step.pick[0] % values.size()];
        const TrayItem item = tray.ItemOf(chosen);
        const Record* record = tray.model().RecordOf(item);
        const int folder = tray.model().FolderOf(item.node);
        const bool known = folder >= 0 && static_cast<std::size_t>(folder) < app_->Database.Folders.size();
        const std::string path = known ? app_->Database.Folders[static_cast<std::size_t>(folder)].path : "";
        const std::optional<Fields> wanted = record != nullptr ? std::optional<Fields>(record->fields) : std::nullopt;
        tray.Select(chosen);
        dialog.OpenEditorAtSelection();
        Pump(0);
        const Record* shownRecord = Grid().CurrentRecord();
        if (SelectedPath() != path) {
            problem_ = "the editor shows folder '" + SelectedPath() + "' instead of '" + path + "'";
        } else if (wanted && (shownRecord == nullptr || shownRecord->fields != *wanted)) {
            problem_ = "the editor shows " + (shownRecord ? Show(shownRecord->fields) : "no record") + " instead of " +
                       Show(*wanted);
        }
        app_->Tray().HideTrayDlg();
        return "open the tray and jump to " + (wanted ? Show(*wanted) : "a folder") + " in '" + path + "'";
    }

    std::string SaveStep() {
        Commit();
        model_->Save();
        Command(*editor_, ID_SAVE);
        CheckFile();
        return "save";
    }

    std::string ReopenStep(const Step& step) {
        const bool save = step.pick[0] % 2 == 0;
        Commit();
        answers_ = {save ? IDYES : IDNO};
        model_->Reopen(save);
        Command(*editor_, ID_RECENT_FILE_1);
        Pump(0);
        if (save) CheckFile();
        return std::string("reopen the file") + (save ? ", saving changes" : ", dropping changes");
    }

    std::string Perform(const Step& step) {
        switch (step.action) {
            case Action::SelectFolder: {
                const std::string path = Pick(model_->Paths(), step.pick[0]);
                if (path.empty()) return "select folder (no folder)";
                Commit();
                ClickFolder(path);
                return "select folder '" + path + "'";
            }
            case Action::AddFolder: return AddFolderStep(step, false);
            case Action::AddSubfolder: return AddFolderStep(step, true);
            case Action::RenameFolder: return RenameStep(step);
            case Action::DeleteFolder: return DeleteFolderStep(step);
            case Action::DropFolder: return DropFolderStep(step);
            case Action::AddRecord: return AddRecordStep(step);
            case Action::EditCell: return EditCellStep(step);
            case Action::DeleteRecord: return DeleteRecordStep(step);
            case Action::CopyRecords: return TransferStep(step, false);
            case Action::MoveRecords: return TransferStep(step, true);
            case Action::SortGrid: return SortStep(step);
            case Action::Search: return SearchStep(step);
            case Action::TrayJump: return TrayJumpStep(step);
            case Action::Undo:
                Commit();
                model_->Undo();
                Command(*editor_, ID_UNDO);
                return "undo";
            case Action::Save: return SaveStep();
            case Action::Reopen: return ReopenStep(step);
        }
        return "?";
    }

    void CheckFile() {
        const PasswordDatabase reread = ReadBack(file_);
        if (reread.FileLoaded == 0) {
            problem_ = "the saved file cannot be read";
            return;
        }
        ModelState file;
        for (const Folder& folder : reread.Folders) {
            if (file.count(folder.path) == 1) {
                problem_ = "the saved file holds two folders '" + folder.path + "'";
                return;
            }
            std::vector<Fields>& records = file[folder.path];
            for (const Record& record : folder.records) records.push_back(record.fields);
        }
        if (Normalised(file) != Normalised(AsSaved(model_->saved()))) {
            problem_ = "the saved file differs: " + Difference(file, AsSaved(model_->saved()));
        }
    }

    // Tree items, grid rows and the database agree with each other and with the model.
    std::string Check() {
        const PasswordDatabase& db = app_->Database;
        ModelState shown;
        std::set<int> indexes;
        for (HTREEITEM item = Tree().Root(); item != nullptr; item = Tree().NextInPreOrder(item)) {
            const std::string path = PathOfItem(item);
            const int index = Tree().model().FolderIndex(Tree().NodeOf(item));
            if (index < 0 || static_cast<std::size_t>(index) >= db.Folders.size()) {
                return "tree item '" + path + "' carries folder index " + std::to_string(index) + " of " +
                       std::to_string(db.Folders.size());
            }
            const Folder& folder = db.Folders[static_cast<std::size_t>(index)];
            if (folder.present == 0) return "tree item '" + path + "' shows a deleted folder";
            if (folder.path != path) return "tree item '" + path + "' carries the folder '" + folder.path + "'";
            if (!indexes.insert(index).second) return "two tree items carry the folder '" + path + "'";
            if (shown.count(path) == 1) return "two folders are named '" + path + "'";
            std::vector<Fields>& records = shown[path];
            for (const Record& record : folder.records) records.push_back(record.fields);
        }
        const auto present = std::count_if(db.Folders.begin(), db.Folders.end(), [](const Folder& f) { return f.present != 0; });
        if (static_cast<std::size_t>(present) != indexes.size()) return "a present folder has no tree item";
        if (Normalised(shown) != Normalised(model_->state())) return Difference(shown, model_->state());

        const int selected = Tree().SelectedFolder();
        if (Grid().FolderIndex() != selected) {
            return "the grid shows folder " + std::to_string(Grid().FolderIndex()) + ", the tree selects " +
                   std::to_string(selected);
        }
        if (selected < 0) return "";
        const auto& records = db.Folders[static_cast<std::size_t>(selected)].records;
        if (Grid().Count() != static_cast<int>(records.size())) {
            return "the grid of '" + SelectedPath() + "' has " + std::to_string(Grid().Count()) + " rows for " +
                   std::to_string(records.size()) + " records";
        }
        for (int row = 0; row < Grid().Count(); ++row) {
            for (int column = 0; column < static_cast<int>(Grid().Columns().size()); ++column) {
                const std::string expected =
                    CellText(records[static_cast<std::size_t>(row)], Grid().FieldAt(column), false, SystemLocale());
                if (Grid().ItemText(row, column) != expected) {
                    return "row " + std::to_string(row) + " of '" + SelectedPath() + "' shows '" +
                           Grid().ItemText(row, column) + "' for " + Show(records[static_cast<std::size_t>(row)].fields);
                }
            }
        }
        return "";
    }

    CEditorDlg* editor_ = nullptr;
    std::string file_;
    std::optional<EditorModel> model_;
    std::string problem_;
};

constexpr int kStepsPerSeed = 400;
constexpr auto kShrinkTime = std::chrono::seconds(90);

TEST_P(EditorStatefulTest, RandomUserSessionsKeepTheEditorAndTheModelInStep) {
    const std::uint32_t seed = GetParam();
    const std::vector<Step> steps = RandomSteps(seed, kStepsPerSeed);
    const Outcome first = Run(seed, steps);
    if (!first.failedAt) return;

    // Reduce the failing prefix, each try a fresh program on a fresh file.
    const std::vector<Step> prefix(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(*first.failedAt) + 1);
    const auto deadline = std::chrono::steady_clock::now() + kShrinkTime;
    const std::vector<Step> shortest = Shrink<Step>(
        prefix, [&](const std::vector<Step>& candidate) { return Run(seed, candidate).failedAt.has_value(); },
        [&] { return std::chrono::steady_clock::now() < deadline; });
    const Outcome reduced = Run(seed, shortest);
    const Outcome& shown = reduced.failedAt ? reduced : first;
    std::ostringstream report;
    report << "seed " << seed << ": " << shown.problem << "\nafter " << shown.done.size() << " steps (of "
           << first.done.size() << " before reducing):\n";
    for (std::size_t i = 0; i < shown.done.size(); ++i) report << "  " << i + 1 << ". " << shown.done[i] << "\n";
    ADD_FAILURE() << report.str();
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditorStatefulTest, ::testing::Values(1u, 2u, 3u, 4u, 7u));

}  // namespace
}  // namespace kv
