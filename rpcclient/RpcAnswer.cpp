#include "RpcAnswer.h"

#include "AnswerErrors.h"
#include "AnswerStream.h"
#include "JsonTreeBuilder.h"

namespace pedclient {

nlohmann::json ResultOfAnswer(RpcAnswer answer, std::int64_t id, const std::string& address,
                              std::size_t maxDepth) {
    JsonTreeBuilder tree;
    StreamAnswer(std::move(answer), id, address, maxDepth, [&](std::size_t) -> ResultSink& { return tree; });
    return tree.Take();
}

std::vector<BatchAnswer> ResultsOfBatchAnswer(RpcAnswer answer, std::int64_t firstId, std::size_t count,
                                              const std::string& address, std::size_t maxDepth) {
    // Each result is built as a tree of its own while the answer is read.
    std::vector<JsonTreeBuilder> trees;
    trees.reserve(count);
    const int status = answer.status;
    const ResultSinks sinks = [&](std::size_t arrival) -> ResultSink& {
        if (arrival >= count)
            throw BadAnswerError(status, address, ": resposta a uma chamada que não foi feita");
        return trees.emplace_back();
    };
    std::vector<BatchAnswer> answers;
    for (StreamedAnswer& part :
         StreamBatchAnswer(std::move(answer), firstId, count, address, maxDepth, sinks))
        answers.push_back(part.ok ? BatchAnswer{true, trees[part.arrival].Take(), 0, {}}
                                  : BatchAnswer{false, nullptr, part.code, std::move(part.message)});
    return answers;
}

} // namespace pedclient
