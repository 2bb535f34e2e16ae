#include "rpcclient/SaxParse.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pedclient {
namespace {

using Json = nlohmann::json;

// Writes down every event, and refuses the one numbered `refuseAt` (from 0) to end the parse.
class EventLog : public nlohmann::json_sax<Json> {
public:
    explicit EventLog(std::size_t refuseAt = static_cast<std::size_t>(-1)) : m_refuseAt(refuseAt) {}

    std::vector<std::string> events;

    bool null() override { return Note("null"); }
    bool boolean(bool value) override { return Note(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return Note("int " + std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Note("uint " + std::to_string(value)); }
    bool number_float(number_float_t value, const string_t&) override {
        return Note("float " + Json(value).dump());
    }
    bool string(string_t& value) override { return Note("string " + Json(value).dump()); }
    bool binary(binary_t&) override { return Note("binary"); }
    bool start_object(std::size_t size) override { return Note("{ " + std::to_string(size)); }
    bool key(string_t& name) override { return Note("key " + Json(name).dump()); }
    bool end_object() override { return Note("}"); }
    bool start_array(std::size_t size) override { return Note("[ " + std::to_string(size)); }
    bool end_array() override { return Note("]"); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return Note("error");
    }

private:
    bool Note(std::string event) {
        events.push_back(std::move(event));
        return events.size() - 1 != m_refuseAt;
    }

    std::size_t m_refuseAt;
};

struct Outcome {
    bool parsed;
    std::vector<std::string> events;
};

Outcome WithNlohmann(const std::string& text, std::size_t refuseAt) {
    EventLog log(refuseAt);
    const bool parsed = Json::sax_parse(text, &log, nlohmann::detail::input_format_t::json, true);
    return {parsed, log.events};
}

Outcome WithSaxParse(const std::string& text, std::size_t refuseAt) {
    EventLog log(refuseAt);
    const bool parsed = SaxParse(text, log);
    return {parsed, log.events};
}

// Texts whose events, and whether they parse, must be those of nlohmann's own strict parse.
const std::vector<std::string> Texts = {
    // An answer as the server writes it.
    R"([{"jsonrpc":"2.0","id":1,"result":{"packet":{"fields":[{"name":"NRPEDIDO","type":"string","size":10},)"
    R"({"name":"QT","type":"float"}],"rows":[["0000000001",1.5],["0000000002",null],["2024-05-15",-2]]}}},)"
    R"({"jsonrpc":"2.0","id":2,"error":{"code":-32001,"message":"Operação bloqueada."}}])",
    R"({})",
    R"([])",
    R"([[],{},[{}]])",
    R"({"a":{"b":{"c":[1,[2,[3]]]}}})",
    // Integers: nlohmann gives those without a sign as unsigned, and -0 as a signed integer.
    "0",
    "-0",
    "[-0]",
    "[1,-0,2]",
    R"({"a":-0})",
    "-1",
    "42",
    "9223372036854775807",
    "9223372036854775808",
    "18446744073709551615",
    "-9223372036854775808",
    // Numbers simdjson does not hold, read as nlohmann reads them.
    "18446744073709551616",
    "-9223372036854775809",
    "1e400",
    "-1e400",
    // Other numbers.
    "1.5",
    "-0.0",
    "-0.5",
    "1E2",
    "1e-2",
    "1.5e-400",
    "0.1",
    "123456789.123456789",
    // Strings: escapes, accents, NUL, texts that look like numbers.
    R"("")",
    R"("a\"b\\c\/d\b\f\n\r\t")",
    R"("\u00e7\u00E3o")",
    "\"ação\"",
    R"("\u0000")",
    R"("\ud83d\ude00")",
    R"(["2024-05-15","x -0 y","-0"])",
    R"({"-0":-0})",
    R"({"a":1,"a":2})",
    "true",
    "false",
    "null",
    "  [1]  \n",
    // Texts both refuse.
    "",
    "   ",
    "[1] x",
    "[1,]",
    "{\"a\" 1}",
    "[",
    "{\"a\":",
    R"("\ud800")",
    R"("\udc00")",
    R"("\x")",
    "[01]",
    "\"a\x01b\"",
    "\"\xff\"",
    "nul",
    "[1 2]",
    "{1:2}",
    // A byte order mark, which nlohmann skips.
    "\xEF\xBB\xBF[1]",
};

TEST(SaxParse, GivesTheEventsAndVerdictOfNlohmannForEveryText) {
    for (const std::string& text : Texts) {
        SCOPED_TRACE(text);
        const Outcome expected = WithNlohmann(text, static_cast<std::size_t>(-1));
        const Outcome actual = WithSaxParse(text, static_cast<std::size_t>(-1));
        EXPECT_EQ(actual.parsed, expected.parsed);
        EXPECT_EQ(actual.events, expected.events);
    }
}

TEST(SaxParse, ASinkThatRefusesAnEventEndsTheParseThere) {
    for (const std::string& text : Texts) {
        const std::size_t events = WithNlohmann(text, static_cast<std::size_t>(-1)).events.size();
        for (std::size_t refuseAt = 0; refuseAt < events; ++refuseAt) {
            SCOPED_TRACE(text + " refused at event " + std::to_string(refuseAt));
            const Outcome expected = WithNlohmann(text, refuseAt);
            const Outcome actual = WithSaxParse(text, refuseAt);
            EXPECT_FALSE(actual.parsed);
            EXPECT_EQ(actual.events, expected.events);
        }
    }
}

} // namespace
} // namespace pedclient
