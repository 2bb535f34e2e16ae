// What pedhost runs on a remote call's answer, below the socket: the answer's text read as a
// stream (pedclient::StreamAnswer) into the call's RemoteResultReader, its result checked as
// TNetConnection does, and a packet loaded into a declared TMemDataSet whose every cell is then
// shown. Any bytes end in a loaded dataset or an error, never a crash. The first byte picks the
// method (a packet's Get... or a command's status) and the HTTP status. A result read from the
// answer's parsed tree must end exactly as the same result read from its events.
#include "RemoteResultReader.h"
#include "TMemDataSet.h"
#include "data/PacketCodec.h"
#include "rpcclient/AnswerStream.h"
#include "rpcclient/RpcClientError.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

// A dataset declared as the screen declares its own: every field type, names the seeds use.
void Declare(TMemDataSet& dataSet) {
    dataSet.AddField("IDCHECK", data::FieldType::String, 1);
    dataSet.AddField("NRPEDIDO", data::FieldType::String, 10);
    dataSet.AddField("DTPEDIDO", data::FieldType::DateTime);
    dataSet.AddField("DTENTREGA", data::FieldType::Date);
    dataSet.AddField("QTITEMPED", data::FieldType::Float);
    dataSet.AddField("NRLINHA", data::FieldType::Integer);
    dataSet.AddField("IDMARCA", data::FieldType::Boolean);
}

// A reader that never takes its result from the tree: it reads the events only.
class EventsOnlyReader : public RemoteResultReader {
public:
    bool TakeWhole(const simdjson::dom::element&, std::size_t) override { return false; }
};

// How a read result ends: its packet's text, its row count, or its error; `result` keeps it.
std::string Outcome(RemoteResultReader& reader, const std::string& method, RemoteResult& result) {
    try {
        result = reader.Result(method);
        return result.Packet ? data::SerializePacket(*result.Packet) : std::to_string(result.Rows);
    } catch (const std::runtime_error& error) {
        return std::string("error: ") + error.what();
    }
}

// The answer read with events only; empty when the answer itself is refused.
std::string OutcomeByEvents(const pedclient::RpcAnswer& answer, const std::string& method) {
    EventsOnlyReader reader;
    try {
        pedclient::StreamAnswer(answer, 1, "127.0.0.1:8080", 256,
                                [&](std::size_t) -> pedclient::ResultSink& { return reader; });
    } catch (const pedclient::RpcClientError&) {
        return {};
    }
    RemoteResult result;
    return Outcome(reader, method, result);
}

void Show(data::DataSet& dataSet) {
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        for (const auto& field : dataSet.Fields())
            (void)field->DisplayText();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const char* methods[] = {"GetPedido", "GetParamPedido", "SetCancelaPed", "getOperTPed"};
    const int statuses[] = {200, 200, 200, 400, 500, 503};
    const std::string method = methods[data[0] % 4];
    const pedclient::RpcAnswer answer{statuses[(data[0] / 4) % 6],
                                      std::string(reinterpret_cast<const char*>(data) + 1, size - 1)};
    RemoteResultReader reader;
    try {
        pedclient::StreamAnswer(answer, 1, "127.0.0.1:8080", 256,
                                [&](std::size_t) -> pedclient::ResultSink& { return reader; });
    } catch (const pedclient::RpcClientError&) {
        if (!OutcomeByEvents(answer, method).empty())
            __builtin_trap();
        return 0;
    }
    RemoteResult result;
    const std::string outcome = Outcome(reader, method, result);
    if (outcome != OutcomeByEvents(answer, method))
        __builtin_trap();
    if (!result.Packet)
        return 0;
    TMemDataSet dataSet("cdsFuzz");
    Declare(dataSet);
    try {
        dataSet.LoadFromPacket(*result.Packet);
    } catch (const std::exception&) {
        return 0;
    }
    Show(dataSet);
    return 0;
}
