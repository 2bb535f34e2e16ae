#include "RemoteResultReader.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What a result reads as: "packet N: first cells" / "rows N", or "error: MESSAGE".
std::string ReadAs(const std::string& method, const std::string& text) {
    RemoteResultReader reader;
    if (!nlohmann::json::sax_parse(text, &reader))
        return "not JSON";
    try {
        const RemoteResult result = reader.Result(method);
        if (!result.Packet)
            return "rows " + std::to_string(result.Rows);
        std::string shown = "packet " + std::to_string(result.Packet->Rows.size()) + ":";
        for (const auto& row : result.Packet->Rows)
            shown += " " + std::to_string(std::get<std::int64_t>(row.front()));
        return shown;
    } catch (const std::runtime_error& error) {
        return std::string("error: ") + error.what();
    }
}

TEST(RemoteResultReader, ReadsPacketsAndCommandOutcomesAndSaysWhatDoesNotFit) {
    const std::string fields = R"("fields":[{"name":"N","type":"integer"}])";
    const struct {
        const char* method;
        std::string text;
        std::string expected;
    } cases[] = {
        {"GetItemPedido", "{\"packet\":{" + fields + R"(,"rows":[[1],[2]]}})", "packet 2: 1 2"},
        {"getOperTPed",
         R"({"x":{"packet":{"rows":[[9]]}},"packet":{"rows":[[3]],)" + fields + "},\"y\":[null]}",
         "packet 1: 3"},
        {"GetPedido", "{\"packet\":{" + fields + R"(,"rows":[[1.5]]}})",
         "error: pacote de dados inválido em GetPedido (row 1, field 1 ('N'): expected an integer, got 1.5)"},
        {"GetPedido", R"({"status":"ok","rows":1})", "error: GetPedido não devolveu o pacote de dados"},
        {"GetPedido", R"({"packet":[1]})", "error: GetPedido não devolveu o pacote de dados"},
        {"GetPedido", R"("texto")", "error: GetPedido não devolveu o pacote de dados"},
        {"SetCancelaPed", R"({"status":"ok","rows":3})", "rows 3"},
        {"SetCancelaPed", R"({"rows":-2,"status":"ok"})", "rows -2"},
        {"SetCancelaPed", R"({"status":"erro","rows":3})",
         "error: SetCancelaPed não devolveu a situação da operação"},
        {"SetCancelaPed", R"({"status":"ok","rows":"3"})",
         "error: SetCancelaPed não devolveu a situação da operação"},
        {"SetCancelaPed", R"({"status":"ok"})", "error: SetCancelaPed não devolveu a situação da operação"},
        {"SetCancelaPed", R"({"outro":{"status":"ok","rows":1}})",
         "error: SetCancelaPed não devolveu a situação da operação"},
        {"SetDesfazCancel", R"([{"status":"ok","rows":1}])",
         "error: SetDesfazCancel não devolveu a situação da operação"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(ReadAs(test.method, test.text), test.expected) << test.method << " " << test.text;
}

} // namespace
