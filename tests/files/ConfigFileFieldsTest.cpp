#include "files/ConfigFileFields.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexa::configfile {
namespace {

std::vector<Field> AllFields(std::string_view bytes) {
    FieldReader reader(bytes);
    std::vector<Field> fields;
    Field field;
    while (reader.next(field))
        fields.push_back(field);
    return fields;
}

std::vector<std::string> Texts(const std::vector<Field>& fields) {
    std::vector<std::string> texts;
    for (const Field& field : fields)
        texts.push_back(field.text);
    return texts;
}

TEST(ConfigFileFieldsTest, TextFieldsMayHoldCommasAndBlanks) {
    EXPECT_EQ(Texts(AllFields("  \"Dev\",0,\" a, b \"\r\n")), (std::vector<std::string>{"Dev", "0", " a, b "}));
}

TEST(ConfigFileFieldsTest, EveryLineEndSeparatesFieldsAndBlankLinesHoldNone) {
    const std::vector<Field> fields = AllFields("a,b\r\nc\rd\ne\r\n\r\n   \r\nf,,g, \r\n");
    EXPECT_EQ(Texts(fields), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "", "g"}))
        << "a comma before a line end adds no field";
    const std::vector<int> lines{1, 1, 2, 3, 4, 7, 7, 7};
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i].line, lines[i]) << "field " << i;
}

TEST(ConfigFileFieldsTest, AnUnclosedQuoteEndsAtItsLineAndJunkAfterAQuoteIsIgnored) {
    EXPECT_EQ(Texts(AllFields("\"open text\r\n\"End\"")), (std::vector<std::string>{"open text", "End"}));
    EXPECT_EQ(Texts(AllFields("\"ab\"cd,ef")), (std::vector<std::string>{"ab", "ef"}));
    EXPECT_EQ(Texts(AllFields("12  ,\"\xE4\xFF\"")), (std::vector<std::string>{"12", "\xE4\xFF"}));
}

TEST(ConfigFileFieldsTest, WholeNumbersAreDigitsWithAnOptionalSign) {
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("-12"), -12);
    EXPECT_EQ(ParseWholeNumber(" 300 "), 300);
    EXPECT_EQ(ParseWholeNumber("+7"), 7);
    EXPECT_EQ(ParseWholeNumber("0031"), 31);
    EXPECT_FALSE(ParseWholeNumber(""));
    EXPECT_FALSE(ParseWholeNumber("-"));
    EXPECT_FALSE(ParseWholeNumber("1.5"));
    EXPECT_FALSE(ParseWholeNumber("12a"));
    EXPECT_FALSE(ParseWholeNumber("1 2"));
    EXPECT_EQ(ParseWholeNumber("123456789012345678901234567890"), 1'000'000'000'000'000'000);
    EXPECT_EQ(ParseWholeNumber("-123456789012345678901234567890"), -1'000'000'000'000'000'000);
}

TEST(ConfigFileFieldsTest, TextBoxNumbersRoundHalvesToEven) {
    EXPECT_EQ(LeadingNumberValue("12"), 12);
    EXPECT_EQ(LeadingNumberValue("2.5"), 2);
    EXPECT_EQ(LeadingNumberValue("3.5"), 4);
    EXPECT_EQ(LeadingNumberValue("2.51"), 3);
    EXPECT_EQ(LeadingNumberValue("2.4999"), 2);
    EXPECT_EQ(LeadingNumberValue("-2.7"), -3);
    EXPECT_EQ(LeadingNumberValue(" 17abc"), 17);
    EXPECT_EQ(LeadingNumberValue("abc"), 0);
    EXPECT_EQ(LeadingNumberValue(""), 0);
    EXPECT_EQ(LeadingWholeNumber("31.9"), 31);
    EXPECT_EQ(LeadingWholeNumber("x1"), 0);
}

TEST(ConfigFileFieldsTest, WrittenTextsCannotEndTheirField) {
    EXPECT_EQ(FileSafeText("a\"b\""), "a'b'");
    EXPECT_EQ(FileSafeText("one\r\ntwo\rthree\nfour"), "one two three four");
    EXPECT_EQ(FileSafeText("\r\n\r\n"), "  ");
    const std::string high = "\x80\xA0\xFF, plain";
    EXPECT_EQ(FileSafeText(high), high);
    std::string out = "x";
    AppendTextField(out, "say \"so\"");
    EXPECT_EQ(out, "x\"say 'so'\"");
}

} // namespace
} // namespace vexa::configfile
