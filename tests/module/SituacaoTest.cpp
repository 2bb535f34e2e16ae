#include "CLI_Ped01000/Situacao.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct Row {
    const char* Code;
    const char* Sigla;
    std::optional<ui::Color> Cor;
};

const ui::Color blue = ui::Color::Rgb(0, 0, 255), olive = ui::Color::Rgb(128, 128, 0),
                green = ui::Color::Rgb(0, 128, 0), purple = ui::Color::Rgb(128, 0, 128),
                teal = ui::Color::Rgb(0, 128, 128), red = ui::Color::Rgb(255, 0, 0);

} // namespace

TEST(Situacao, OrderCodesGiveTheirAbbreviationAndColourAndUnknownCodesShowRed) {
    for (const Row& row :
         {Row{"1", "PE", blue}, Row{"2", "AN", olive}, Row{"3", "LQ", purple}, Row{"4", "CN", red},
          Row{"5", "LQ", purple}, Row{"6", "PA", teal}, Row{"7", "", red}, Row{"", "", red}})
        EXPECT_EQ(SituacaoPedido(row.Code), (Situacao{row.Sigla, row.Cor})) << '"' << row.Code << '"';
}

TEST(Situacao, ItemCodesGiveTheirAbbreviationAndColourAndUnknownCodesKeepTheColumnColour) {
    for (const Row& row : {Row{"1", "PE", blue}, Row{"2", "CF", olive}, Row{"3", "AP", green},
                           Row{"4", "LQ", purple}, Row{"5", "CN", red}, Row{"6", "LQ", purple},
                           Row{"7", "PA", teal}, Row{"8", "", std::nullopt}, Row{"", "", std::nullopt}})
        EXPECT_EQ(SituacaoItemPedido(row.Code), (Situacao{row.Sigla, row.Cor})) << '"' << row.Code << '"';
}
