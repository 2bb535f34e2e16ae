#include "RemoteResultReader.h"
#include "data/PacketCodec.h"
#include "rpcclient/AnswerStream.h"
#include "rpcclient/RpcClientError.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

// A reader that notes whether it took its result from the parsed tree.
class TreeNotingReader : public RemoteResultReader {
public:
    bool tookTree = false;
    bool TakeWhole(const simdjson::dom::element& value, std::size_t levels) override {
        tookTree = RemoteResultReader::TakeWhole(value, levels);
        return tookTree;
    }
};

std::string Outcome(RemoteResultReader& reader, const std::string& method) {
    try {
        const RemoteResult result = reader.Result(method);
        return result.Packet ? data::SerializePacket(*result.Packet) : "rows " + std::to_string(result.Rows);
    } catch (const std::runtime_error& error) {
        return std::string("error: ") + error.what();
    }
}

// The result's text given to a reader as nlohmann's parser events, with no tree.
std::string ByEvents(const std::string& result) {
    RemoteResultReader reader;
    EXPECT_TRUE(nlohmann::json::sax_parse(result, &reader)) << result;
    return Outcome(reader, "GetItemPedido");
}

// The result inside an answer read as pedhost reads it, tree first.
std::string ByAnswer(const std::string& result, bool& tookTree, std::size_t maxDepth = 256) {
    TreeNotingReader reader;
    pedclient::StreamAnswer({200, R"({"jsonrpc":"2.0","id":1,"result":)" + result + "}"}, 1, "127.0.0.1:1",
                            maxDepth, [&](std::size_t) -> pedclient::ResultSink& { return reader; });
    tookTree = reader.tookTree;
    return Outcome(reader, "GetItemPedido");
}

const std::string Fields =
    R"([{"name":"S","type":"string","size":3},{"name":"F","type":"float"},{"name":"I","type":"integer"},)"
    R"({"name":"B","type":"boolean"},{"name":"D","type":"date"},{"name":"T","type":"datetime"}])";

TEST(ResultTree, APacketReadFromTheTreeIsTheOneItsEventsGiveAndAnythingElseIsLeftToThem) {
    const struct {
        std::string result;
        bool fromTree;
    } cases[] = {
        // The server's shape: every type, nulls, texts with escapes, big and negative numbers.
        {R"({"packet":{"fields":)" + Fields +
             R"(,"rows":[["abc",1.5,-7,true,"2024-05-15","2024-05-15T10:20:30"],)"
             R"([null,null,null,null,null,null],["\u00e9\"\\",3,9223372036854775807,false,"0001-01-01","9999-12-31T23:59:59"],)"
             R"(["",18446744073709551615,0,true,"2024-02-29","2024-01-01T00:00:00"]]}})",
         true},
        {R"({"packet":{"fields":[],"rows":[]}})", true},
        {R"({"packet":{"fields":[{"type":"string","size":1,"extra":7,"name":"X","name":"Y"}],"rows":[["a"]]}})",
         true},
        {R"({"packet":{"fields":[{"name":"N","type":"float","size":[1]}],"rows":[[2]]}})", false},
        // Shapes the events read as well, in their own way.
        {R"({"packet":{"rows":[[1]],"fields":[{"name":"N","type":"integer"}]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[1]],"more":1}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[1]]},"status":"ok"})", false},
        // Faults, each named by the events.
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[1.5]]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[18446744073709551615]]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[1,2]]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[[1]]]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[{"N":1}]}})", false},
        {R"({"packet":{"fields":[{"name":"S","type":"string"}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"S","type":"string","size":0}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"S","type":"string","size":2147483648}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"S","type":"string","size":2.0}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"","type":"string","size":1}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"money"}],"rows":[]}})", false},
        {R"({"packet":{"fields":[{"name":"D","type":"date"}],"rows":[["2024-02-30"]]}})", false},
        {R"({"packet":{"fields":[{"name":"N","type":"integer"}]}})", false},
        {R"({"packet":{"fields":{},"rows":[]}})", false},
        {R"({"packet":{"fields":[7],"rows":[]}})", false},
        {R"({"packet":[]})", false},
        {R"({"status":"ok","rows":2})", false},
        {R"("texto")", false},
    };
    for (const auto& test : cases) {
        bool tookTree = false;
        EXPECT_EQ(ByAnswer(test.result, tookTree), ByEvents(test.result)) << test.result;
        EXPECT_EQ(tookTree, test.fromTree) << test.result;
    }
}

// The tree is taken only where its containers stay within the answer's nesting limit, so an
// answer too deep is refused as before.
TEST(ResultTree, APacketPastTheNestingLimitIsRefusedAsItsEventsWould) {
    const std::string packet = R"({"packet":{"fields":[{"name":"N","type":"integer"}],"rows":[[1]]}})";
    bool tookTree = false;
    EXPECT_EQ(ByAnswer(packet, tookTree, 5), ByEvents(packet));
    EXPECT_TRUE(tookTree);
    // Taken from the tree, the packet would open no container the limit could refuse.
    EXPECT_THROW(ByAnswer(packet, tookTree, 4), pedclient::RpcClientError);
}

} // namespace
