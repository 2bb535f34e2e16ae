// The client's reading of an answer body, as one answer and as the answer to a batch of three
// calls (ids 1 to 3, read as a stream): any bytes end in results or an RpcClientError, never a
// crash, whatever the nesting. The first byte picks the HTTP status the answer came with.
// The fast parse of the streamed answers must give the very events and verdict of nlohmann's.
#include "rpcclient/RpcAnswer.h"
#include "rpcclient/RpcClientError.h"
#include "rpcclient/SaxParse.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Every event as one line of text.
class EventText : public nlohmann::json_sax<nlohmann::json> {
public:
    std::string text;

    bool null() override { return Add("null"); }
    bool boolean(bool value) override { return Add(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return Add("i" + std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Add("u" + std::to_string(value)); }
    bool number_float(number_float_t value, const string_t&) override {
        return Add("f" + nlohmann::json(value).dump());
    }
    bool string(string_t& value) override { return Add("s" + value); }
    bool binary(binary_t&) override { return Add("b"); }
    bool start_object(std::size_t size) override { return Add("{" + std::to_string(size)); }
    bool key(string_t& name) override { return Add("k" + name); }
    bool end_object() override { return Add("}"); }
    bool start_array(std::size_t size) override { return Add("[" + std::to_string(size)); }
    bool end_array() override { return Add("]"); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return Add("!");
    }

private:
    bool Add(const std::string& event) {
        text += event + '\n';
        return true;
    }
};

void ExpectTheSameEvents(const std::string& body) {
    EventText fast;
    EventText reference;
    const bool fastParsed = pedclient::SaxParse(body, fast);
    const bool referenceParsed =
        nlohmann::json::sax_parse(body, &reference, nlohmann::detail::input_format_t::json, true);
    if (fastParsed != referenceParsed || fast.text != reference.text)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int statuses[] = {200, 400, 401, 500, 502};
    const pedclient::RpcAnswer answer{statuses[data[0] % 5],
                                      std::string(reinterpret_cast<const char*>(data) + 1, size - 1)};
    ExpectTheSameEvents(answer.body);
    try {
        const nlohmann::json result = pedclient::ResultOfAnswer(answer, 1, "127.0.0.1:8080", 256);
        (void)result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    } catch (const pedclient::RpcClientError&) {
    }
    try {
        for (const pedclient::BatchAnswer& part :
             pedclient::ResultsOfBatchAnswer(answer, 1, 3, "127.0.0.1:8080", 256))
            (void)part.result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    } catch (const pedclient::RpcClientError&) {
    }
    return 0;
}
