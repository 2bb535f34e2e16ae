#include "RpcTestSupport.h"

#include <arpa/inet.h>
#include <chrono>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace rpctest {
namespace {

using Clock = std::chrono::steady_clock;
using pedclient::RpcClientError;

// A loopback socket bound to a free port; listening (but never accepting) when asked.
class LoopbackSocket {
public:
    explicit LoopbackSocket(bool listening) : m_fd(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        if (listening) {
            listen(m_fd, 4);
        }
    }
    ~LoopbackSocket() { close(m_fd); }
    int Port() const { return m_port; }

private:
    int m_fd;
    int m_port = 0;
};

// Expects the call to fail with `code` and `message` no later than `limit` after it started.
void ExpectFailure(pedclient::RpcClient& client, int code, const std::string& message,
                   std::chrono::milliseconds limit) {
    const auto start = Clock::now();
    try {
        client.Call("GetParamPedido", {"0001"});
        ADD_FAILURE() << "the call succeeded";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), code);
        EXPECT_EQ(std::string(error.what()), message);
    }
    EXPECT_LT(Clock::now() - start, limit);
}

TEST(ClientTest, AServerThatIsNotRunningIsReportedWithinTheConnectTimeout) {
    const LoopbackSocket closed(false); // bound but not listening: connections are refused
    pedclient::RpcClient client("127.0.0.1", closed.Port(), "token", {std::chrono::milliseconds(500)});
    ExpectFailure(client, RpcClientError::Unavailable,
                  "Servidor de aplicação indisponível em 127.0.0.1:" + std::to_string(closed.Port()) + ".",
                  std::chrono::seconds(2));
}

TEST(ClientTest, AServerThatNeverAnswersIsReportedWithinTheReadTimeout) {
    LoopbackSocket silent(true); // the kernel completes the connection; nobody ever reads it
    pedclient::RpcClient client("127.0.0.1", silent.Port(), "token",
                                {std::chrono::milliseconds(500), std::chrono::milliseconds(400)});
    ExpectFailure(client, RpcClientError::NoAnswer,
                  "Servidor de aplicação em 127.0.0.1:" + std::to_string(silent.Port()) +
                      " não respondeu a tempo.",
                  std::chrono::seconds(3));
}

TEST(ClientTest, AnswersThatAreNotJsonRpcAreReportedAsInvalid) {
    struct Garbage {
        const char* name;
        int status;
        std::string body;
        std::string messageEnd;
    };
    const std::vector<Garbage> cases{
        {"html page", 200, "<html>proxy</html>", "."},
        {"json without result", 200, R"({"jsonrpc":"2.0","id":1})", "."},
        {"result of another request", 200, R"({"jsonrpc":"2.0","id":99,"result":{}})", "."},
        {"error without a message", 200, R"({"jsonrpc":"2.0","id":1,"error":{"code":1}})", "."},
        {"gateway error page", 502, "Bad Gateway", " (HTTP 502)."},
    };
    for (const Garbage& garbage : cases) {
        SCOPED_TRACE(garbage.name);
        httplib::Server fake;
        fake.Post(RpcPath, [&](const httplib::Request&, httplib::Response& response) {
            response.status = garbage.status;
            response.set_content(garbage.body, "application/json");
        });
        const int port = fake.bind_to_any_port("127.0.0.1");
        // The socket already listens after binding, so the client may connect at once.
        std::thread serving([&] { fake.listen_after_bind(); });
        {
            // Closed before the fake stops, which would otherwise wait out the kept-alive connection.
            pedclient::RpcClient client("127.0.0.1", port, "token");
            ExpectFailure(client, RpcClientError::BadAnswer,
                          "Resposta inválida do servidor de aplicação em 127.0.0.1:" + std::to_string(port) +
                              garbage.messageEnd,
                          std::chrono::seconds(5));
        }
        fake.stop();
        serving.join();
    }
}

class ClientServerTest : public BackendTest {};

TEST_P(ClientServerTest, ServerErrorsCarryTheServersCodeMessageAndHttpStatus) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    try {
        client.Call("NoSuchMethod", nlohmann::json::array());
        ADD_FAILURE() << "unknown method accepted";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), -32601);
        EXPECT_STREQ(error.what(), "Método desconhecido: NoSuchMethod.");
    }
    pedclient::RpcClient stranger(server.Host(), server.Port(), "not-a-token");
    try {
        stranger.Call("GetParamPedido", {facts.branch});
        ADD_FAILURE() << "unknown token accepted";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), 2);
        EXPECT_EQ(error.HttpStatus(), 401);
        EXPECT_STREQ(error.what(), "Token de acesso inválido.");
    }
}

RPC_INSTANTIATE_BACKENDS(ClientServerTest);

} // namespace
} // namespace rpctest
