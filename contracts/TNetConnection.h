#pragma once

#include "RemoteArg.h"
#include "RemoteCall.h"
#include "RemoteResult.h"
#include "protocol/RemoteModules.h"
#include "ui/Component.h"

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace pedclient {
class FailoverClient;
class RpcClientError;
}
class RemoteResultReader;

// The channel to the application server: a keep-alive JSON-RPC client created by Open. Opening
// does not contact the server; a call to a server that is down or that answers nonsense comes
// back as a failed RemoteResult with a Portuguese message (or throws, with RaiseOnError on).
// The host may be a comma-separated list of servers ("https://a:8443,https://b:8443"; an entry
// without a port takes Port()): a call that could not be sent goes to the next one, a change
// whose answer was lost is never repeated (the operator is told to reload).
class TNetConnection : public ui::Component {
public:
    // The remote data modules this client speaks to: the cancellation module and the order report
    // (and the shared lookup session's, protocol::LookupModule).
    static constexpr std::string_view KnownServerName = protocol::CancelaPedidoModule;
    static constexpr std::string_view ReportServerName = protocol::RelPedidoModule;

    explicit TNetConnection(std::string name = {});
    ~TNetConnection() override;

    const std::string& Host() const { return m_host; }
    void SetHost(std::string host);
    int Port() const { return m_port; }
    void SetPort(int port);
    const std::string& ServerName() const { return m_serverName; }
    void SetServerName(std::string serverName);
    bool RaiseOnError() const { return m_raiseOnError; }
    void SetRaiseOnError(bool raiseOnError);
    std::chrono::milliseconds ConnectTimeout() const { return m_connectTimeout; }
    void SetConnectTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds ReadTimeout() const { return m_readTimeout; }
    void SetReadTimeout(std::chrono::milliseconds timeout);
    // Whether calls go to RemoteCallLog (on by default).
    bool RecordsCalls() const { return m_recordsCalls; }
    void SetRecordsCalls(bool records);

    // Runs before each connect; the screen sets the host and port here.
    std::function<void(TNetConnection& sender)> BeforeConnect;

    bool Connected() const { return m_client != nullptr; }
    // Runs BeforeConnect, then creates the client with the operator's token from the host values.
    // Throws for an incomplete address or an unknown server name. Does nothing when connected.
    void Open();
    void Close();

    // Calls a method of the remote data module with positional arguments. A `Get...` answer fills
    // Packet, a `Set...` answer fills Rows; an answer of the other shape is a failure.
    RemoteResult Call(const std::string& method, const std::vector<RemoteArg>& args);
    // Sends the calls as JSON-RPC batches of at most the server's batch size, two exchanges at a
    // time on two connections, and returns one result per call, in order; each call succeeds or
    // fails on its own. A failure of an exchange itself fails its calls (or throws, with
    // RaiseOnError).
    std::vector<RemoteResult> CallBatch(const std::vector<RemoteCall>& calls);
    // The most calls one exchange carries; the server's own limit.
    static constexpr std::size_t MaxBatchCalls = 100;

    // A batch on its way: StartBatch sent it, FinishBatch takes its results on the thread that
    // sent it. Dropped unfinished, it waits for its exchanges and forgets their answers.
    class PendingBatch {
    public:
        PendingBatch();
        PendingBatch(PendingBatch&&) noexcept;
        PendingBatch& operator=(PendingBatch&&) noexcept;
        ~PendingBatch();

    private:
        friend class TNetConnection;
        struct State;
        std::unique_ptr<State> m_state;
    };
    // CallBatch in two halves, so that the caller works while the server answers. Any other call
    // on the connection first waits for the exchanges on their way; the operator hears of a
    // failure, and the host of an expired session, only when the results are taken.
    PendingBatch StartBatch(const std::vector<RemoteCall>& calls);
    std::vector<RemoteResult> FinishBatch(PendingBatch batch);
    // The results of the batch's next `count` calls (fewer when fewer are left), waiting only for
    // the exchanges that carry them: the calls behind them stay on their way.
    std::vector<RemoteResult> TakeResults(PendingBatch& batch, std::size_t count);

private:
    // One batch exchange of calls [first, last) (in the source file).
    struct BatchExchange;

    std::unique_ptr<pedclient::FailoverClient> NewClient() const;
    // Calls go out with the host's current token, which a new sign-in changes.
    void FollowToken();
    // The operator's message for a failed exchange; tells the host of an expired session.
    std::string Refused(const pedclient::RpcClientError& error) const;
    RemoteResult Failed(std::string message) const;
    // The answer as a result, or a failure naming the server when it has the wrong shape.
    RemoteResult Answered(const std::string& method, RemoteResultReader& result) const;
    // The requests of calls [first, last), recorded in the call log; or the failure of them all.
    BatchExchange Prepared(const std::vector<RemoteCall>& calls, std::size_t first, std::size_t last) const;
    // Waits for the exchange's answers and appends one result per call.
    void Collect(BatchExchange& exchange, std::vector<RemoteResult>& results) const;
    std::string Address() const;

    std::string m_host;
    int m_port = 0;
    std::string m_serverName;
    bool m_raiseOnError = false;
    bool m_recordsCalls = true;
    std::chrono::milliseconds m_connectTimeout{3000};
    std::chrono::milliseconds m_readTimeout{30000};
    std::unique_ptr<pedclient::FailoverClient> m_client;
    // The second connection of batch exchanges; like the first, it connects at its first call.
    std::unique_ptr<pedclient::FailoverClient> m_second;
    // The exchanges of started batches still using the two connections, one lane each.
    std::vector<std::shared_future<void>> m_lanes;
    // Waits until no started batch uses the connections.
    void WaitForLanes();
};
