#include "RemoteCallLog.h"

#include "data/DateTime.h"

RemoteCallLog& RemoteCallLog::Instance() {
    static RemoteCallLog log;
    return log;
}

void RemoteCallLog::Record(const std::string& method, const std::vector<RemoteArg>& args) {
    ++m_counts[method];
    std::vector<std::string>& texts = m_lastArgs[method];
    texts.clear();
    for (const RemoteArg& arg : args)
        texts.push_back(ArgText(arg));
}

void RemoteCallLog::Reset() {
    m_counts.clear();
    m_lastArgs.clear();
}

bool RemoteCallLog::IsInformationRead(const std::string& method) {
    return method == "GetBloqueioPedido" || method == "GetSaldoEmpenho";
}

int RemoteCallLog::Count(const std::string& method) const {
    if (method != "*") {
        const auto found = m_counts.find(method);
        return found == m_counts.end() ? 0 : found->second;
    }
    int all = 0;
    for (const auto& [name, count] : m_counts) {
        if (!IsInformationRead(name))
            all += count;
    }
    return all;
}

std::vector<std::string> RemoteCallLog::LastArgs(const std::string& method) const {
    const auto found = m_lastArgs.find(method);
    return found == m_lastArgs.end() ? std::vector<std::string>{} : found->second;
}

std::string RemoteCallLog::ArgText(const RemoteArg& arg) {
    if (const auto* text = std::get_if<std::string>(&arg))
        return *text;
    if (const auto* date = std::get_if<RemoteDate>(&arg))
        return date->Value == 0 ? std::string() : data::DateToIso(date->Value);
    return std::to_string(std::get<data::Packet>(arg).Rows.size());
}
