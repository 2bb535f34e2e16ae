#pragma once

#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"

#include <cstddef>
#include <string>

namespace orderload {

// The demo order number n as the server stores it: ten digits, zero-padded.
std::string OrderNumber(int n);

// Fills the dialog's server parameters so that GetPedido returns every order of the branch.
void AskForEverything(TfrmFiltroCancelaPed& dialog, const std::string& branch);

// The position of the packet's field of that name (the field count when there is none).
std::size_t ColumnOf(const data::Packet& packet, const std::string& name);

// IDCHECK of the order in the loaded orders, read without moving the cursor.
std::string MarkOf(const TfrmCancelaPed& screen, const std::string& nrPedido);

// Runs a statement on the server's database directly, behind the server.
void Execute(const testkit::ServerProcess& server, const std::string& sql);

// A counter of the server's /metrics (0 when the series is absent).
double Metric(const testkit::ServerProcess& server, const std::string& series);

// The ok calls of one remote method so far.
double OkCalls(const testkit::ServerProcess& server, const std::string& method);

// What the load check leaves on demo orders of branch 0001 (which controls commitments), one
// order of each shape, and why.
struct ExpectedMark {
    int Order;
    const char* Mark;
    const char* Why;
};
extern const ExpectedMark DemoMarks[12];

} // namespace orderload

// A screen on a branch fixed by the host, whose filter dialog asks for every order.
class OrderLoadTest : public ScreenTest {
protected:
    TfrmCancelaPed& OpenOn(const std::string& branch);
    // The refresh button's handler as one event; true when it ended normally.
    bool Refresh(TfrmCancelaPed& screen);
    // Loads branch 0001 again once the items can no longer be read (their products' table renamed
    // away on the server's database): the load fails with one message and leaves no order the
    // check did not reach, and a screen that works.
    void ExpectAFailedItemReadToFailTheLoad();
    // The walk decides every order but the last on its items' packet, and the last on the items
    // dataset it leaves loaded: each order of the table, loaded alone and so walked last, gets the
    // mark the whole branch's load gives it.
    void ExpectEveryOrderAloneToGetTheMarkOfTheWholeLoad();
};
