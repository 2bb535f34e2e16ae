#include "RawHttp.h"
#include "RpcTestSupport.h"
#include "storage/Passwords.h"
#include "testkit/TempDir.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <future>
#include <sodium.h>
#include <thread>

namespace rpctest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What Login answered: a session, or the refusal's code and text.
struct SignInAnswer {
    std::string token;
    std::string expires;
    int code = 0;
    std::string message;
};

// Sign-in through a real server whose clock the test holds (PEDSERVER_CLOCK_FILE): time moves
// when the test says so, no waiting. DEMO's password is "senha-demo", VEND01's "senha-vend01".
class SignInTest : public BackendTest {
protected:
    // A token is looked up at every call unless the case sets a cache time itself.
    void Start(std::vector<std::string> serveArgs = {}) {
        SetNow("2024-05-15 10:00:00");
        if (std::find(serveArgs.begin(), serveArgs.end(), "--token-cache-seconds") == serveArgs.end())
            serveArgs.insert(serveArgs.end(), {"--token-cache-seconds", "0"});
        m_server = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.backend = GetParam(),
                                          .serveArgs = serveArgs,
                                          .environment = {"PEDSERVER_CLOCK_FILE=" + m_clock.string()}});
        const auto db = m_server->Database().Connect();
        pedserver::SetPassword(*db, "DEMO", "senha-demo");
        pedserver::SetPassword(*db, "VEND01", "senha-vend01");
    }

    void SetNow(const std::string& timestamp) { std::ofstream(m_clock) << timestamp << "\n"; }

    // An administrator's pedserver command, on the server's database and clock.
    testkit::ProcessResult Admin(std::vector<std::string> args, const std::string& input = {}) {
        std::vector<std::string> environment = m_server->DatabaseEnvironment();
        environment.push_back("PEDSERVER_CLOCK_FILE=" + m_clock.string());
        return testkit::ServerProcess::RunPedserver(std::move(args), std::chrono::seconds(60), environment, input);
    }

    SignInAnswer SignIn(const std::string& operatorCode, const std::string& password) {
        pedclient::RpcClient client(m_server->Host(), m_server->Port(), "");
        try {
            const auto result = client.Call("Login", {operatorCode, password});
            return {result.at("token"), result.at("expires"), 0, ""};
        } catch (const pedclient::RpcClientError& error) {
            return {"", "", error.Code(), error.what()};
        }
    }

    // The error a call with the token ends with, or {0, ""}.
    std::pair<int, std::string> CallWith(const std::string& token) {
        pedclient::RpcClient client(m_server->Host(), m_server->Port(), token);
        try {
            client.Call("GetParamPedido", {"0001"});
        } catch (const pedclient::RpcClientError& error) {
            return {error.Code(), error.what()};
        }
        return {0, ""};
    }

    std::string Log(const std::string& wanted) {
        return m_server->LogWhen([&](const std::string& log) { return log.find(wanted) != std::string::npos; });
    }

    testkit::TempDir m_folder{"signin"};
    std::filesystem::path m_clock = m_folder.Path() / "now";
    std::unique_ptr<testkit::ServerProcess> m_server;
};

const std::pair<int, std::string> kExpired{11, "Sua sessão expirou. Entre novamente."};

TEST_P(SignInTest, ASessionWorksUntilItsEndOrUntilItGoesUnusedTooLong) {
    Start({"--session-hours", "2", "--session-idle-minutes", "60"});
    const SignInAnswer session = SignIn("DEMO", "senha-demo");
    ASSERT_FALSE(session.token.empty()) << session.message;
    EXPECT_EQ(session.expires, "2024-05-15T12:00:00");
    EXPECT_EQ(CallWith(session.token).first, 0);
    for (const char* now : {"2024-05-15 10:50:00", "2024-05-15 11:40:00"}) {
        SetNow(now);
        EXPECT_EQ(CallWith(session.token).first, 0) << now << ": used within the idle time";
    }
    SetNow("2024-05-15 12:00:00");
    EXPECT_EQ(CallWith(session.token), kExpired) << "past its end, however lately used";

    const SignInAnswer idle = SignIn("DEMO", "senha-demo");
    EXPECT_EQ(CallWith(idle.token).first, 0);
    SetNow("2024-05-15 13:00:00");
    EXPECT_EQ(CallWith(idle.token), kExpired) << "an hour unused";
    EXPECT_NE(Log("event=session-expired").find("event=session-expired client=127.0.0.1 operator=DEMO"),
              std::string::npos);
}

TEST_P(SignInTest, AWrongPasswordAnUnknownOperatorAndALockedOutOperatorGetTheSameRefusal) {
    Start({"--auth-burst", "1000"});
    const SignInAnswer wrong = SignIn("DEMO", "senha-errada");
    const SignInAnswer unknown = SignIn("NINGUEM", "senha-demo");
    EXPECT_EQ(wrong.code, 12);
    EXPECT_EQ(wrong.message, "Operador ou senha inválidos. Após 5 tentativas sem sucesso em 15 minutos, o acesso "
                             "fica bloqueado por 15 minutos.");
    EXPECT_EQ(std::tie(unknown.code, unknown.message), std::tie(wrong.code, wrong.message));
    for (int failure = 2; failure <= 5; ++failure)
        SignIn("DEMO", "senha-errada");
    const SignInAnswer locked = SignIn("DEMO", "senha-demo");
    EXPECT_TRUE(locked.token.empty()) << "the sixth try is refused even with the right password";
    EXPECT_EQ(std::tie(locked.code, locked.message), std::tie(wrong.code, wrong.message));
    EXPECT_FALSE(SignIn("VEND01", "senha-vend01").token.empty()) << "another operator is not locked out";
    SetNow("2024-05-15 10:16:00");
    EXPECT_FALSE(SignIn("DEMO", "senha-demo").token.empty()) << "after the lock-out";

    // Failures further apart than the window do not add up.
    for (int failure = 1; failure <= 4; ++failure)
        SignIn("DEMO", "senha-errada");
    SetNow("2024-05-15 10:32:00");
    SignIn("DEMO", "senha-errada");
    EXPECT_FALSE(SignIn("DEMO", "senha-demo").token.empty());
    const std::string log = Log("event=lockout");
    for (const char* event : {"event=signin client=127.0.0.1 operator=DEMO", "event=signin-refused client=127.0.0.1 "
                              "operator=NINGUEM", "event=lockout client=127.0.0.1 operator=DEMO"})
        EXPECT_NE(log.find(event), std::string::npos) << event;
}

TEST_P(SignInTest, AMachineTokenHasALabelAndAnEndIsListedWithoutItsSecretAndStopsOnceRevoked) {
    Start({"--token-cache-seconds", "1"});
    const testkit::ProcessResult issued =
        Admin({"token", "--operator", "DEMO", "--label", "caixa 3", "--expires", "30"});
    ASSERT_EQ(issued.exitStatus, 0) << issued.err;
    const std::string secret = issued.out.substr(0, issued.out.find('\n'));
    EXPECT_EQ(CallWith(secret).first, 0);
    const testkit::ProcessResult list = Admin({"token", "list"});
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    EXPECT_EQ(list.out.find(secret), std::string::npos) << "never the secret";
    const auto db = m_server->Database().Connect();
    const std::string hash = db->Query("SELECT TOKENHASH FROM OPERTOKEN WHERE DSROTULO = 'caixa 3'").Text(0, "TOKENHASH");
    EXPECT_EQ(list.out.find(hash), std::string::npos) << "nor its hash";
    const std::string id = sqldb::AsText(db->Query("SELECT IDTOKEN FROM OPERTOKEN WHERE DSROTULO = 'caixa 3'").At(0, "IDTOKEN"));
    EXPECT_NE(list.out.find(id + "\tmachine\tDEMO\tcaixa 3\t"), std::string::npos) << list.out;

    const testkit::ProcessResult revoked = Admin({"token", "revoke", id});
    EXPECT_EQ(revoked.exitStatus, 0) << revoked.err;
    EXPECT_NE(revoked.err.find("event=revoke id=" + id + " operator=DEMO"), std::string::npos) << revoked.err;
    std::this_thread::sleep_for(1200ms); // the token cache's lifetime
    EXPECT_EQ(CallWith(secret).first, 2);
    EXPECT_EQ(Admin({"token", "revoke", id}).exitStatus, 1) << "revoked already";

    const testkit::ProcessResult month = Admin({"token", "--operator", "VEND01", "--expires", "30"});
    const std::string monthly = month.out.substr(0, month.out.find('\n'));
    EXPECT_EQ(CallWith(monthly).first, 0);
    SetNow("2024-06-15 10:00:00");
    std::this_thread::sleep_for(1200ms);
    EXPECT_EQ(CallWith(monthly), kExpired) << "past its thirty days";
}

TEST_P(SignInTest, ThePasswordIsAnArgon2idHashAndChangingItTouchesNothingElse) {
    Start();
    const auto db = m_server->Database().Connect();
    const std::string hash = db->Query("SELECT DSHASH FROM OPERSENHA WHERE CDOPERADOR = 'DEMO'").Text(0, "DSHASH");
    ASSERT_GE(sodium_init(), 0);
    EXPECT_TRUE(hash.starts_with("$argon2id$")) << hash;
    EXPECT_EQ(crypto_pwhash_str_verify(hash.c_str(), "senha-demo", 10), 0);
    const SignInAnswer before = SignIn("DEMO", "senha-demo");

    // As an administrator does it: the password on standard input, never on the command line.
    const testkit::ProcessResult changed = Admin({"passwd", "--operator", "DEMO"}, "nova-senha\n");
    ASSERT_EQ(changed.exitStatus, 0) << changed.err;
    EXPECT_FALSE(SignIn("DEMO", "nova-senha").token.empty());
    EXPECT_EQ(SignIn("DEMO", "senha-demo").code, 12);
    EXPECT_EQ(CallWith(before.token).first, 0) << "the session signed in before goes on";
    EXPECT_FALSE(SignIn("VEND01", "senha-vend01").token.empty()) << "another operator's password is his";
    const testkit::ProcessResult nobody = Admin({"passwd", "--operator", "NINGUEM"}, "x\n");
    EXPECT_EQ(nobody.exitStatus, 1);
}

// A guesser's address is slowed to the documented rate (a burst of 10, then 30 a minute); another
// address, a signed-in operator's, is served at once meanwhile.
TEST_P(SignInTest, AThousandWrongTokensFromOneAddressAreSlowedWhileAnotherAddressIsServed) {
    Start({"--auth-burst", "10", "--auth-per-minute", "30"});
    const SignInAnswer session = SignIn("DEMO", "senha-demo");
    ASSERT_FALSE(session.token.empty());
    const auto request = [](const std::string& token) {
        const std::string body = Request("GetParamPedido", {"0001"}).dump();
        return "POST " + RpcPath + " HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + token +
               "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
               body;
    };
    std::atomic<int> checked = 0, slowed = 0;
    const auto start = Clock::now();
    auto guessing = std::async(std::launch::async, [&] {
        for (int guess = 0; guess < 1000; ++guess) {
            RawConnection connection(m_server->Port(), "127.0.0.1");
            connection.Send(request("palpite" + std::to_string(guess)));
            const auto answer = connection.Read(5s);
            (answer && answer->status == 429 ? slowed : checked)++;
        }
    });
    std::this_thread::sleep_for(200ms);
    RawConnection operatorConnection(m_server->Port(), "127.0.0.2");
    const auto asked = Clock::now();
    ASSERT_TRUE(operatorConnection.Send(request(session.token)));
    const auto answer = operatorConnection.Read(5s);
    EXPECT_LT(Clock::now() - asked, 1s);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    guessing.get();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LE(checked.load(), 10 + static_cast<int>(seconds * 30.0 / 60.0) + 1) << "in " << seconds << " s";
    EXPECT_GE(slowed.load(), 900);
    // The log is written behind the answers: wait for both lines, in whatever order they land.
    const std::string slowedGuess = "event=slowed client=127.0.0.1";
    const std::string servedOperator = "client=127.0.0.2 method=GetParamPedido operator=DEMO";
    const std::string log = m_server->LogWhen([&](const std::string& text) {
        return text.find(slowedGuess) != std::string::npos && text.find(servedOperator) != std::string::npos;
    });
    EXPECT_NE(log.find(slowedGuess), std::string::npos);
    EXPECT_NE(log.find(servedOperator), std::string::npos);
}

TEST_P(SignInTest, BehindATrustedProxyTheClientIsTheOneTheProxyNames) {
    Start({"--trusted-proxy", "127.0.0.1/32"});
    const SignInAnswer session = SignIn("DEMO", "senha-demo");
    const auto request = [&](const std::string& headers) {
        const std::string body = Request("GetParamPedido", {"0001"}).dump();
        return "POST " + RpcPath + " HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + session.token + "\r\n" + headers +
               "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    };
    struct Case {
        const char* from;
        std::string headers;
        const char* client;
    };
    for (const Case& c : {Case{"127.0.0.1", "X-Real-IP: 10.9.8.7\r\n", "10.9.8.7"},
                          Case{"127.0.0.1", "X-Forwarded-For: 1.2.3.4, 10.9.8.6\r\n", "10.9.8.6"},
                          Case{"127.0.0.2", "X-Real-IP: 10.9.8.5\r\n", "127.0.0.2"}}) {
        RawConnection connection(m_server->Port(), c.from);
        connection.Send(request(c.headers));
        EXPECT_TRUE(connection.Read(5s)) << c.from;
        EXPECT_NE(Log(std::string("client=") + c.client + " ").find(std::string("client=") + c.client +
                                                                      " method=GetParamPedido"),
                  std::string::npos)
            << c.from << " " << c.headers;
    }
}

TESTKIT_ON_BOTH_BACKENDS(SignInTest);

} // namespace
} // namespace rpctest
