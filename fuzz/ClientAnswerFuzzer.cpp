// The client's reading of an answer body, as one answer and as the answer to a batch of three
// calls (ids 1 to 3, read as a stream): any bytes end in results or an RpcClientError, never a
// crash, whatever the nesting. The first byte picks the HTTP status the answer came with.
#include "rpcclient/RpcAnswer.h"
#include "rpcclient/RpcClientError.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int statuses[] = {200, 400, 401, 500, 502};
    const pedclient::RpcAnswer answer{statuses[data[0] % 5],
                                      std::string(reinterpret_cast<const char*>(data) + 1, size - 1)};
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
