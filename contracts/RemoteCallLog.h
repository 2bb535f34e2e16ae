#pragma once

#include "RemoteArg.h"

#include <map>
#include <string>
#include <vector>

// What the module asked of the application server, for the host's scripts: how many calls of
// each method were sent since the last reset, and the arguments of each method's last call as
// text (a date as YYYY-MM-DD or "" for none, a packet as its row count). A reset forgets both.
class RemoteCallLog {
public:
    static RemoteCallLog& Instance();

    void Record(const std::string& method, const std::vector<RemoteArg>& args);
    void Reset();
    // Calls of the method since the last reset; "*" counts every method but the information reads.
    int Count(const std::string& method) const;
    // The reads behind the screen's information line (who is editing an order, a commitment's
    // balance): they decide nothing, so "*" leaves them out and they are counted by name only.
    static bool IsInformationRead(const std::string& method);
    // The arguments of the method's last call; empty when it was not called.
    std::vector<std::string> LastArgs(const std::string& method) const;

    static std::string ArgText(const RemoteArg& arg);

private:
    std::map<std::string, int> m_counts;
    std::map<std::string, std::vector<std::string>> m_lastArgs;
};
