#include "AnswerStream.h"

#include "AnswerErrors.h"
#include "JsonTreeBuilder.h"
#include "RpcClientError.h"
#include "SaxParse.h"

#include <algorithm>
#include <optional>

namespace pedclient {

namespace {

using Json = nlohmann::json;
using Sink = nlohmann::json_sax<Json>;

// What was seen of one answer object of the list.
struct Part {
    std::optional<std::int64_t> id;
    std::optional<std::size_t> result;
    std::optional<Json> error;
};

// Takes every event and keeps nothing: the parts of an answer nobody needs.
class SkippingSink : public Sink {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }
};

// Walks a JSON-RPC answer (one object, or a list of them) and routes each answer's "result"
// value to its sink and its "error" value to a tree; "id" is noted; everything else is skipped.
// A result's sink may take the result's tree whole instead of its events.
class EnvelopeReader : public Sink, public MemberValueTaker {
public:
    EnvelopeReader(std::size_t maxDepth, const ResultSinks& sinks) : m_maxDepth(maxDepth), m_sinks(sinks) {}

    bool IsList() const { return m_isList; }
    bool TooDeep() const { return m_tooDeep; }
    std::vector<Part>& Parts() { return m_parts; }

    bool null() override {
        return Scalar(nullptr, [](Sink& sink) { return sink.null(); });
    }
    bool boolean(bool value) override {
        return Scalar(value, [&](Sink& sink) { return sink.boolean(value); });
    }
    bool number_integer(number_integer_t value) override {
        return Scalar(value, [&](Sink& sink) { return sink.number_integer(value); });
    }
    bool number_unsigned(number_unsigned_t value) override {
        return Scalar(value, [&](Sink& sink) { return sink.number_unsigned(value); });
    }
    bool number_float(number_float_t value, const string_t& text) override {
        return Scalar(value, [&](Sink& sink) { return sink.number_float(value, text); });
    }
    bool string(string_t& value) override {
        return Scalar(nullptr, [&](Sink& sink) { return sink.string(value); });
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t elements) override {
        return Open(true, [&](Sink& sink) { return sink.start_object(elements); });
    }
    bool start_array(std::size_t elements) override {
        return Open(false, [&](Sink& sink) { return sink.start_array(elements); });
    }
    bool end_object() override {
        return Close([](Sink& sink) { return sink.end_object(); });
    }
    bool end_array() override {
        return Close([](Sink& sink) { return sink.end_array(); });
    }
    bool key(string_t& name) override {
        if (m_target)
            return m_target->key(name);
        m_key = name;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

    bool TakeMemberValue(const simdjson::dom::element& value) override {
        if (m_target || !AtMember("result"))
            return false;
        m_targetDepth = m_depth;
        ResultSink& sink = NextResultSink();
        // The containers it may open below this depth, as Open counts them.
        if (sink.TakeWhole(value, m_maxDepth - m_depth))
            return true;
        m_target = &sink; // its events follow
        return false;
    }

private:
    // The depth of an answer object's members: a list's answers sit one level deeper.
    std::size_t MemberDepth() const { return m_isList ? 2 : 1; }
    bool AtMember(const char* key) const { return m_depth == MemberDepth() && m_key == key; }

    ResultSink& NextResultSink() {
        m_parts.back().result = m_arrivals;
        return m_sinks(m_arrivals++);
    }

    // A value starts at the current depth: it goes where its key says, or is skipped.
    void Route() {
        m_targetDepth = m_depth;
        if (AtMember("result"))
            m_target = &NextResultSink();
        else if (AtMember("error"))
            m_target = &m_error;
        else
            m_target = &m_skip;
    }

    // After an event: whether the routed value has ended.
    void EndOfValue() {
        if (!m_target || m_depth != m_targetDepth)
            return;
        if (m_target == &m_error)
            m_parts.back().error = m_error.Take();
        m_target = nullptr;
    }

    template <class Forward> bool Scalar(const Json& value, Forward forward) {
        if (!m_target) {
            if (m_depth == 0)
                return false; // a bare scalar is no answer
            if (m_isList && m_depth == 1) {
                m_parts.emplace_back(); // an answer that is not an object: it has no id
                return true;
            }
            if (m_key == "id") {
                if (value.is_number_integer())
                    m_parts.back().id = value.get<std::int64_t>();
                return true;
            }
            Route();
        }
        const bool ok = forward(*m_target);
        EndOfValue();
        return ok;
    }

    template <class Forward> bool Open(bool isObject, Forward forward) {
        if (m_depth >= m_maxDepth) {
            m_tooDeep = true;
            return false;
        }
        if (!m_target) {
            if (m_depth == 0)
                m_isList = !isObject;
            if (m_depth + 1 == MemberDepth() && isObject) {
                m_parts.emplace_back();
            } else if (m_depth > 0) {
                if (m_isList && m_depth == 1)
                    m_parts.emplace_back();
                Route();
            }
        }
        ++m_depth;
        return m_target ? forward(*m_target) : true;
    }

    template <class Forward> bool Close(Forward forward) {
        --m_depth;
        if (!m_target)
            return true;
        const bool ok = forward(*m_target);
        EndOfValue();
        return ok;
    }

    const std::size_t m_maxDepth;
    const ResultSinks& m_sinks;
    std::size_t m_depth = 0;
    bool m_isList = false;
    bool m_tooDeep = false;
    std::string m_key;
    std::vector<Part> m_parts;
    std::size_t m_arrivals = 0;
    Sink* m_target = nullptr;
    std::size_t m_targetDepth = 0;
    JsonTreeBuilder m_error;
    SkippingSink m_skip;
};

// Reads the whole answer; throws for text that is not JSON or nests too deep.
void Read(RpcAnswer& answer, EnvelopeReader& reader, const std::string& address, std::size_t maxDepth) {
    const bool parsed = SaxParse(answer.body, reader, &reader);
    answer.body = std::string();
    if (reader.TooDeep())
        throw BadAnswerError(answer.status, address,
                             ": dados aninhados em mais de " + std::to_string(maxDepth) + " níveis");
    if (!parsed)
        throw BadAnswerError(answer.status, address, "");
}

} // namespace

void StreamAnswer(RpcAnswer answer, std::int64_t id, const std::string& address, std::size_t maxDepth,
                  const ResultSinks& sinks) {
    const ResultSinks first = [&](std::size_t arrival) -> ResultSink& {
        if (arrival > 0)
            throw BadAnswerError(answer.status, address, "");
        return sinks(arrival);
    };
    EnvelopeReader reader(maxDepth, first);
    Read(answer, reader, address, maxDepth);
    const std::vector<Part>& parts = reader.Parts();
    if (reader.IsList() || parts.size() != 1)
        throw BadAnswerError(answer.status, address, "");
    if (parts.front().error)
        throw ErrorOfAnswer(*parts.front().error, answer.status, address);
    if (answer.status != 200 || !parts.front().result || parts.front().id != id)
        throw BadAnswerError(answer.status, address, "");
}

std::vector<StreamedAnswer> StreamBatchAnswer(RpcAnswer answer, std::int64_t firstId, std::size_t count,
                                              const std::string& address, std::size_t maxDepth,
                                              const ResultSinks& sinks) {
    EnvelopeReader reader(maxDepth, sinks);
    Read(answer, reader, address, maxDepth);
    std::vector<Part>& parts = reader.Parts();
    if (!reader.IsList()) {
        // The server refused the whole batch with one error.
        if (!parts.empty() && parts.front().error)
            throw ErrorOfAnswer(*parts.front().error, answer.status, address);
        throw BadAnswerError(answer.status, address, "");
    }
    if (answer.status != 200)
        throw BadAnswerError(answer.status, address, "");
    std::vector<StreamedAnswer> answers(count);
    std::vector<bool> answered(count, false);
    for (const Part& part : parts) {
        if (!part.id || *part.id < firstId || *part.id >= firstId + static_cast<std::int64_t>(count))
            throw BadAnswerError(answer.status, address, ": resposta a uma chamada que não foi feita");
        const auto index = static_cast<std::size_t>(*part.id - firstId);
        StreamedAnswer& slot = answers[index];
        answered[index] = true;
        if (part.result) {
            slot.ok = true;
            slot.arrival = *part.result;
            continue;
        }
        const RpcClientError error = part.error ? ErrorOfAnswer(*part.error, answer.status, address)
                                                : BadAnswerError(answer.status, address, "");
        slot.code = error.Code();
        slot.message = error.what();
    }
    if (std::find(answered.begin(), answered.end(), false) != answered.end())
        throw BadAnswerError(answer.status, address, ": faltam respostas do lote");
    return answers;
}

} // namespace pedclient
