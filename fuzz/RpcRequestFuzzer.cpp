// The server's handling of a request body, past the token check: envelope, batches, every
// method's parameters and packets, on a real SQLite database seeded with the demo data. Calls
// that change orders really change them, so the data drifts as a long run goes on.
#include "server/RpcDispatcher.h"
#include "sqldb/Connection.h"
#include "storage/Schema.h"
#include "storage/Seed.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

pedserver::RpcDispatcher* dispatcher = nullptr;

std::string SeededDatabase() {
    char folder[] = "/tmp/pedfuzz-XXXXXX";
    if (!mkdtemp(folder))
        std::abort();
    const std::string url = std::string("sqlite:") + folder + "/fuzz.db";
    const auto connection = sqldb::Connection::Open(url);
    pedserver::MigrateSchema(*connection);
    pedserver::SeedDemo(
        *connection,
        std::chrono::year_month_day(std::chrono::year(2024), std::chrono::month(5), std::chrono::day(15)));
    return url;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static sqldb::ConnectionPool pool(SeededDatabase(), 1);
    // The server's own limits, so that inputs past them meet the same refusals.
    static pedserver::RpcDispatcher instance(pool, pedserver::ServerOptions{});
    dispatcher = &instance;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const pedserver::RpcReply reply = dispatcher->Handle(body, "DEMO");
    // The server never fails a request with an internal error for what a client sent.
    for (const pedserver::RpcOutcome& call : reply.calls) {
        if (call.outcome == "internal")
            std::abort();
    }
    return 0;
}
