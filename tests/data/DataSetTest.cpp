#include "data/DataSet.h"

#include "data/ControlsDisabledScope.h"
#include "data/DataSetError.h"
#include "data/DateTime.h"
#include "data/PaintedRowScope.h"
#include "data/ScopedDetach.h"

#include <gtest/gtest.h>

using namespace data;

namespace {

// Orders with a text key, a name with accents, a date and a quantity.
class Orders : public ::testing::Test {
protected:
    void SetUp() override {
        ds.SetName("cdsPedido");
        ds.AddField("NRPEDIDO", FieldType::String, 10);
        ds.AddField("NMFANTCLIE", FieldType::String, 50);
        ds.AddField("DTPEDIDO", FieldType::Date);
        ds.AddField("QTITEMPED", FieldType::Float);
        ds.AddField("IDCHECK", FieldType::String, 1);
        ds.AfterScroll = [this](DataSet& sender) {
            scrolls.push_back(sender.FieldByName("NRPEDIDO").AsString());
        };
    }

    static Packet MakePacket(std::vector<std::vector<Value>> rows) {
        Packet packet;
        packet.Fields = {{"NRPEDIDO", FieldType::String, 10},
                         {"NMFANTCLIE", FieldType::String, 50},
                         {"DTPEDIDO", FieldType::Date, 0},
                         {"QTITEMPED", FieldType::Float, 0},
                         {"IDCHECK", FieldType::String, 1}};
        packet.Rows = std::move(rows);
        return packet;
    }

    static Packet ThreeOrders() {
        return MakePacket({{"0000000003", "Zélia", EncodeDate(2024, 5, 10), 2.0, "N"},
                           {"0000000001", "álvaro", EncodeDate(2024, 1, 2), 10.0, "N"},
                           {"0000000002", "Álvaro", EncodeDate(2023, 12, 31), 5.0, "N"}});
    }

    std::vector<std::string> Keys() {
        std::vector<std::string> keys;
        for (int row = 0; row < ds.RecordCount(); ++row) {
            PaintedRowScope painted(ds, row);
            keys.push_back(ds.FieldByName("NRPEDIDO").AsString());
        }
        return keys;
    }

    DataSet ds;
    std::vector<std::string> scrolls;
};

} // namespace

TEST_F(Orders, LoadRunsAfterOpenThenOneScrollOnTheFirstRow) {
    std::vector<std::string> events;
    ds.AfterOpen = [&](DataSet&) { events.push_back("open"); };
    ds.LoadFromPacket(ThreeOrders());
    EXPECT_EQ(events, std::vector<std::string>{"open"});
    EXPECT_EQ(scrolls, std::vector<std::string>{"0000000003"});
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.RecordCount(), 3);

    scrolls.clear();
    ds.LoadFromPacket(MakePacket({}));
    EXPECT_TRUE(scrolls.empty());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_TRUE(ds.Eof() && ds.Bof());
}

TEST_F(Orders, EveryCursorMoveRunsAfterScrollOnceAndPaintedReadsNever) {
    ds.LoadFromPacket(ThreeOrders());
    scrolls.clear();
    ds.Next();
    ds.Next();
    ds.Next(); // at the end: no move, no event
    EXPECT_TRUE(ds.Eof());
    ds.Prior();
    ds.First();
    ds.Prior(); // at the start: no move, no event
    EXPECT_TRUE(ds.Bof());
    ds.Last();
    ds.MoveBy(-2);
    ds.SetRecNo(2);
    EXPECT_EQ(scrolls, (std::vector<std::string>{"0000000001", "0000000002", "0000000001", "0000000003",
                                                 "0000000002", "0000000003", "0000000001"}));
    scrolls.clear();
    EXPECT_EQ(Keys(), (std::vector<std::string>{"0000000003", "0000000001", "0000000002"}));
    EXPECT_TRUE(scrolls.empty());
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName("NRPEDIDO").AsString(), "0000000001");
    EXPECT_THROW(PaintedRowScope(ds, 3), DataSetError);
    EXPECT_THROW(ds.SetRecNo(4), DataSetError);
}

TEST_F(Orders, WalkingFromFirstToEofVisitsEveryRowOnce) {
    ds.LoadFromPacket(ThreeOrders());
    int visited = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        ++visited;
    }
    EXPECT_EQ(visited, 3);
}

TEST_F(Orders, LocateMovesOnAHitAndStaysSilentlyOnAMiss) {
    ds.LoadFromPacket(ThreeOrders());
    scrolls.clear();
    EXPECT_TRUE(ds.Locate("NMFANTCLIE", Value("ÁLVARO"), true));
    EXPECT_EQ(ds.RecNo(), 2); // the first row in display order that matches
    EXPECT_FALSE(ds.Locate("NMFANTCLIE", Value("zélia"), false));
    EXPECT_FALSE(ds.Locate("NMFANTCLIE", Value("Zél"), true)); // whole values only
    EXPECT_FALSE(ds.Locate("NRPEDIDO", Value("9"), true));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_TRUE(ds.Locate("NMFANTCLIE", Value("Álvaro"), false));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_TRUE(ds.Locate("NMFANTCLIE", Value("Álvaro"), false)); // onto the current row: still a move
    EXPECT_TRUE(ds.Locate("QTITEMPED", Value(std::int64_t{2}), false));
    EXPECT_TRUE(ds.Locate("DTPEDIDO", Value(EncodeDate(2024, 1, 2)), false));
    EXPECT_EQ(scrolls, (std::vector<std::string>{"0000000001", "0000000002", "0000000002", "0000000003",
                                                 "0000000001"}));
    EXPECT_THROW(ds.Locate("NOPE", Value("x"), true), DataSetError);
}

TEST_F(Orders, EditAndPostChangeOnlyTheFieldSet) {
    ds.LoadFromPacket(ThreeOrders());
    ds.Next();
    const Packet before = ds.ToPacket();
    EXPECT_THROW(ds.FieldByName("IDCHECK").SetAsString("S"), DataSetError);
    ds.Edit();
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    ds.FieldByName("IDCHECK").SetAsString("S");
    EXPECT_EQ(ds.FieldByName("IDCHECK").AsString(), "S");
    ds.Post();
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    Packet expected = before;
    expected.Rows[1][4] = Value("S");
    EXPECT_EQ(ds.ToPacket().Rows, expected.Rows);

    ds.Edit();
    ds.FieldByName("QTITEMPED").SetAsFloat(99);
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("QTITEMPED").AsFloat(), 10.0);
}

TEST_F(Orders, TextIsCutToTheSizeInCharacters) {
    DataSet small;
    small.AddField("SG", FieldType::String, 3);
    Packet packet;
    packet.Fields = {{"SG", FieldType::String, 10}};
    packet.Rows = {{Value("ação")}};
    small.LoadFromPacket(packet);
    EXPECT_EQ(small.FieldByName("SG").AsString(), "açã");
    small.Edit();
    small.FieldByName("SG").SetAsString("çççç");
    EXPECT_EQ(small.FieldByName("SG").AsString(), "ççç");
}

TEST_F(Orders, ValuesReadAsEachTypeAndShowTheirDisplayText) {
    ds.FieldByName("QTITEMPED").SetDisplayFormat("######0.000");
    ds.LoadFromPacket(MakePacket({{"1", Value{}, EncodeDate(2024, 5, 10), 0.999, Value{}}}));
    const Field& qty = ds.FieldByName("QTITEMPED");
    EXPECT_EQ(qty.AsString(), "0.999");
    EXPECT_EQ(qty.DisplayText(), "0,999");
    EXPECT_EQ(qty.AsInteger(), 1);
    EXPECT_EQ(ds.FieldByName("DTPEDIDO").AsString(), "10/05/2024");
    EXPECT_TRUE(ds.FieldByName("NMFANTCLIE").IsNull());
    EXPECT_EQ(ds.FieldByName("NMFANTCLIE").AsString(), "");
    ds.FieldByName("NMFANTCLIE").OnGetText = [](Field&, std::string& text, bool) { text = "<" + text + ">"; };
    EXPECT_EQ(ds.FieldByName("NMFANTCLIE").DisplayText(), "<>");
    ds.Edit();
    ds.FieldByName("DTPEDIDO").SetAsString("29/02/2024");
    EXPECT_EQ(ds.FieldByName("DTPEDIDO").AsDateTime(), EncodeDate(2024, 2, 29));
    EXPECT_THROW(ds.FieldByName("DTPEDIDO").SetAsString("30/02/2024"), DataSetError);
    EXPECT_THROW(ds.FieldByName("QTITEMPED").SetValue(Value(true)), DataSetError);
}

TEST_F(Orders, CalculatedFieldsAreComputedAfterLoadAndAfterPost) {
    DataSet items;
    items.AddField("QTITEMPED", FieldType::Float);
    items.AddField("VRPREUNITPED", FieldType::Float);
    items.AddField("VrTotal", FieldType::Float).SetCalculated(true);
    int calculations = 0;
    items.OnCalcFields = [&](DataSet& sender) {
        ++calculations;
        EXPECT_EQ(sender.State(), DataSetState::CalcFields);
        EXPECT_THROW(sender.FieldByName("QTITEMPED").SetAsFloat(1), DataSetError);
        sender.FieldByName("VrTotal").SetAsFloat(sender.FieldByName("QTITEMPED").AsFloat() *
                                                 sender.FieldByName("VRPREUNITPED").AsFloat());
    };
    Packet packet;
    packet.Fields = {{"QTITEMPED", FieldType::Float, 0}, {"VRPREUNITPED", FieldType::Float, 0}};
    packet.Rows = {{3.0, 0.333}, {Value{}, 2.0}};
    items.LoadFromPacket(packet);
    EXPECT_EQ(calculations, 2);
    items.FieldByName("VrTotal").SetDisplayFormat("###0.00");
    EXPECT_EQ(items.FieldByName("VrTotal").DisplayText(), "1,00");
    items.Next();
    EXPECT_EQ(items.FieldByName("VrTotal").AsFloat(), 0.0);
    {
        ScopedDetach detach(items.OnCalcFields);
        items.Edit();
        items.FieldByName("QTITEMPED").SetAsFloat(4);
        items.Post();
        EXPECT_FALSE(items.OnCalcFields);
    }
    EXPECT_EQ(calculations, 2);
    EXPECT_EQ(items.FieldByName("VrTotal").AsFloat(), 0.0);
    items.Edit();
    items.Post();
    EXPECT_EQ(calculations, 3);
    EXPECT_EQ(items.FieldByName("VrTotal").AsFloat(), 8.0);
    EXPECT_EQ(items.ToPacket().Fields.size(), 2u);
}

TEST_F(Orders, SortsStablyByFoldedTextDateAndNumberAndKeepsTheOrderAcrossReloads) {
    ds.LoadFromPacket(MakePacket({{"1", "bruno", EncodeDate(2024, 3, 1), 3.0, "N"},
                                  {"2", "Álvaro", EncodeDate(2024, 1, 1), 1.0, "N"},
                                  {"3", Value{}, EncodeDate(2023, 1, 1), -1.0, "N"},
                                  {"4", "alvaro", Value{}, 1.0, "N"},
                                  {"5", "Ávila", EncodeDate(2024, 1, 1), 20.0, "N"}}));
    ds.SetRecNo(4);
    scrolls.clear();
    ds.SetIndexFieldNames("NMFANTCLIE");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"3", "2", "4", "5", "1"}));
    EXPECT_EQ(ds.FieldByName("NRPEDIDO").AsString(), "4"); // the cursor stays on its row
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_TRUE(scrolls.empty());
    ds.SetIndexFieldNames("DTPEDIDO");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"4", "3", "2", "5", "1"}));
    ds.SetIndexFieldNames("QTITEMPED");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"3", "2", "4", "1", "5"}));
    ds.SetIndexFieldNames("NMFANTCLIE");
    ds.LoadFromPacket(ThreeOrders());
    EXPECT_EQ(Keys(), (std::vector<std::string>{"0000000001", "0000000002", "0000000003"}));
    EXPECT_EQ(scrolls.back(), "0000000001");
    ds.SetIndexFieldNames("");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"0000000003", "0000000001", "0000000002"}));
    EXPECT_THROW(ds.SetIndexFieldNames("NOPE"), DataSetError);
}

TEST_F(Orders, DisabledControlsHearNothingUntilTheLastEnableThenOneDataChanged) {
    ds.LoadFromPacket(ThreeOrders());
    std::vector<DataSetChange> heard;
    const int id = ds.Subscribe([&](DataSetChange change) { heard.push_back(change); });
    ds.Next();
    EXPECT_EQ(heard, std::vector<DataSetChange>{DataSetChange::Scrolled});
    heard.clear();
    ds.DisableControls();
    {
        ControlsDisabledScope inner(ds);
        EXPECT_TRUE(ds.ControlsDisabled());
        ds.Next();
        ds.Edit();
        ds.FieldByName("IDCHECK").SetAsString("S");
        ds.Post();
    }
    EXPECT_TRUE(ds.ControlsDisabled());
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(scrolls.back(), "0000000002"); // events still run while disabled
    ds.EnableControls();
    EXPECT_EQ(heard, std::vector<DataSetChange>{DataSetChange::DataChanged});
    ds.EnableControls(); // an extra enable does not underflow
    ds.DisableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(heard.size(), 1u); // nothing happened during the last disable
    ds.Unsubscribe(id);
    ds.Next();
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(Orders, CloseEmptiesTheRowsAndCursorMovesOnAClosedDatasetFail) {
    ds.LoadFromPacket(ThreeOrders());
    ds.SetFilter("IDCHECK = 'S'");
    ds.Close();
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_EQ(ds.Filter(), "IDCHECK = 'S'");
    EXPECT_THROW(ds.First(), DataSetError);
    ds.Open();
    EXPECT_TRUE(ds.Active());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_THROW(ds.Edit(), DataSetError);
    EXPECT_THROW(ds.AddField("X", FieldType::String, 1), DataSetError);
}
