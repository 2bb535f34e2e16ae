#include "TDateEditPlus.h"

#include "SupportFixture.h"
#include "data/DateTime.h"
#include "ui/Form.h"

namespace {

class TDateEditPlusTest : public SupportTest {
protected:
    TDateEditPlusTest() { form.Show(); }

    ui::Form& form = app.CreateForm<ui::Form>("frmTeste");
    TDateEditPlus& edit = form.Add<TDateEditPlus>("depDeEmissao");
};

} // namespace

TEST_F(TDateEditPlusTest, NoDateIsTheEmptyTextAndTheDateZeroBothWays) {
    EXPECT_EQ(edit.EditMask(), "!99/99/9999;1;_");
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(edit.GetDate(), 0.0);
    edit.SetDate(data::EncodeDate(2024, 5, 10));
    edit.SetDate(0);
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(edit.EditText(), "__/__/____");
    edit.SetText("");
    EXPECT_EQ(edit.GetDate(), 0.0);
    EXPECT_FALSE(edit.IsDateValid());
}

TEST_F(TDateEditPlusTest, AValidDateIsShownInBlueWithoutItsTimeOfDay) {
    edit.SetDate(data::EncodeDateTime(2024, 5, 10, 14, 30, 0));
    EXPECT_EQ(edit.Text(), "10/05/2024");
    EXPECT_EQ(edit.GetDate(), data::EncodeDate(2024, 5, 10));
    EXPECT_TRUE(edit.IsDateValid());
    EXPECT_EQ(edit.Font().Color, ui::clBlue);
    EXPECT_EQ(edit.WeekDayName(), "Sexta");
    edit.SetDate(0);
    EXPECT_NE(edit.Font().Color, ui::clBlue);
    EXPECT_EQ(edit.WeekDayName(), "");
}

TEST_F(TDateEditPlusTest, TypedTextIsCheckedAsADate) {
    struct Case {
        std::string typed;
        bool valid;
        std::string editText;
    };
    for (const Case& c : std::vector<Case>{{"31022024", false, "31/02/2024"},
                                           {"29022024", true, "29/02/2024"},
                                           {"1005", false, "10/05/____"},
                                           {"30121899", true, "30/12/1899"},
                                           {"00002024", false, "00/00/2024"}}) {
        EXPECT_TRUE(user.Type(edit, c.typed));
        EXPECT_EQ(edit.IsDateValid(), c.valid) << c.typed;
        EXPECT_EQ(edit.EditText(), c.editText) << c.typed;
        EXPECT_EQ(edit.Font().Color == ui::clBlue, c.valid) << c.typed;
        if (!c.valid) {
            EXPECT_EQ(edit.GetDate(), 0.0) << c.typed;
        }
    }
    // The first day of the calendar is a valid date whose value is 0: the caller tells it from
    // "no date" by the text.
    user.Type(edit, "30121899");
    EXPECT_EQ(edit.GetDate(), 0.0);
    EXPECT_EQ(edit.Text(), "30/12/1899");
}

TEST_F(TDateEditPlusTest, WeekdaysAreNamedInPortugueseFromSunday) {
    const char* expected[] = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
    for (int day = 0; day < 7; ++day) {
        edit.SetDate(data::EncodeDate(2024, 5, 5 + day)); // 5 May 2024 was a Sunday
        EXPECT_EQ(edit.WeekDayName(), expected[day]);
    }
    edit.SetDate(data::EncodeDate(1899, 12, 29));
    EXPECT_EQ(edit.WeekDayName(), "Sexta");
}
