#include "data/EditMask.h"
#include "data/Utf8.h"

#include <gtest/gtest.h>

using namespace data;

TEST(Utf8, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(utf8::Length("ação"), 4u);
    EXPECT_EQ(utf8::Left("ação", 3), "açã");
    EXPECT_EQ(utf8::Left("abc", 5), "abc");
    EXPECT_EQ(utf8::ToUpper("ação é ótima, çà"), "AÇÃO É ÓTIMA, ÇÀ");
    EXPECT_EQ(utf8::ToLower("ÁLVARO"), "álvaro");
    EXPECT_EQ(utf8::Fold("Álvaro"), utf8::Fold("alvaro"));
    EXPECT_EQ(utf8::Fold("JOÃO CONCEIÇÃO"), "joao conceicao");
}

struct MaskCase {
    const char* mask;
    const char* value;
    const char* text;
};

TEST(EditMask, FormatMaskTextFillsEditablePositionsAndInsertsLiterals) {
    const MaskCase cases[] = {
        {"9.99.999", "102003", "1.02.003"},
        {"999.999.999-99;0;_", "12345678901", "123.456.789-01"},
        {"99.999.999/9999-99;0;_", "12345678000199", "12.345.678/0001-99"},
        {"999.999.999-99;0;_", "1234", "123.4__.___-__"},
        {"9.99.999", "1020031234", "1.02.003"},
        {"!99/99/9999;1;_", "10/05/2024", "10/05/2024"},
        {">aaaa;0; ", "ab1", "AB1 "},
        {"\\A-999;0;_", "12", "A-12_"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditMask::FormatMaskText(c.mask, c.value), c.text) << c.mask << " " << c.value;
    }
}

TEST(EditMask, ParsesSectionsAndCharacterClasses) {
    const EditMask cpf("999.999.999-99;0;_");
    EXPECT_EQ(cpf.Length(), 14u);
    EXPECT_FALSE(cpf.SaveLiterals());
    EXPECT_EQ(cpf.Blank(), U'_');
    EXPECT_TRUE(cpf.IsLiteral(3));
    EXPECT_EQ(cpf.At(3).Literal, U'.');
    EXPECT_EQ(cpf.BlankText(), "___.___.___-__");
    EXPECT_EQ(cpf.NextEditable(3), 4u);

    const EditMask code(">aaaa;0; ");
    EXPECT_EQ(code.Blank(), U' ');
    EXPECT_TRUE(code.Accepts(0, U'x'));
    EXPECT_TRUE(code.Accepts(0, U'7'));
    EXPECT_TRUE(code.Accepts(0, U'ç'));
    EXPECT_FALSE(code.Accepts(0, U'-'));
    EXPECT_EQ(code.ApplyCase(0, U'ç'), U'Ç');

    const EditMask date("!99/99/9999;1;_");
    EXPECT_TRUE(date.TrimLeadingBlanks());
    EXPECT_TRUE(date.SaveLiterals());
    EXPECT_FALSE(date.Accepts(2, U'1'));
    EXPECT_FALSE(date.Accepts(0, U'a'));

    const EditMask mixed("0#Ll<Cc<>A");
    EXPECT_TRUE(mixed.At(0).Required);
    EXPECT_FALSE(mixed.Accepts(0, U'-'));
    EXPECT_TRUE(mixed.Accepts(1, U'-'));
    EXPECT_TRUE(mixed.Accepts(2, U'é'));
    EXPECT_FALSE(mixed.Accepts(3, U'1'));
    EXPECT_TRUE(mixed.Accepts(4, U'%'));
    EXPECT_EQ(mixed.ApplyCase(4, U'Q'), U'q');
    EXPECT_EQ(mixed.ApplyCase(6, U'Q'), U'Q');
    EXPECT_TRUE(mixed.SaveLiterals());
    EXPECT_EQ(mixed.Blank(), U'_');
}

TEST(EditMask, ExtractTextDropsUnfilledPositionsAndUnsavedLiterals) {
    const EditMask cpf("999.999.999-99;0;_");
    EXPECT_EQ(cpf.ExtractText("123.456.789-01"), "12345678901");
    EXPECT_EQ(cpf.ExtractText("123.4__.___-__"), "1234");
    EXPECT_EQ(cpf.ExtractText(cpf.BlankText()), "");
    const EditMask date("!99/99/9999;1;_");
    EXPECT_EQ(date.ExtractText("10/05/2024"), "10/05/2024");
    EXPECT_EQ(date.ExtractText("__/__/____"), "");
    const EditMask code(">aaaa;0; ");
    EXPECT_EQ(code.ExtractText("AB  "), "AB");
}

TEST(EditMask, CompleteOnlyWhenEveryRequiredPositionIsFilled) {
    const EditMask mask("00-99;0;_");
    EXPECT_TRUE(mask.IsComplete("12-__"));
    EXPECT_FALSE(mask.IsComplete("1_-34"));
    EXPECT_TRUE(EditMask("9999999999;0; ").IsComplete("          "));
}
