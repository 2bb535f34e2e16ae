#include "app/SignIn.h"

#include "protocol/RemoteModules.h"
#include "rpcclient/FailoverClient.h"
#include "rpcclient/RpcClientError.h"
#include "TNetConnection.h"

#include <stdexcept>

namespace host {

std::string SignIn(AppHostValues& values, const std::string& operatorCode, const std::string& password) {
    try {
        pedclient::FailoverClient client(pedclient::ServerAddress::ParseList(values.WebURL(), values.WebPort()), "",
                                         {}, values.CaFile(), values.PlainHttpAllowed());
        client.SetModule(TNetConnection::KnownServerName);
        const nlohmann::json answer = client.Call(std::string(protocol::LoginMethod), {operatorCode, password});
        if (!answer.is_object() || !answer.value("token", nlohmann::json()).is_string())
            return "Resposta inválida do servidor de aplicação: a sessão não veio.";
        values.SetSession(operatorCode, answer["token"].get<std::string>());
    } catch (const pedclient::RpcClientError& error) {
        return error.what();
    } catch (const std::invalid_argument& error) {
        return std::string("Endereço do servidor de aplicação recusado: ") + error.what() + ".";
    }
    values.ReadBranchName();
    return {};
}

} // namespace host
