#include "data/DataSet.h"
#include "data/DataSetError.h"
#include "data/DateTime.h"
#include "data/PacketCodec.h"
#include "data/PacketError.h"
#include "data/PacketReader.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace data;

namespace {

Packet EveryType() {
    Packet packet;
    packet.Fields = {{"NMCLIENTE", FieldType::String, 20}, {"QTITEMPED", FieldType::Float, 0},
                     {"NRITEM", FieldType::Integer, 0},    {"IDATIVO", FieldType::Boolean, 0},
                     {"DTPEDIDO", FieldType::Date, 0},     {"DTENTPED", FieldType::DateTime, 0}};
    packet.Rows = {
        {"Conceição \"Ltda\"\\\n", 2.5, std::int64_t{-7}, true, EncodeDate(2024, 2, 29),
         EncodeDateTime(1899, 12, 29, 6, 30, 15)},
        {Value{}, Value{}, Value{}, Value{}, Value{}, Value{}},
        {"", 0.1, std::int64_t{9007199254740993}, false, EncodeDate(1800, 1, 1),
         EncodeDateTime(2024, 5, 10, 0, 0, 0)},
    };
    return packet;
}

void ExpectSame(const Packet& a, const Packet& b) {
    ASSERT_EQ(a.Fields.size(), b.Fields.size());
    for (std::size_t i = 0; i < a.Fields.size(); ++i) {
        EXPECT_EQ(a.Fields[i].Name, b.Fields[i].Name);
        EXPECT_EQ(a.Fields[i].Type, b.Fields[i].Type);
        EXPECT_EQ(a.Fields[i].Size, b.Fields[i].Size);
    }
    EXPECT_EQ(a.Rows, b.Rows);
}

std::string Message(std::string_view json) {
    try {
        ParsePacket(json);
    } catch (const PacketError& error) {
        return error.what();
    }
    return "accepted";
}

} // namespace

TEST(PacketCodec, EveryTypeRoundTripsWithNullsAndAccents) {
    const Packet packet = EveryType();
    const std::string json = SerializePacket(packet);
    ExpectSame(ParsePacket(json), packet);
    EXPECT_NE(json.find("\"2024-02-29\""), std::string::npos);
    EXPECT_NE(json.find("\"1899-12-29T06:30:15\""), std::string::npos);
    EXPECT_NE(json.find("\"type\":\"string\",\"size\":20"), std::string::npos);
}

TEST(PacketCodec, ReadsTheDocumentedShape) {
    const Packet packet = ParsePacket(R"({"fields":[{"name":"NRPEDIDO","type":"string","size":10},
        {"name":"DTPEDIDO","type":"date"},{"name":"QTITEMPED","type":"float"}],
        "rows":[["0000000001","2024-05-10",2.0],["0000000002",null,3]]})");
    ASSERT_EQ(packet.Rows.size(), 2u);
    EXPECT_EQ(packet.Rows[0][1], Value(EncodeDate(2024, 5, 10)));
    EXPECT_EQ(packet.Rows[1][2], Value(3.0));
    EXPECT_EQ(packet.Rows[1][1], Value{});
}

TEST(PacketCodec, MalformedPacketsAreRejectedNamingTheProblem) {
    const std::string fields =
        R"({"fields":[{"name":"NR","type":"string","size":4},{"name":"DT","type":"date"}],)";
    const std::pair<std::string, std::string> cases[] = {
        {"{not json", "not valid JSON"},
        {"[]", "not a JSON object"},
        {R"({"rows":[]})", "\"fields\""},
        {R"({"fields":[]})", "\"rows\""},
        {R"({"fields":[{"type":"float"}],"rows":[]})", "field 1 has no \"name\""},
        {R"({"fields":[{"name":"X","type":"money"}],"rows":[]})",
         "field 1 ('X') has the unknown type \"money\""},
        {R"({"fields":[{"name":"X","type":"string"}],"rows":[]})", "field 1 ('X') is a string without"},
        {fields + R"("rows":[["a","2024-01-01"],["b"]]})", "row 2 does not hold 2 values"},
        {fields + R"("rows":[[1,"2024-01-01"]]})", "row 1, field 1 ('NR'): expected a string, got 1"},
        {fields + R"("rows":[["a","2024-02-30"]]})", "row 1, field 2 ('DT'): expected a date"},
        {R"({"fields":[{"name":"N","type":"integer"}],"rows":[[1.5]]})", "expected an integer, got 1.5"},
        {R"({"fields":[{"name":"B","type":"boolean"}],"rows":[["S"]]})", "expected true or false"},
        {fields + R"("rows":[[["a"],"2024-01-01"]]})",
         "row 1, field 1 ('NR'): expected a string, got an array"},
        {fields + R"("rows":[["a","2024-01-01","x"]]})", "row 1 does not hold 2 values"},
        {fields + R"("rows":[{"NR":"a"}]})", "row 1 does not hold 2 values"},
        {R"({"rows":[[1]],"fields":[{"name":"NR","type":"string","size":4}]})",
         "row 1, field 1 ('NR'): expected a string, got 1"},
        {R"({"rows":[["a","b"]],"fields":[{"name":"NR","type":"string","size":4}]})",
         "row 1 does not hold 1 values"},
        {R"({"fields":[{"name":["X"],"type":"float"}],"rows":[]})", "field 1 has no \"name\""},
        {R"({"fields":[{"name":"N","type":"integer"}],"rows":[[18446744073709551615]]})",
         "expected an integer, got 18446744073709551615"},
        {R"({"fields":{},"rows":[]})", "\"fields\""},
        {R"({"fields":[3],"rows":[]})", "field 1 is not an object"},
        {R"({"fields":[],"rows":[]} trailing)", "not valid JSON"},
        {"", "not valid JSON"},
        // Rows that disagree with an empty or shorter field list never reach past its end.
        {R"({"fields":[],"rows":[[[1]]]})", "row 1 does not hold 0 values"},
        {R"({"fields":[],"rows":[[{"a":1}]]})", "row 1 does not hold 0 values"},
        {R"({"fields":[],"rows":[[1]]})", "row 1 does not hold 0 values"},
        {R"({"fields":[],"rows":[[]]})", "accepted"},
        {fields + R"("rows":[["a","2024-01-01",["x"]]]})", "row 1 does not hold 2 values"},
        {fields + R"("rows":[["a",{"x":1}]]})",
         "row 1, field 2 ('DT'): expected a date \"YYYY-MM-DD\", got an object"},
        {R"({"rows":[[[1]]],"fields":[]})", "row 1 holds an object or array"},
        {R"({"rows":[[1]],"fields":[]})", "row 1 does not hold 0 values"},
    };
    for (const auto& [json, expected] : cases) {
        EXPECT_NE(Message(json).find(expected), std::string::npos) << json << " -> " << Message(json);
    }
}

TEST(PacketCodec, RowsBeforeFieldsAndUnknownMembersAreReadAsWell) {
    const Packet packet = ParsePacket(
        R"({"version":{"a":[1,{"b":2}]},"rows":[["0001","2024-05-10",3],["0002",null,1.5]],)"
        R"("fields":[{"name":"NR","type":"string","size":4,"hint":[1,2]},{"name":"DT","type":"date"},)"
        R"({"name":"QT","type":"float"}],"more":null})");
    ASSERT_EQ(packet.Fields.size(), 3u);
    EXPECT_EQ(packet.Fields[0].Size, 4);
    ASSERT_EQ(packet.Rows.size(), 2u);
    EXPECT_EQ(packet.Rows[0][0], Value(std::string("0001")));
    EXPECT_EQ(packet.Rows[0][1], Value(EncodeDate(2024, 5, 10)));
    EXPECT_EQ(packet.Rows[0][2], Value(3.0));
    EXPECT_EQ(packet.Rows[1][1], Value{});
}

TEST(DataSetPacket, TextIsReadStraightIntoTheRowsAsAParsedPacketWouldBe) {
    const auto declare = [](DataSet& ds) {
        ds.AddField("DTENTPED", FieldType::DateTime);
        ds.AddField("NMCLIENTE", FieldType::String, 5);
        ds.AddField("QTITEMPED", FieldType::Float);
        ds.AddField("TOTAL", FieldType::Float).SetCalculated(true);
    };
    const std::string text = SerializePacket(EveryType());
    DataSet fromText("cdsTexto");
    declare(fromText);
    fromText.LoadFromPacketText(text);
    DataSet fromPacket("cdsPacote");
    declare(fromPacket);
    fromPacket.LoadFromPacket(ParsePacket(text));
    EXPECT_EQ(fromText.ToPacket().Rows, fromPacket.ToPacket().Rows);
    EXPECT_EQ(fromText.FieldByName("NMCLIENTE").AsString(), "Conce") << "cut to the field's size";
    EXPECT_EQ(fromText.RecordCount(), 3);

    // A bad text or a packet that does not fit leaves the dataset as it was.
    EXPECT_THROW(fromText.LoadFromPacketText(text.substr(0, text.size() / 2)), PacketError);
    EXPECT_THROW(fromText.LoadFromPacketText(R"({"fields":[],"rows":[]})"), DataSetError);
    EXPECT_EQ(fromText.RecordCount(), 3);
    EXPECT_EQ(fromText.ToPacket().Rows, fromPacket.ToPacket().Rows);
}

TEST(DataSetPacket, LoadsMappedFieldsIgnoresExtrasAndProducesTheSamePacket) {
    DataSet ds("cds");
    ds.AddField("DTENTPED", FieldType::DateTime);
    ds.AddField("NMCLIENTE", FieldType::String, 20);
    ds.AddField("QTITEMPED", FieldType::Float);
    ds.AddField("TOTAL", FieldType::Float).SetCalculated(true);
    Packet packet = EveryType();
    ds.LoadFromPacket(packet);
    EXPECT_EQ(ds.FieldByName("NMCLIENTE").AsString(), "Conceição \"Ltda\"\\\n");
    const Packet out = ds.ToPacket();
    ASSERT_EQ(out.Fields.size(), 3u);
    EXPECT_EQ(out.Fields[0].Type, FieldType::DateTime);
    EXPECT_EQ(out.Rows[2][2], Value(0.1));
    EXPECT_EQ(out.Rows[1][1], Value{});
    DataSet copy;
    copy.AddField("DTENTPED", FieldType::DateTime);
    copy.AddField("NMCLIENTE", FieldType::String, 20);
    copy.AddField("QTITEMPED", FieldType::Float);
    copy.LoadFromPacket(ParsePacket(SerializePacket(out)));
    EXPECT_EQ(copy.ToPacket().Rows, out.Rows);
}

TEST(DataSetPacket, ConvertsDatesAndIntegersAndRejectsOtherMismatches) {
    DataSet ds("cdsItem");
    ds.AddField("DT", FieldType::DateTime);
    ds.AddField("QT", FieldType::Float);
    Packet packet;
    packet.Fields = {{"DT", FieldType::Date, 0}, {"QT", FieldType::Integer, 0}};
    packet.Rows = {{EncodeDate(2024, 5, 10), std::int64_t{3}}};
    ds.LoadFromPacket(packet);
    EXPECT_EQ(ds.FieldByName("QT").GetValue(), Value(3.0));
    EXPECT_EQ(ds.FieldByName("DT").AsDateTime(), EncodeDate(2024, 5, 10));

    packet.Rows.push_back({EncodeDate(2024, 5, 11), Value("x")});
    try {
        ds.LoadFromPacket(packet);
        FAIL() << "accepted a text in a float field";
    } catch (const DataSetError& error) {
        EXPECT_NE(std::string(error.what()).find("field 'QT' of dataset 'cdsItem', row 2"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(ds.RecordCount(), 1); // the failed load left the rows as they were

    packet.Fields[1].Type = FieldType::String;
    EXPECT_THROW(ds.LoadFromPacket(packet), DataSetError);
}

TEST(DataSetPacket, ADeclaredFieldMissingFromThePacketIsAnErrorNamingIt) {
    DataSet ds("cdsPedido");
    ds.AddField("NRPEDIDO", FieldType::String, 10);
    ds.AddField("NREMPENHO", FieldType::String, 20);
    Packet packet;
    packet.Fields = {{"NRPEDIDO", FieldType::String, 10}};
    try {
        ds.LoadFromPacket(packet);
        FAIL() << "accepted a packet without NREMPENHO";
    } catch (const DataSetError& error) {
        EXPECT_STREQ(error.what(), "field 'NREMPENHO' of dataset 'cdsPedido' is missing from the packet");
    }
    EXPECT_FALSE(ds.Active());
}

namespace {

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DataSetError& error) {
        return error.what();
    }
    return "accepted";
}

} // namespace

TEST(DataSetPacket, PacketValuesAreWhatALoadWouldStoreAndABadPacketFailsAsTheLoadWould) {
    DataSet ds("cdsItem");
    ds.AddField("NM", FieldType::String, 3);
    ds.AddField("QT", FieldType::Float);
    ds.AddField("TOTAL", FieldType::Float).SetCalculated(true);
    Packet packet;
    packet.Fields = {{"QT", FieldType::Integer, 0}, {"NM", FieldType::String, 10}};
    packet.Rows = {{std::int64_t{3}, "Conceição"}, {Value{}, Value{}}, {std::int64_t{-1}, "ab"}};

    EXPECT_EQ(ds.PacketValues(packet, "NM"), (std::vector<Value>{"Con", Value{}, "ab"}));
    EXPECT_EQ(ds.PacketValues(packet, "QT"), (std::vector<Value>{3.0, Value{}, -1.0}));
    EXPECT_EQ(ds.PacketValues(packet, "TOTAL"), std::vector<Value>(3));
    EXPECT_FALSE(ds.Active()) << "nothing is loaded";
    ds.LoadFromPacket(packet);
    const Packet stored = ds.ToPacket();
    for (std::size_t row = 0; row < stored.Rows.size(); ++row) {
        EXPECT_EQ(ds.PacketValues(packet, "NM")[row], stored.Rows[row][0]);
        EXPECT_EQ(ds.PacketValues(packet, "QT")[row], stored.Rows[row][1]);
    }

    struct Bad {
        const char* what;
        std::function<void(Packet&)> spoil;
    };
    const Bad bad[] = {
        {"a declared field missing", [](Packet& p) { p.Fields[1].Name = "OTHER"; }},
        {"a field of another type", [](Packet& p) { p.Fields[0].Type = FieldType::String; }},
        {"a row short of a value", [](Packet& p) { p.Rows[1].pop_back(); }},
        {"a text in a float field", [](Packet& p) { p.Rows[2][0] = "x"; }},
        {"a number in a text field", [](Packet& p) { p.Rows[0][1] = 1.5; }},
    };
    for (const Bad& b : bad) {
        Packet spoilt = packet;
        b.spoil(spoilt);
        const std::string asked = FailureOf([&] { ds.PacketValues(spoilt, "NM"); });
        EXPECT_NE(asked, "accepted") << b.what;
        EXPECT_EQ(asked, FailureOf([&] { ds.LoadFromPacket(spoilt); })) << b.what;
        EXPECT_EQ(ds.RecordCount(), 3) << b.what << ": the rows loaded before stay";
    }
}
