// The "Generate password" dialog on its own, and from the editor into a
// grid cell or onto the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <regex>

#include "desktop/Clipboard.h"
#include "generator/ui/GeneratePasswordDlg.h"
#include "settings/Settings.h"
#include "tests/ui/support/EditorFixture.h"

namespace kv {
namespace {

using namespace uitest;

constexpr char kCaption[] = "Generate password";

// Clicks a button of the dialog as the mouse would.
void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
RECT Place(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return rect;
}
bool AllOf(const std::string& text, int (*test)(int)) {
    return std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

const int kInsertPlaces[] = {IDC_INSERT_DISABLE, IDC_INSERT_PREFIX, IDC_INSERT_MIDDLE, IDC_INSERT_SUFFIX};

class GeneratorTest : public EditorFixture {
protected:
    // Opens the dialog on the tests' settings; `act` works in it, then
    // `button` closes it. Returns the dialog's result.
    INT_PTR Run(const std::function<void(HWND)>& act, int button) {
        CGeneratePasswordDlg dialog(app_->Storage(), [this](const std::string& text) {
            told_.push_back(text);
            if (whileTelling_) whileTelling_();
        });
        DialogAnswerer answerer;
        answerer.Expect(kCaption, button, act);
        const INT_PTR result = dialog.DoModal(nullptr);
        EXPECT_TRUE(answerer.AllAnswered());
        password_ = std::string(dialog.password().view());
        return result;
    }

    GeneratorSettings Stored() { return LoadGeneratorSettings(app_->Storage()); }

    std::vector<std::string> told_;
    // Runs while a message is shown, as the message box's own loop would.
    std::function<void()> whileTelling_;
    std::string password_;
};

TEST_F(GeneratorTest, OpensWithSixteenLettersAndTheirStrength) {
    std::string strength;
    std::string okCaption;
    EXPECT_EQ(Run(
                  [&](HWND dialog) {
                      strength = ItemText(dialog, IDC_STRENGTH);
                      okCaption = ItemText(dialog, IDOK);
                      EXPECT_TRUE(Checked(dialog, IDC_TYPE_SECURE));
                      EXPECT_TRUE(Checked(dialog, IDC_CASE_MIXED));
                      EXPECT_TRUE(Checked(dialog, IDC_INSERT_DISABLE));
                      EXPECT_FALSE(Enabled(dialog, IDC_INSERT_PREFIX));  // no text to insert
                      EXPECT_EQ(ItemText(dialog, IDC_SPECIAL_CHARS), "_{}[]()!@#$&*+-=<>`~");
                      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PASSWORD_LENGTH));
                  },
                  IDOK),
              IDOK);
    EXPECT_EQ(password_.size(), 16u);
    EXPECT_TRUE(AllOf(password_, isalpha)) << password_;
    EXPECT_EQ(strength, "91 bits");
    EXPECT_EQ(okCaption, "Copy to clipboard");
    EXPECT_TRUE(told_.empty());
}

TEST_F(GeneratorTest, OptionsAreSavedOnOkAndNotOnCancel) {
    Run(
        [](HWND dialog) {
            Click(dialog, IDC_USE_NUMBERS);
            SetItemText(dialog, IDC_PASSWORD_LENGTH, "24");
            SetItemText(dialog, IDC_INSERT_TEXT, "-");
            Click(dialog, IDC_INSERT_MIDDLE);
            Click(dialog, IDC_CASE_LOWER);
            Click(dialog, IDC_TYPE_SIMPLE);
            Click(dialog, IDC_WORD_NUMBER_WORD);
        },
        IDOK);
    GeneratorSettings stored = Stored();
    EXPECT_EQ(stored.PasswordLength, "24");
    EXPECT_EQ(stored.UseNumbers, 1u);
    EXPECT_EQ(stored.InsertText, "-");
    EXPECT_EQ(stored.InsertMode, static_cast<std::uint32_t>(IDC_INSERT_MIDDLE));
    EXPECT_EQ(stored.UseCase, static_cast<std::uint32_t>(IDC_CASE_LOWER));
    EXPECT_EQ(stored.Secure, static_cast<std::uint32_t>(IDC_TYPE_SIMPLE));
    EXPECT_EQ(stored.WordOptions, static_cast<std::uint32_t>(IDC_WORD_NUMBER_WORD));
    // Word, digits, "-", word, all in lower case.
    EXPECT_TRUE(std::regex_match(password_, std::regex("[a-z']{3,10}[0-9]{1,4}-[a-z']{3,10}"))) << password_;

    Run(
        [](HWND dialog) {
            // The dialog opens as it was left.
            EXPECT_TRUE(Checked(dialog, IDC_TYPE_SIMPLE));
            EXPECT_TRUE(Checked(dialog, IDC_WORD_NUMBER_WORD));
            EXPECT_EQ(ItemText(dialog, IDC_PASSWORD_LENGTH), "24");
            Click(dialog, IDC_TYPE_SECURE);
            Click(dialog, IDC_USE_NUMBERS);
            SetItemText(dialog, IDC_PASSWORD_LENGTH, "8");
        },
        IDCANCEL);
    stored = Stored();
    EXPECT_EQ(stored.PasswordLength, "24");
    EXPECT_EQ(stored.UseNumbers, 1u);
    EXPECT_EQ(stored.Secure, static_cast<std::uint32_t>(IDC_TYPE_SIMPLE));
}

TEST_F(GeneratorTest, SimpleShowsTheWordOptionsInPlaceOfTheCharacters) {
    Run(
        [](HWND dialog) {
            Click(dialog, IDC_TYPE_SIMPLE);
            for (const int id : {IDC_USE_LETTERS, IDC_USE_NUMBERS, IDC_USE_SPECIAL, IDC_SPECIAL_CHARS}) {
                EXPECT_FALSE(Visible(dialog, id)) << id;
            }
            for (const int id : {IDC_SINGLE_WORD, IDC_WORD_NUMBER, IDC_WORD_WORD, IDC_WORD_NUMBER_WORD}) {
                EXPECT_TRUE(Visible(dialog, id)) << id;
            }
            EXPECT_FALSE(Enabled(dialog, IDC_PASSWORD_LENGTH));
            EXPECT_FALSE(Enabled(dialog, IDC_LENGTH_SPIN));
            EXPECT_EQ(ItemText(dialog, IDC_STRENGTH), "9 bits");  // one word of 971
            // Each word option sits where a character control was: at its
            // left edge, centred on it from top to bottom.
            for (const auto& [option, place] : {std::make_pair(IDC_SINGLE_WORD, IDC_USE_NUMBERS),
                                                std::make_pair(IDC_WORD_NUMBER, IDC_SPECIAL_CHARS),
                                                std::make_pair(IDC_WORD_NUMBER_WORD, IDC_USE_SPECIAL),
                                                std::make_pair(IDC_WORD_WORD, IDC_USE_LETTERS)}) {
                const RECT word = Place(dialog, option);
                const RECT character = Place(dialog, place);
                EXPECT_EQ(word.left, character.left) << option;
                EXPECT_NEAR(word.top + word.bottom, character.top + character.bottom, 1) << option;
            }
            Click(dialog, IDC_TYPE_SECURE);
            EXPECT_TRUE(Visible(dialog, IDC_USE_LETTERS));
            EXPECT_FALSE(Visible(dialog, IDC_SINGLE_WORD));
            EXPECT_TRUE(Enabled(dialog, IDC_PASSWORD_LENGTH));
        },
        IDCANCEL);
}

TEST_F(GeneratorTest, AnEmptiedSpecialSetDisablesOk) {
    Run(
        [](HWND dialog) {
            Click(dialog, IDC_USE_SPECIAL);
            Click(dialog, IDC_USE_LETTERS);
            EXPECT_NE(ItemText(dialog, IDC_GENERATED_PASSWORD), "");
            SetItemText(dialog, IDC_SPECIAL_CHARS, "");
            EXPECT_FALSE(Enabled(dialog, IDC_USE_SPECIAL));
            EXPECT_TRUE(Checked(dialog, IDC_USE_SPECIAL));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED), 0);
            EXPECT_EQ(ItemText(dialog, IDC_GENERATED_PASSWORD), "");
            EXPECT_FALSE(Enabled(dialog, IDOK));
            EXPECT_EQ(ItemText(dialog, IDC_STRENGTH), "0 bits");
        },
        IDCANCEL);
    EXPECT_TRUE(told_.empty());
}

TEST_F(GeneratorTest, NoCharacterClassIsRefused) {
    std::string before;
    std::string after;
    Run(
        [&](HWND dialog) {
            before = ItemText(dialog, IDC_GENERATED_PASSWORD);
            Click(dialog, IDC_USE_LETTERS);
            after = ItemText(dialog, IDC_GENERATED_PASSWORD);
        },
        IDCANCEL);
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_EQ(told_[0], "Please select numbers, letters, or special characters for the password.");
    EXPECT_EQ(after, before);  // no new password
}

TEST_F(GeneratorTest, QuotesAreRemoved) {
    Run(
        [](HWND dialog) {
            SetItemText(dialog, IDC_SPECIAL_CHARS, "#\"%\"");
            EXPECT_EQ(ItemText(dialog, IDC_SPECIAL_CHARS), "#%");
            SetItemText(dialog, IDC_INSERT_TEXT, "a\"b");
            EXPECT_EQ(ItemText(dialog, IDC_INSERT_TEXT), "ab");
            EXPECT_TRUE(Enabled(dialog, IDC_INSERT_SUFFIX));
            SetItemText(dialog, IDC_INSERT_TEXT, "");
            EXPECT_FALSE(Enabled(dialog, IDC_INSERT_SUFFIX));
        },
        IDCANCEL);
    EXPECT_EQ(told_, (std::vector<std::string>{"Please do not use quotes.", "Please do not use quotes."}));
}

TEST_F(GeneratorTest, ATypedPasswordIsWhatOkGivesWithItsOwnStrength) {
    std::string strength;
    Run(
        [&](HWND dialog) {
            SetItemText(dialog, IDC_GENERATED_PASSWORD, "Abc1");
            strength = ItemText(dialog, IDC_STRENGTH);
        },
        IDOK);
    EXPECT_EQ(password_, "Abc1");
    EXPECT_EQ(strength, "23 bits");  // 4 characters of 62
}

TEST_F(GeneratorTest, TheSpinMakesANewPasswordOfTheNewLength) {
    Run(
        [](HWND dialog) {
            // Typing a length does not make a new password.
            SetItemText(dialog, IDC_PASSWORD_LENGTH, "5");
            EXPECT_EQ(ItemText(dialog, IDC_GENERATED_PASSWORD).size(), 16u);
            // A click on the spin's upper half.
            HWND spin = GetDlgItem(dialog, IDC_LENGTH_SPIN);
            RECT box{};
            GetClientRect(spin, &box);
            const LPARAM upper = MAKELPARAM(box.right / 2, box.bottom / 4);
            SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, upper);
            SendMessageA(spin, WM_LBUTTONUP, 0, upper);
            EXPECT_EQ(ItemText(dialog, IDC_PASSWORD_LENGTH), "6");
        },
        IDOK);
    EXPECT_EQ(password_.size(), 6u);
    EXPECT_EQ(Stored().PasswordLength, "6");
}

TEST_F(GeneratorTest, ACaseClickMakesANewPasswordInThatCase) {
    Run(
        [](HWND dialog) {
            Click(dialog, IDC_CASE_UPPER);
            const std::string upper = ItemText(dialog, IDC_GENERATED_PASSWORD);
            EXPECT_EQ(upper.size(), 16u);
            EXPECT_TRUE(AllOf(upper, isupper)) << upper;
            Click(dialog, IDC_CASE_LOWER);
            const std::string lower = ItemText(dialog, IDC_GENERATED_PASSWORD);
            EXPECT_EQ(lower.size(), 16u);
            EXPECT_TRUE(AllOf(lower, islower)) << lower;
        },
        IDCANCEL);
}

TEST_F(GeneratorTest, TheInsertPlacesAreEnabledOnlyWithASavedText) {
    Run(
        [](HWND dialog) {
            for (const int id : kInsertPlaces) EXPECT_FALSE(Enabled(dialog, id)) << id;
        },
        IDCANCEL);
    GeneratorSettings settings = Stored();
    settings.InsertText = "ab";
    SaveGeneratorSettings(app_->Storage(), settings);
    Run(
        [](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_INSERT_TEXT), "ab");
            for (const int id : kInsertPlaces) EXPECT_TRUE(Enabled(dialog, id)) << id;
        },
        IDCANCEL);
}

TEST_F(GeneratorTest, ATypedLengthBeyondTheSpinRangeIsMade) {
    std::string strength;
    Run(
        [&](HWND dialog) {
            SetItemText(dialog, IDC_PASSWORD_LENGTH, "100");
            Click(dialog, IDC_GENERATE);
            strength = ItemText(dialog, IDC_STRENGTH);
        },
        IDOK);
    EXPECT_EQ(password_.size(), 100u);
    EXPECT_EQ(strength, "448 bits");
    EXPECT_EQ(Stored().PasswordLength, "100");
}

TEST_F(GeneratorTest, ASpinChangeWhileAMessageIsShownMakesNoSecondPassword) {
    Run(
        [this](HWND dialog) {
            // The spin is clicked once while the message is up.
            whileTelling_ = [this, dialog] {
                if (told_.size() > 1) return;
                PostMessageA(dialog, RegisterWindowMessageA("PASSWORDSpinMsg"), 0, 0);
                Pump(50);
            };
            Click(dialog, IDC_USE_LETTERS);  // no class left: refused with a message
            whileTelling_ = nullptr;
        },
        IDCANCEL);
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_EQ(told_[0], "Please select numbers, letters, or special characters for the password.");
}

class GeneratorFromEditorTest : public GeneratorTest {
protected:
    CEditorDlg& OpenWebFolder() {
        PasswordDatabase db;
        Folder folder;
        folder.path = "Web";
        folder.category = kInternetCategory;  // Description, Username, Password
        Record record;
        record.fields[kDescription] = "site";
        record.fields[kPassword] = "old";
        folder.records.write().push_back(record);
        db.Folders = {folder};
        WriteDatabase(PathOf("Web.kv"), "", db);
        CEditorDlg& editor = StartEditorOn(PathOf("Web.kv"));
        editor.view().tree().SelectFolder(0);
        Pump(20);
        return editor;
    }

    // Answers the generator with OK, noting its caption of OK and its password.
    void AnswerOk(DialogAnswerer& answerer) {
        answerer.Expect(kCaption, IDOK, [this](HWND dialog) {
            okCaption_ = ItemText(dialog, IDOK);
            shownPassword_ = ItemText(dialog, IDC_GENERATED_PASSWORD);
        });
    }

    std::string okCaption_;
    std::string shownPassword_;
};

TEST_F(GeneratorFromEditorTest, TheCellButtonPutsThePasswordIntoTheOpenCell) {
    CEditorDlg& editor = OpenWebFolder();
    CRecordGrid& grid = editor.view().grid();
    ASSERT_TRUE(CopyToClipboard("before"));
    grid.MoveTo(Cell{0, 2});
    grid.OpenEditor();
    HWND view = editor.view().hwnd();
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(view, IDC_CELL_GENERATE)));
    DialogAnswerer answerer;
    AnswerOk(answerer);
    PressButton(view, IDC_CELL_GENERATE);
    ASSERT_TRUE(WaitUntil([&] { return answerer.AllAnswered() && grid.textEditor().Text() != "old"; }));
    EXPECT_EQ(okCaption_, "Paste");
    EXPECT_EQ(shownPassword_.size(), 16u);
    EXPECT_EQ(grid.textEditor().Text(), shownPassword_);
    EXPECT_TRUE(grid.EditorOpen());
    EXPECT_EQ(ClipboardText().value_or(""), "before");
    grid.CommitEditor();
    EXPECT_EQ(app_->Database.Folders[0].records[0].fields[kPassword], shownPassword_);
}

TEST_F(GeneratorFromEditorTest, TheMenuCommandWithAnOpenCellFillsIt) {
    CEditorDlg& editor = OpenWebFolder();
    CRecordGrid& grid = editor.view().grid();
    grid.MoveTo(Cell{0, 0});
    grid.OpenEditor();
    DialogAnswerer answerer;
    answerer.Expect(kCaption, IDCANCEL);
    Command(editor, ID_GENERATE);
    EXPECT_TRUE(answerer.AllAnswered());
    // Cancel leaves the cell as it was, its editor open and focused.
    EXPECT_EQ(grid.textEditor().Text(), "site");
    EXPECT_EQ(GetFocus(), grid.textEditor().hwnd());
    AnswerOk(answerer);
    Command(editor, ID_GENERATE);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(okCaption_, "Paste");
    EXPECT_EQ(grid.textEditor().Text(), shownPassword_);
    EXPECT_EQ(GetFocus(), grid.textEditor().hwnd());
}

TEST_F(GeneratorFromEditorTest, WithoutAnOpenCellThePasswordGoesToTheClipboard) {
    CEditorDlg& editor = OpenWebFolder();
    ASSERT_FALSE(editor.view().grid().EditorOpen());
    DialogAnswerer answerer;
    AnswerOk(answerer);
    Command(editor, ID_GENERATE);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(okCaption_, "Copy to clipboard");
    EXPECT_EQ(ClipboardText().value_or(""), shownPassword_);
    EXPECT_EQ(app_->Database.Folders[0].records[0].fields[kPassword], "old");

    // The button of the panel does the same; Cancel copies nothing.
    answerer.Expect(kCaption, IDCANCEL);
    Command(editor, ID_GENERATE_BUTTON);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(ClipboardText().value_or(""), shownPassword_);
}

}  // namespace
}  // namespace kv
