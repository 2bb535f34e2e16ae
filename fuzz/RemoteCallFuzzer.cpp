// What pedhost runs on a remote call's answer, below the socket: the answer's text read as a
// stream (pedclient::StreamAnswer) into the call's RemoteResultReader, its result checked as
// TNetConnection does, and a packet loaded into a declared TMemDataSet whose every cell is then
// shown. Any bytes end in a loaded dataset or an error, never a crash. The first byte picks the
// method (a packet's Get... or a command's status) and the HTTP status.
#include "rpcclient/AnswerStream.h"
#include "RemoteResultReader.h"
#include "rpcclient/RpcClientError.h"
#include "TMemDataSet.h"

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
                                [&](std::size_t) -> nlohmann::json_sax<nlohmann::json>& { return reader; });
    } catch (const pedclient::RpcClientError&) {
        return 0;
    }
    RemoteResult result;
    try {
        result = reader.Result(method);
    } catch (const std::runtime_error&) {
        return 0;
    }
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
