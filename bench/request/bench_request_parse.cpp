// What reading one request body costs the event-loop thread that reads it, and the memory its
// parsed tree takes, for 8 MiB bodies of the shapes that cost the most per byte. The anchor is
// the nesting check alone: one plain pass over the same bytes. Not a timed test.
#include "server/JsonNesting.h"
#include "server/RpcDispatcher.h"

#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBody = 8 * 1024 * 1024;

// `item` repeated in a JSON list to about 8 MiB, inside a call's params.
std::string Body(const std::string& item) {
    std::string body = R"({"jsonrpc":"2.0","id":1,"method":"SetCancelaPed","params":[)";
    while (body.size() + item.size() + 3 < kBody)
        body += item + ",";
    body += item + "]}";
    return body;
}

// A packet of checked orders, as the screen sends a large selection.
std::string OrdersBody() {
    std::string rows;
    for (int i = 0; rows.size() < kBody - 1024; ++i)
        rows += std::string(rows.empty() ? "" : ",") + R"(["0001",")" + std::to_string(1000000000 + i) +
                R"(","S","1","PADARIA ESTRELA","000004","2024-06-11T00:00:00"])";
    return R"({"jsonrpc":"2.0","id":1,"method":"SetCancelaPed","params":["DEMO","0001",{"fields":[],"rows":[)" +
           rows + R"(]},"x","0001","y"]})";
}

// Bytes the allocator has handed out, large blocks (mmap) included.
std::size_t Allocated() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

void Measure(const char* shape, const std::string& body) {
    const double mib = static_cast<double>(body.size()) / (1024.0 * 1024.0);
    auto start = std::chrono::steady_clock::now();
    const bool within = pedserver::NestingWithin(body, pedserver::RpcDispatcher::MaxNesting);
    const double scan = Milliseconds(std::chrono::steady_clock::now() - start);
    if (!within) {
        std::printf("%-26s %5.1f MiB  nesting check %6.1f ms (%5.2f ms/MiB): refused, never parsed\n", shape, mib,
                    scan, scan / mib);
        return;
    }
    const std::size_t before = Allocated();
    start = std::chrono::steady_clock::now();
    nlohmann::json tree = nlohmann::json::parse(body, nullptr, false);
    const double parse = Milliseconds(std::chrono::steady_clock::now() - start);
    const double multiple = static_cast<double>(Allocated() - before) / static_cast<double>(body.size());
    start = std::chrono::steady_clock::now();
    tree = nullptr;
    const double release = Milliseconds(std::chrono::steady_clock::now() - start);
    std::printf("%-26s %5.1f MiB  nesting check %6.1f ms (%5.2f ms/MiB)  parse %7.1f ms (%5.1f ms/MiB)  "
                "free %6.1f ms  tree %5.1f x the body\n",
                shape, mib, scan, scan / mib, parse, parse / mib, release, multiple);
}

} // namespace

int main() {
    Measure("numbers [0,0,...]", Body("0"));
    Measure("empty texts [\"\",...]", Body("\"\""));
    Measure("empty lists [[],...]", Body("[]"));
    Measure("empty objects [{},...]", Body("{}"));
    Measure("small objects", Body(R"({"a":1})"));
    Measure("checked orders packet", OrdersBody());
    Measure("brackets [[[[...", std::string(kBody, '['));
    return 0;
}
