#pragma once

#include "LookupSession.h"
#include "TParams.h"
#include "data/DataSet.h"
#include "ui/Component.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A read-only lookup query on the shared session (dtmDBGeral). It is a dataset: fields are
// declared as for any dataset, and opening it - directly, or through a data source by a grid or a
// search button - runs BeforeOpen, has the application server run the SQL (a statement of the
// lookup catalogue) with the bound :NAME parameters and fills the rows. A declared field missing
// from the result is an error naming the query and the field.
//
// The dataset's own BeforeOpen member is taken by the query to run the SQL; handlers go into the
// query's BeforeOpen below, which runs before the SQL is executed.
class TADOIBQuery : public ui::Component, public data::DataSet {
public:
    explicit TADOIBQuery(std::string name = {});

    using ui::Component::Name;
    using ui::Component::SetName;

    const std::string& SQL() const { return m_sql; }
    // Closes the query and rebuilds the parameter list from the text.
    void SetSQL(std::string sql);

    TParams& GetIBParams() { return m_params; }
    const TParams& GetIBParams() const { return m_params; }
    TParam& ParamByName(std::string_view name) { return m_params.ParamByName(name); }

    bool GetActive() const { return Active(); }
    // Opens several closed queries in one exchange with the server, each as Open would (its
    // BeforeOpen first, then its events); throws the first failure, naming its query, after
    // opening those before it.
    static void OpenTogether(const std::vector<TADOIBQuery*>& queries);

    // Runs before the SQL is executed; the place to set parameters.
    std::function<void(data::DataSet& sender)> BeforeOpen;

protected:
    void NameChanged() override { data::DataSet::SetName(ui::Component::Name()); }

private:
    void Fetch();
    static void RequireSession(const std::string& name);
    // The statement and its parameters; throws naming a parameter that was not assigned.
    LookupRequest Request() const;
    void Load(const data::Packet& result);

    std::string m_sql;
    TParams m_params;
    bool m_fetching = false;
    // Rows fetched by OpenTogether for the next open.
    std::optional<data::Packet> m_fetched;
};
