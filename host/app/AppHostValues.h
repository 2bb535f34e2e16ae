#pragma once

#include "HostValues.h"
#include "app/HostOptions.h"

#include <functional>
#include <string>

namespace host {

// The host's answers to the support library's host values, from the options the host started
// with and the branch's name in the shared lookup database.
class AppHostValues : public HostValues {
public:
    using ScreenOpener = std::function<void(const std::string& code)>;
    using ParameterOpener = std::function<void(const std::string& code, const std::string& parameter)>;

    // The branch code is zero-padded to its four characters, as the database stores it.
    AppHostValues(const HostOptions& options, ScreenOpener opener);
    // `opener` also receives the parameter LoadBPL was given.
    AppHostValues(const HostOptions& options, ParameterOpener opener);

    // Reads the branch's name (FILIAL) through the open shared lookup session; an unknown branch,
    // or a server out of reach, leaves the name empty.
    void ReadBranchName();

    std::string FiliProc() const override { return m_branch; }
    std::string NomeFiliProc() const override { return m_branchName; }
    bool ModuFili() const override { return m_options.FixedBranch; }
    std::string Operador() const override { return m_options.Operator; }
    std::string Token() const override { return m_options.Token; }
    // A new sign-in: who works now, and the session's token.
    void SetSession(const std::string& operatorCode, const std::string& token);
    // Runs when a call found the session ended (the host offers a new sign-in).
    std::function<void()> OnSessionExpired;
    void SessionExpired() override;
    std::string WebURL() const override { return m_options.ServerHost; }
    int WebPort() const override { return m_options.ServerPort; }
    std::string CaFile() const override { return m_options.CaFile; }
    std::string DBPict(int kind) const override { return kind == 0 ? m_options.ProductMask : ""; }
    bool PlainHttpAllowed() const override { return m_options.InsecurePlainHttp; }
    // The parameter reaches the screen's entry when the module's entries take one.
    void LoadBPL(const std::string& code, const std::string& parameter) override;

private:
    HostOptions m_options;
    ParameterOpener m_opener;
    std::string m_branch;
    std::string m_branchName;
};

} // namespace host
