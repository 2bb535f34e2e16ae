#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/RowPass.h"
#include "data/ScopedDetach.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace data;

namespace {

void Load(DataSet& ds, std::initializer_list<const char*> keys) {
    Packet packet;
    packet.Fields = {{"NRITEMPED", FieldType::String, 10}, {"IDCHECK", FieldType::String, 1}};
    for (const char* key : keys) {
        packet.Rows.push_back({key, "N"});
    }
    ds.LoadFromPacket(packet);
}

std::unique_ptr<DataSet> Items() {
    auto ds = std::make_unique<DataSet>("cdsItemPedido");
    ds->AddField("NRITEMPED", FieldType::String, 10);
    ds->AddField("IDCHECK", FieldType::String, 1);
    Load(*ds, {"a1", "B2", "c3"});
    return ds;
}

} // namespace

TEST(RowPass, RestoresTheCursorAndTheDisplayWhenThePassThrows) {
    auto ds = Items();
    ds->SetRecNo(2);
    int scrolls = 0;
    ds->AfterScroll = [&](DataSet&) { ++scrolls; };
    std::vector<DataSetChange> heard;
    ds->Subscribe([&](DataSetChange change) { heard.push_back(change); });
    EXPECT_THROW(
        {
            RowPass pass(*ds, "NRITEMPED");
            ScopedDetach detach(ds->AfterScroll);
            for (ds->First(); !ds->Eof(); ds->Next()) {
                ds->Edit();
                ds->FieldByName("IDCHECK").SetAsString("S");
                ds->Post();
                if (ds->RecNo() == 3) {
                    throw std::runtime_error("server failed");
                }
            }
        },
        std::runtime_error);
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_FALSE(ds->ControlsDisabled());
    EXPECT_EQ(scrolls, 1); // only the final locate, with the event re-attached
    EXPECT_EQ(heard, std::vector<DataSetChange>{DataSetChange::DataChanged});
}

TEST(RowPass, LocatesTheKeyWithoutCaseOrFallsBackToTheFirstRow) {
    auto ds = Items();
    ds->SetRecNo(2);
    {
        RowPass pass(*ds, "NRITEMPED");
        Load(*ds, {"x0", "b2", "c3"});
        pass.Restore();
    }
    EXPECT_EQ(ds->FieldByName("NRITEMPED").AsString(), "b2");
    {
        RowPass pass(*ds, "NRITEMPED");
        Load(*ds, {"x0", "y1"});
        ds->Last();
        pass.Restore();
    }
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST(DataSource, RebindingMovesTheSubscriptionAndReportsTheState) {
    auto orders = Items();
    auto items = Items();
    DataSource source("dtsPadrao");
    int stateChanges = 0;
    source.OnStateChange = [&](DataSource&) { ++stateChanges; };
    std::vector<DataSetChange> heard;
    source.Subscribe([&](DataSetChange change) { heard.push_back(change); });

    source.SetDataSet(orders.get());
    EXPECT_EQ(stateChanges, 1);
    EXPECT_EQ(heard, std::vector<DataSetChange>{DataSetChange::DataChanged});
    orders->Next();
    source.SetDataSet(items.get());
    EXPECT_EQ(stateChanges, 2);
    heard.clear();
    orders->Next(); // no longer bound: not heard
    items->Next();
    EXPECT_EQ(heard, std::vector<DataSetChange>{DataSetChange::Scrolled});
    items->Edit();
    EXPECT_EQ(stateChanges, 3);
    items->Post();
    EXPECT_EQ(stateChanges, 4);
    source.SetDataSet(items.get()); // unchanged: nothing runs
    EXPECT_EQ(stateChanges, 4);
}

TEST(DataSource, EitherSideMayBeDestroyedFirst) {
    auto ds = Items();
    auto source = std::make_unique<DataSource>();
    auto other = std::make_unique<DataSource>();
    source->SetDataSet(ds.get());
    other->SetDataSet(ds.get());
    int heard = 0;
    other->Subscribe([&](DataSetChange) { ++heard; });
    source.reset();
    ds->Next(); // the destroyed source is no longer subscribed
    EXPECT_EQ(heard, 1);
    ds.reset();
    EXPECT_EQ(other->GetDataSet(), nullptr);
    EXPECT_EQ(heard, 2); // told that its data went away
    other->SetDataSet(nullptr);
}
