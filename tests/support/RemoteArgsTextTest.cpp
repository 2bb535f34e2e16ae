#include "RemoteJson.h"
#include "data/DateTime.h"
#include "data/PacketCodec.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

// The parameters as they go out: the exact JSON text, and a text the server's parser reads back
// to the same values (invalid UTF-8 replaced, never a broken request).
TEST(RemoteArgsText, EachKindOfArgumentIsWrittenAsTheJsonTheServerReads) {
    struct Case {
        const char* name;
        std::vector<RemoteArg> args;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"no arguments", {}, "[]"},
        {"plain texts", {std::string("0001"), std::string("0000000042")}, R"(["0001","0000000042"])"},
        {"empty text", {std::string()}, R"([""])"},
        {"quote and backslash", {std::string("a\"b\\c")}, R"(["a\"b\\c"])"},
        {"control characters", {std::string("a\nb\x01")}, R"(["a\nb\u0001"])"},
        {"delete character", {std::string("a\x7f")}, "[\"a\x7f\"]"},
        {"accents", {std::string("Ação")}, R"(["Ação"])"},
        {"invalid UTF-8 replaced", {std::string("a\xff")}, "[\"a\xEF\xBF\xBD\"]"},
        {"no date", {RemoteDate{}}, "[null]"},
        {"a date", {RemoteDate{*data::IsoToDate("2024-12-31")}}, R"(["2024-12-31"])"},
        {"mixed", {std::string("0001"), RemoteDate{}, std::string("T")}, R"(["0001",null,"T"])"},
    };
    for (const Case& c : cases) {
        const std::string text = RemoteArgsToText(c.args);
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_TRUE(nlohmann::json::accept(text)) << c.name;
    }
}

TEST(RemoteArgsText, APacketGoesAsThePacketObjectItSerialisesTo) {
    const data::Packet packet = data::ParsePacket(
        R"({"fields":[{"name":"NRPEDIDO","type":"string","size":10}],"rows":[["0000000001"],[null]]})");
    const nlohmann::json params = nlohmann::json::parse(RemoteArgsToText({std::string("S"), packet}));
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0], "S");
    EXPECT_EQ(params[1], nlohmann::json::parse(data::SerializePacket(packet)));
}

} // namespace
