#include <gtest/gtest.h>

#include "webforms/FormFieldClassifier.h"

namespace kv {
namespace {

FormField Entry(const std::string& name, const std::string& value, std::int32_t type = kTextInput) {
    FormField field;
    field.type = type;
    field.name = name;
    field.value = value;
    return field;
}

// The column that one field of this name is given in an empty record.
int ColumnOf(const std::string& name) {
    RecordFields fields;
    std::vector<FormField> data{Entry(name, "v")};
    CFormFieldClassifier().Classify(fields, data, 0);
    return data[0].column;
}

TEST(FormFieldClassifierTest, NamesAreNormalisedBeforeTheKeywordsAreTried) {
    EXPECT_EQ(CFormFieldClassifier::Normalise("User_ID$"), "userid");
    EXPECT_EQ(CFormFieldClassifier::Normalise("E-Mail"), "email");
    EXPECT_EQ(CFormFieldClassifier::Normalise("\xC9T\xC9"), "\xE9t\xE9");
    EXPECT_EQ(ColumnOf("$-_$"), -1);
    EXPECT_EQ(ColumnOf("Login_Name"), kUsername);
    EXPECT_EQ(ColumnOf("Cell-Phone"), kPhone);
}

TEST(FormFieldClassifierTest, TheFirstMatchingGroupDecides) {
    EXPECT_EQ(ColumnOf("accountname"), kUsername);
    EXPECT_EQ(ColumnOf("emailaddress"), kEmail);
    EXPECT_EQ(ColumnOf("cardholdername"), kUsername);
    EXPECT_EQ(ColumnOf("passphrase"), kPassword);
    EXPECT_EQ(ColumnOf("accountpassword"), kAccount);
    EXPECT_EQ(ColumnOf("SerialKey"), kSerialNumber);
    EXPECT_EQ(ColumnOf("bankcode"), kBank);
    EXPECT_EQ(ColumnOf("CardNumber"), kCreditCard);
    EXPECT_EQ(ColumnOf("pagetitle"), kTitle);
    EXPECT_EQ(ColumnOf("description"), kNotes);
}

TEST(FormFieldClassifierTest, NearMissesStayUnassigned) {
    for (const char* name : {"Tel_No", "mobile", "discount", "descr", "q"}) {
        EXPECT_EQ(ColumnOf(name), -1) << name;
    }
}

TEST(FormFieldClassifierTest, ATakenColumnIsNotTakenAgainAndNoLaterGroupIsTried) {
    RecordFields fields;
    std::vector<FormField> data{Entry("email", "a@x"), Entry("email2", "b@x"), Entry("mailpass", "c")};
    const CFormFieldClassifier classifier;
    for (std::size_t i = 0; i < data.size(); ++i) classifier.Classify(fields, data, i);
    EXPECT_EQ(data[0].column, kEmail);
    EXPECT_EQ(data[1].column, -1);
    EXPECT_EQ(data[2].column, -1);  // "mail" matched first; Password is not tried
    EXPECT_EQ(fields[kEmail], "a@x");
    EXPECT_EQ(fields[kPassword], "");
    EXPECT_TRUE(CFormFieldClassifier::IsColumnTaken(data, kEmail));
    EXPECT_FALSE(CFormFieldClassifier::IsColumnTaken(data, kPassword));
}

TEST(FormFieldClassifierTest, CaptureGivesPasswordInputsThePasswordWithoutTheTakenTest) {
    RecordFields fields;
    std::vector<FormField> data{Entry("password", "typed"), Entry("username", "joe"),
                                Entry("pw", "real", kPasswordInput), Entry("remember", "1", kCheckBox)};
    CFormFieldClassifier().ClassifyCapture(fields, data);
    EXPECT_EQ(data[0].column, kPassword);
    EXPECT_EQ(data[1].column, kUsername);
    EXPECT_EQ(data[2].column, kPassword);
    EXPECT_EQ(data[3].column, -1);
    EXPECT_EQ(fields[kPassword], "real");
    EXPECT_EQ(fields[kUsername], "joe");
}

TEST(FormFieldClassifierTest, AuthenticationDialogFieldsGoStraightToTheirColumns) {
    RecordFields fields;
    std::vector<FormField> data{Entry("x", "joe", kAuthDialogUsername), Entry("y", "pw", kAuthDialogPassword)};
    CFormFieldClassifier().ClassifyCapture(fields, data);
    EXPECT_EQ(fields[kUsername], "joe");
    EXPECT_EQ(fields[kPassword], "pw");
}

}  // namespace
}  // namespace kv
