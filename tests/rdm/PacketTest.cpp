#include "rdm/Packet.h"

#include "protocol/JsonText.h"
#include "rdm/AnswerBudget.h"
#include "rdm/MethodResult.h"
#include "rdm/RpcError.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

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

// Numbers skip the JSON writer in the range quantities and prices live in; their text must stay
// the writer's, at the range's edges and for every amount in cents and quantity in ten-thousandths.
TEST(PacketTest, NumbersAreWrittenAsTheAnswerWriterWritesThem) {
    std::vector<double> numbers = {0.0,   -0.0,   1e-4,      9.9999e-5, 1e15,      999999999999999.9,
                                   1e14,  -12.5,  0.1 + 0.2, 19.99,     1234.5678, 123456.0,
                                   1e300, 5e-324, -1e-300,   2.5e-4,    7e14,      -999999999999999.0};
    for (int i = 1; i <= 200000; ++i) {
        numbers.push_back(i / 100.0);
        numbers.push_back(i / 10000.0);
        numbers.push_back(-i * 3.0 / 7.0);
    }
    for (const double number : numbers) {
        std::string text = "[";
        protocol::AppendJsonNumber(text, number);
        ASSERT_EQ(text, "[" + protocol::JsonText(number)) << number;
    }
}

// Packets of one layout, one after the other, are each written as a packet of its own fields.
TEST(PacketTest, PacketsOfOneLayoutAreWrittenAsPacketsOfTheirOwnFields) {
    const std::vector<Packet::FieldDef> fields = {{"S", "string", 3}, {"N", "float"}};
    const pedserver::PacketLayout layout(fields);
    for (const double number : {1.5, 2.0}) {
        AnswerBudget budget(1 << 20);
        Packet shared(budget, layout);
        Packet own(budget, fields);
        for (Packet* packet : {&shared, &own})
            packet->AddRow({std::string("abcd"), number});
        EXPECT_EQ(shared.ToResult().Text(), own.ToResult().Text());
    }
    AnswerBudget budget(1 << 20);
    Packet empty(budget, layout);
    EXPECT_EQ(nlohmann::json::parse(empty.ToResult().Text())["packet"]["rows"], nlohmann::json::array());
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
