#include <gtest/gtest.h>

#include "tests/support/Records.h"

#include "webforms/FormDataEdit.h"

namespace kv {
namespace {

// A login record: user "bob" in Username, "secret" in Password, a remember box.
Record Login() {
    Record record;
    record.fields[kDescription] = "Forum";
    record.fields[kUsername] = "bob";
    record.fields[kPassword] = "secret";
    record.formData = {test::ColumnEntry(kTextInput, "user", "bob", kUsername), test::ColumnEntry(kPasswordInput, "pwd", "secret", kPassword),
                       test::ColumnEntry(kCheckBox, "remember", "on", -1)};
    return record;
}

FieldNames Names() {
    FieldNames names;
    for (int i = 0; i < kFieldCount; ++i) names[static_cast<std::size_t>(i)] = DefaultFieldName(i);
    return names;
}

TEST(FormDataEditTest, RowTextsNameTheTypeAndTheColumn) {
    EXPECT_STREQ(FormFieldTypeText(kTextInput), "EditBox");
    EXPECT_STREQ(FormFieldTypeText(kPasswordInput), "Password");
    EXPECT_STREQ(FormFieldTypeText(kRadioButton), "Radio button");
    EXPECT_STREQ(FormFieldTypeText(kCheckBox), "Checkbox");
    EXPECT_STREQ(FormFieldTypeText(kSelectList), "Combobox");
    EXPECT_STREQ(FormFieldTypeText(kPassCardField), "Imported");
    EXPECT_STREQ(FormFieldTypeText(kAuthDialogUsername), "Authorization Dialog");
    EXPECT_STREQ(FormFieldTypeText(kAuthDialogPassword), "Authorization Dialog");
    EXPECT_STREQ(FormFieldTypeText(6), "Unknown");
    FieldNames names = Names();
    names[kUsername] = "Login";
    EXPECT_EQ(FormColumnText(kUsername, names), "Login");
    EXPECT_EQ(FormColumnText(-1, names), "Unassigned");
}

TEST(FormDataEditTest, PasswordsAreMaskedWhileMaskIsOnAndTheyAreNotEmpty) {
    EXPECT_EQ(FormValueText(test::ColumnEntry(kPasswordInput, "p", "x", -1), true), "*****");
    EXPECT_EQ(FormValueText(test::ColumnEntry(kAuthDialogPassword, "p", "x", -1), true), "*****");
    // A text input classified into Password is a password too.
    EXPECT_EQ(FormValueText(test::ColumnEntry(kTextInput, "password", "x", kPassword), true), "*****");
    EXPECT_EQ(FormValueText(test::ColumnEntry(kTextInput, "user", "x", kUsername), true), "x");
    EXPECT_EQ(FormValueText(test::ColumnEntry(kPasswordInput, "p", "", kPassword), true), "");
    EXPECT_EQ(FormValueText(test::ColumnEntry(kPasswordInput, "p", "x", kPassword), false), "x");
}

TEST(FormDataEditTest, NothingChangedIsNoEdit) {
    const Record record = Login();
    EXPECT_FALSE(FormDataEdited(record, record.formData, false));
    EXPECT_TRUE(FormDataEdited(record, record.formData, true));
    std::vector<FormField> edited = record.formData;
    edited[2].value = "off";
    EXPECT_TRUE(FormDataEdited(record, edited, false));
}

TEST(FormDataEditTest, AValueEditOfItsOwnColumnWritesTheFieldWithoutWarning) {
    Record record = Login();
    std::vector<FormField> edited = record.formData;
    edited[1].value = "better";
    EXPECT_EQ(OverwrittenField(record, edited), -1);
    ApplyFormDataEdit(record, edited, true);
    EXPECT_EQ(record.fields[kPassword], "better");
    EXPECT_EQ(record.formData[1].value, "better");
    for (const FormField& entry : record.formData) EXPECT_EQ(entry.autoSubmit, 1);
}

TEST(FormDataEditTest, AValueEditWarnsWhenTheFieldWasChangedSinceTheCapture) {
    Record record = Login();
    record.fields[kPassword] = "changed in the grid";
    std::vector<FormField> edited = record.formData;
    edited[1].value = "better";
    EXPECT_EQ(OverwrittenField(record, edited), kPassword);
}

TEST(FormDataEditTest, MovingAColumnWarnsOfTheFieldItLeavesAndMovesTheValue) {
    Record record = Login();
    std::vector<FormField> edited = record.formData;
    edited[0].column = kEmail;
    EXPECT_EQ(OverwrittenField(record, edited), kUsername);
    ApplyFormDataEdit(record, edited, false);
    EXPECT_EQ(record.fields[kUsername], "");
    EXPECT_EQ(record.fields[kEmail], "bob");
    EXPECT_EQ(record.formData[0].column, kEmail);
}

TEST(FormDataEditTest, AssigningAColumnOverANonEmptyFieldWarns) {
    Record record = Login();
    record.fields[kNotes] = "keep me";
    std::vector<FormField> edited = record.formData;
    edited[2].column = kNotes;
    EXPECT_EQ(OverwrittenField(record, edited), kNotes);
    record.fields[kNotes] = "";
    EXPECT_EQ(OverwrittenField(record, edited), -1);
    ApplyFormDataEdit(record, edited, false);
    EXPECT_EQ(record.fields[kNotes], "on");
}

TEST(FormDataEditTest, UnassigningKeepsNoStaleCopyButAnEmptyFieldNeedsNoWarning) {
    Record record = Login();
    record.fields[kUsername] = "";
    std::vector<FormField> edited = record.formData;
    edited[0].column = -1;
    EXPECT_EQ(OverwrittenField(record, edited), -1);
    record.fields[kUsername] = "bob";
    EXPECT_EQ(OverwrittenField(record, edited), kUsername);
    ApplyFormDataEdit(record, edited, false);
    EXPECT_EQ(record.fields[kUsername], "");
}

TEST(FormDataEditTest, TwoRowsOfOneColumnWriteInListOrder) {
    Record record = Login();
    record.formData.push_back(test::ColumnEntry(kPasswordInput, "confirm", "secret", kPassword));
    std::vector<FormField> edited = record.formData;
    edited[1].value = "first";
    edited[3].value = "second";
    EXPECT_EQ(OverwrittenField(record, edited), -1);
    ApplyFormDataEdit(record, edited, false);
    EXPECT_EQ(record.fields[kPassword], "second");
}

TEST(FormDataEditTest, MovingAwayFromAColumnAnotherRowStillHoldsClearsNothing) {
    Record record = Login();
    record.formData.push_back(test::ColumnEntry(kPasswordInput, "confirm", "secret", kPassword));
    std::vector<FormField> edited = record.formData;
    edited[3].column = -1;
    EXPECT_EQ(OverwrittenField(record, edited), -1);
    ApplyFormDataEdit(record, edited, false);
    EXPECT_EQ(record.fields[kPassword], "secret");
}

}  // namespace
}  // namespace kv
