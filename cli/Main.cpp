// kelvandor-cli: reads and writes password files from scripts and backups.
#include <iostream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliUi.h"
#include "cli/DatabaseDump.h"
#include "cli/DatabaseJson.h"
#include "cli/SearchCommand.h"
#include "cli/SecretInput.h"
#include "cli/StandardOutput.h"
#include "cli/TransferCommands.h"
#include "db/PasswordFile.h"
#include "generator/PasswordStrength.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/SecretString.h"
#include "views/SearchMatch.h"

namespace kv {
namespace {

const char kUsage[] =
    "Usage: kelvandor-cli COMMAND [options] FILE\n"
    "\n"
    "Commands:\n"
    "  info FILE                  version, protection, reminder, numbers of folders and records\n"
    "  dump FILE                  the whole file as JSON on standard output\n"
    "  create --json IN FILE      writes a version-7 file from such JSON (IN may be - for\n"
    "                             standard input); an existing FILE is replaced only with --force\n"
    "  verify FILE                reads the file whole; exit status 0 only when that succeeded\n"
    "  search FILE TEXT           the folder path and description of every record with a field\n"
    "                             that matches TEXT (letter case ignored, anywhere in a value);\n"
    "                             exit status 0 with hits, 1 without\n"
    "  export FILE --csv OUT      writes records as comma-separated text (RFC 4180)\n"
    "  import FILE --csv IN --folder PATH (--order N,... | --order-from-heading)\n"
    "  import FILE --passcards IN --folder PATH\n"
    "                             adds the records of a comma-separated text or of a PassCard\n"
    "                             list to a folder; the file is saved only when records came in\n"
    "\n"
    "Options:\n"
    "  --password-stdin           read the master password as one line from standard input\n"
    "  --json IN                  create: the JSON document to create the file from\n"
    "  --force                    let create replace an existing file\n"
    "  --case                     search: match letter case\n"
    "  --whole-word               search: match whole values or words between spaces only\n"
    "  --json                     search: print the hits as JSON (with the matching fields)\n"
    "  --show-passwords           search: print each hit's password too (never printed otherwise)\n"
    "  --folders PATH,...         export only these folders (paths as dump shows them)\n"
    "  --fields N,...             export these fields (0 to 13), in this order; search only these\n"
    "                             fields (0 Description ... 13 Notes); all by default\n"
    "  --folder-names             export a first column with each record's folder\n"
    "  --heading                  export a first line with the column names\n"
    "  --utf8                     export UTF-8 with a byte-order mark instead of the ANSI code page\n"
    "  --folder PATH              the folder the import adds to\n"
    "  --order N,...              the field (0 to 13, -1 to skip) of each column of the import file\n"
    "  --order-from-heading       take the order from the file's first line, which is then skipped\n"
    "  --skip N                   leave out the first N lines of the import file\n"
    "  --help                     this text\n"
    "\n"
    "Texts are UTF-8 here and in the ANSI code page in the file. The file keeps the two\n"
    "dates of a record, not the texts in its fields 9 and 10.\n";

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Options {
    std::string command;
    std::string file;
    std::string jsonInput;
    bool passwordFromStdin = false;
    bool force = false;
    bool help = false;
    bool textGiven = false;
    SearchRequest search;
    TransferOptions transfer;
};

int Error(const std::string& message) {
    std::cerr << "kelvandor-cli: " << message << "\n";
    return kExitFailure;
}

int UsageError(const std::string& message) {
    std::cerr << "kelvandor-cli: " << message << "\n" << "Try 'kelvandor-cli --help'.\n";
    return kExitUsage;
}

// Options may stand anywhere; the first other word is the command, the second the file.
bool ParseArguments(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakeTransferOption(args, i, options.transfer, error)) {
            if (!error.empty()) return false;
        } else if (arg == "--password-stdin") {
            options.passwordFromStdin = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--json") {
            // search takes --json alone; create takes it with the file to read.
            if (options.command == "search") {
                options.search.json = true;
                continue;
            }
            if (i + 1 >= args.size()) {
                error = "--json needs a file name";
                return false;
            }
            options.jsonInput = args[++i];
        } else if (arg == "--case") {
            options.search.options &= ~kSearchIgnoreCase;
        } else if (arg == "--whole-word") {
            options.search.options &= ~kSearchAnywhere;
        } else if (arg == "--show-passwords") {
            options.search.showPasswords = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            error = "unknown option " + arg;
            return false;
        } else if (options.command.empty()) {
            options.command = arg;
        } else if (options.file.empty()) {
            options.file = arg;
        } else if (options.command == "search" && !options.textGiven) {
            options.search.text = arg;
            options.textGiven = true;
        } else {
            error = "unexpected argument " + arg;
            return false;
        }
    }
    if (options.help) return true;
    if (options.command.empty()) {
        error = "no command given";
        return false;
    }
    if (options.command != "info" && options.command != "dump" && options.command != "create" &&
        options.command != "verify" && options.command != "export" && options.command != "import" &&
        options.command != "search") {
        error = "unknown command " + options.command;
        return false;
    }
    if (options.file.empty()) {
        error = "no password file given";
        return false;
    }
    if (options.command == "search" && !options.textGiven) {
        error = "search needs the text to look for";
        return false;
    }
    const bool searchOptions =
        options.search.showPasswords || options.search.options != (kSearchIgnoreCase | kSearchAnywhere);
    if (options.command != "search" && searchOptions) {
        error = "--case, --whole-word and --show-passwords belong to search";
        return false;
    }
    // search shares --fields with export.
    if (options.command == "search" && !options.transfer.fields.empty()) {
        options.search.fields = std::move(options.transfer.fields);
        options.transfer.fields.clear();
    }
    if (options.command == "create" && options.jsonInput.empty()) {
        error = "create needs --json IN";
        return false;
    }
    if (options.command != "create" && !options.jsonInput.empty()) {
        error = "--json belongs to create";
        return false;
    }
    error = CheckTransferOptions(options.command, options.transfer);
    if (!error.empty()) return false;
    if (options.passwordFromStdin && options.jsonInput == "-") {
        error = "the password and the JSON cannot both come from standard input";
        return false;
    }
    return true;
}

constexpr int kStandardInput = 0;

// The master password: one line of UTF-8 from standard input.
bool ReadPassword(SecretString& password, std::string& error) {
    SecretString line;
    if (!ReadSecretLine(kStandardInput, line)) {
        error = "no password on standard input";
        return false;
    }
    std::optional<SecretString> ansi = SystemLocale().Utf8ToAnsi(line.view());
    if (!ansi) {
        error = "the password cannot be written in the ANSI code page";
        return false;
    }
    password = std::move(*ansi);
    return true;
}

struct LoadedFile {
    PasswordDatabase db;
    std::string version;
};

// The master password is kept only for a command that saves the file again.
bool Load(const Options& options, LoadedFile& loaded, std::string& error, bool keepPassword = false) {
    loaded.db.FilePath = options.file;
    if (options.passwordFromStdin && !ReadPassword(loaded.db.MasterPassword, error)) return false;
    CliUi ui(options.passwordFromStdin);
    CPasswordFile file(loaded.db, ui, SystemFileSystem(), SystemLocale());
    const bool ok = file.LoadFile();
    loaded.version = file.Version();
    if (!keepPassword || !ok) loaded.db.MasterPassword.Clear();
    if (!ok) error = ui.error().empty() ? options.file + ": the file could not be read" : ui.error();
    return ok;
}

int Info(const LoadedFile& loaded) {
    std::size_t folders = 0;
    std::size_t records = 0;
    for (const Folder& folder : loaded.db.Folders) {
        if (folder.present == 0) continue;
        ++folders;
        records += folder.records.size();
    }
    const std::optional<SecretString> reminder = SystemLocale().AnsiToUtf8(loaded.db.ReminderPhrase);
    std::cout << "version: " << (loaded.version.empty() ? "(none)" : loaded.version) << "\n"
              << "protected: " << (loaded.db.EncryptFiles != 0 ? "yes" : "no") << "\n"
              << "reminder: " << (reminder ? reminder->view() : std::string_view(loaded.db.ReminderPhrase)) << "\n"
              << "folders: " << folders << "\n"
              << "records: " << records << "\n";
    return kExitOk;
}

// Written while the database is walked: the document is never held whole.
int Dump(const LoadedFile& loaded) {
    json::Writer out(WriteToStandardOutput);
    WriteDatabaseJson(loaded.db, loaded.version, SystemLocale(), out);
    if (!out.Finish()) return Error("the dump could not be written to standard output");
    return kExitOk;
}

int Search(const LoadedFile& loaded, const SearchRequest& request) {
    switch (RunSearch(loaded.db, request, SystemLocale())) {
        case SearchOutcome::Hits: return kExitOk;
        case SearchOutcome::NoHits: return kExitFailure;
        case SearchOutcome::TextNotAnsi: return Error("the text cannot be written in the ANSI code page");
        case SearchOutcome::WriteFailed: break;
    }
    return Error("the hits could not be written to standard output");
}

// The document holds passwords and notes: it is read past every stream buffer.
bool ReadInput(const std::string& name, SecretString& text, std::string& error) {
    const int fd = name == "-" ? kStandardInput : OpenForReading(name);
    if (fd < 0) {
        error = name + ": cannot be opened";
        return false;
    }
    const bool read = ReadSecretAll(fd, text);
    if (fd != kStandardInput) CloseDescriptor(fd);
    if (!read) error = name + ": cannot be read";
    return read;
}

int Create(const Options& options) {
    std::string error;
    SecretString text;
    if (!ReadInput(options.jsonInput, text, error)) return Error(error);
    std::optional<json::Value> document = json::Parse(text.view(), error);
    if (!document) return Error(options.jsonInput + ": " + error);
    PasswordDatabase db;
    bool protect = false;
    if (!DatabaseFromJson(*document, SystemLocale(), db, protect, error)) {
        return Error(options.jsonInput + ": " + error);
    }
    if (protect && !options.passwordFromStdin) return Error("a protected file needs --password-stdin");
    if (!protect && options.passwordFromStdin) return Error("the document is not protected: leave out --password-stdin");
    if (protect) {
        if (!ReadPassword(db.MasterPassword, error)) return Error(error);
        if (db.MasterPassword.empty()) return Error("a protected file needs a password that is not empty");
        // The file is only as strong as its password: say how strong that is.
        std::cerr << "kelvandor-cli: " << MasterPasswordStrength(db.MasterPassword).text << "\n";
    }
    if (!options.force && SystemFileSystem().Exists(options.file)) {
        return Error(options.file + " already exists: use --force to replace it");
    }
    db.FilePath = options.file;
    db.FileLoaded = 1;
    db.EncryptFiles = protect ? 1 : 0;
    CliUi ui(false);
    CPasswordFile file(db, ui, SystemFileSystem(), SystemLocale());
    const bool saved = file.SaveFile(FoldersInArrayOrder(db));
    db.MasterPassword.Clear();
    if (!saved) return Error(ui.error().empty() ? options.file + ": not written" : ui.error());
    return kExitOk;
}

// The records come into the loaded file, which is saved only when they did.
int Import(const Options& options) {
    std::string error;
    LoadedFile loaded;
    if (!Load(options, loaded, error, true)) return Error(error);
    std::string summary;
    const bool imported =
        ImportFromFile(loaded.db, options.transfer, SystemFileSystem(), SystemLocale(), summary, error);
    if (!summary.empty()) std::cout << summary << "\n";
    if (!imported) {
        loaded.db.MasterPassword.Clear();
        return Error(error + ": " + options.file + " is left as it was");
    }
    CliUi ui(false);
    CPasswordFile file(loaded.db, ui, SystemFileSystem(), SystemLocale());
    const bool saved = file.SaveFile(FoldersInArrayOrder(loaded.db));
    loaded.db.MasterPassword.Clear();
    if (!saved) return Error(ui.error().empty() ? options.file + ": not written" : ui.error());
    return kExitOk;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    std::string error;
    if (!ParseArguments(args, options, error)) return UsageError(error);
    if (options.help) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (options.command == "create") return Create(options);
    if (options.command == "import") return Import(options);
    LoadedFile loaded;
    if (!Load(options, loaded, error)) return Error(error);
    if (options.command == "info") return Info(loaded);
    if (options.command == "export") {
        if (!ExportToFile(loaded.db, options.transfer, SystemFileSystem(), SystemLocale(), error)) return Error(error);
        return kExitOk;
    }
    if (options.command == "dump") return Dump(loaded);
    if (options.command == "search") return Search(loaded, options.search);
    std::cout << options.file << ": OK\n";
    return kExitOk;
}

// A document or file that needs more memory than there is ends the command
// with one message instead of ending the program.
int RunWithinMemory(const std::vector<std::string>& args) {
    const char tooLarge[] = "the input is too large for the memory this program can have";
    try {
        return Run(args);
    } catch (const std::bad_alloc&) {
        return Error(tooLarge);
    } catch (const std::length_error&) {
        return Error(tooLarge);
    }
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    return kv::RunWithinMemory(std::vector<std::string>(argv + 1, argv + argc));
}
