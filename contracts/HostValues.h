#pragma once

#include <string>

// What the host application tells the module: who works, where, and how to reach the server.
// The host (or a test) implements it and installs it with Morvale::InstallHostValues.
class HostValues {
public:
    virtual ~HostValues() = default;

    virtual std::string FiliProc() const = 0;
    virtual std::string NomeFiliProc() const = 0;
    // True when the operator may not change the branch.
    virtual bool ModuFili() const = 0;
    virtual std::string Operador() const = 0;
    // The operator's bearer token for the application server.
    virtual std::string Token() const = 0;
    virtual std::string WebURL() const = 0;
    virtual int WebPort() const = 0;
    // PEM file of the authorities trusted for https:// servers; empty: the system's store.
    virtual std::string CaFile() const { return {}; }
    // A picture (mask) by kind; kind 0 is the product tree code, e.g. "9.99.999".
    virtual std::string DBPict(int kind) const = 0;
    // Whether http:// may reach a server other than this machine (tokens then cross the network
    // in clear text); off unless the host was told so.
    virtual bool PlainHttpAllowed() const { return false; }
    // A call was refused because the operator's sign-in session ended: the host offers a new one.
    virtual void SessionExpired() {}
    // Opens another module's screen by its code with one parameter.
    virtual void LoadBPL(const std::string& code, const std::string& parameter) = 0;
};
