#include "rdm/Packet.h"

#include "protocol/JsonText.h"
#include "rdm/AnswerBudget.h"
#include "rdm/MethodResult.h"
#include "rdm/RpcError.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using pedserver::AnswerBudget;
using pedserver::Packet;

// The packet writes rows itself; each must read back as the JSON value the cell stands for, and
// with the same text the answer writer gives that value.
TEST(PacketTest, RowsAreTheSameTextTheAnswerWriterGivesTheirValues) {
    struct Case {
        const char* name;
        pedserver::PacketCell cell;
        nlohmann::json expected;
    };
    const std::string bad = std::string("a\xff") + "b";
    const Case cases[] = {
        {"plain text", std::string("PEDIDO 01"), "PEDIDO 01"},
        {"empty text", std::string(), ""},
        {"quote", std::string("a\"b"), "a\"b"},
        {"backslash", std::string("a\\b"), "a\\b"},
        {"control characters", std::string("l1\nl2\t\x01"), "l1\nl2\t\x01"},
        {"delete character", std::string("a\x7f"), "a\x7f"},
        {"accents", std::string("Ação Açúcar"), "Ação Açúcar"},
        {"null", nullptr, nullptr},
        {"integer", std::int64_t{-42}, -42},
        {"number", 3.3, 3.3},
        {"whole number", 2.0, 2.0},
        {"tiny number", 1e-7, 1e-7},
    };
    for (const Case& c : cases) {
        AnswerBudget budget(1 << 20);
        Packet packet(budget, {{"F", "string", 0}});
        packet.AddRow({c.cell});
        const std::string text = packet.ToResult().Text();
        const nlohmann::json expected = {{"packet",
                                          {{"fields", {{{"name", "F"}, {"size", 0}, {"type", "string"}}}},
                                           {"rows", {{c.expected}}}}}};
        EXPECT_EQ(text, protocol::JsonText(expected)) << c.name;
    }
    AnswerBudget budget(1 << 20);
    Packet packet(budget, {{"F", "string", 0}});
    packet.AddRow({bad});
    EXPECT_EQ(packet.ToResult().Text(),
              R"({"packet":{"fields":[{"name":"F","size":0,"type":"string"}],"rows":[["a)"
              "\xef\xbf\xbd"
              R"(b"]]}})");
}

TEST(PacketTest, TextsAreCutToTheirFieldsSizeInCharacters) {
    AnswerBudget budget(1 << 20);
    Packet packet(budget, {{"S", "string", 3}, {"N", "float"}});
    packet.AddRow({std::string("ÁÉÍÓÚ"), 12345.5});
    packet.AddRow({std::string("ab"), nullptr});
    EXPECT_EQ(nlohmann::json::parse(packet.ToResult().Text())["packet"]["rows"],
              nlohmann::json::parse(R"([["ÁÉÍ",12345.5],["ab",null]])"));
}

// A row past the budget is refused whole, and the rows before it stay as they were.
TEST(PacketTest, ARowPastTheBudgetIsRefusedAndLeavesTheRowsBefore) {
    AnswerBudget budget(20);
    Packet packet(budget, {{"S", "string", 0}});
    packet.AddRow({std::string("0123456789")});
    EXPECT_THROW(packet.AddRow({std::string("0123456789")}), pedserver::RpcError);
    EXPECT_EQ(packet.RowCount(), 1u);
    EXPECT_EQ(nlohmann::json::parse(packet.ToResult().Text())["packet"]["rows"],
              nlohmann::json::parse(R"([["0123456789"]])"));
}

} // namespace
