#include "ui/QuestionForm.h"

#include "data/Utf8.h"
#include "ui/Application.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace ui {

namespace {

// Characters on one line of the question; longer texts break between words.
constexpr std::size_t LineLength = 64;
constexpr int CharWidth = 7;
constexpr int LineHeight = 15;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        std::string& line = lines.back();
        if (!line.empty() && data::utf8::Length(line) + 1 + data::utf8::Length(word) > LineLength)
            lines.push_back(word);
        else
            line += (line.empty() ? "" : " ") + word;
    }
    return lines;
}

} // namespace

QuestionForm::QuestionForm(const std::string& text)
    : Form("frmPergunta"), lblPergunta(Add<Label>("lblPergunta")), btnSim(Add<Button>("btnSim")),
      btnNao(Add<Button>("btnNao")) {
    SetCaption("Confirmação");
    const std::vector<std::string> lines = Lines(text);
    std::size_t longest = 0;
    std::string caption;
    for (const std::string& line : lines) {
        longest = std::max(longest, data::utf8::Length(line));
        caption += (caption.empty() ? "" : "\n") + line;
    }
    const int width = std::max(260, static_cast<int>(longest) * CharWidth + 32);
    const int textHeight = static_cast<int>(lines.size()) * LineHeight;
    SetBounds(0, 0, width, textHeight + 68);
    lblPergunta.SetCaption(caption);
    lblPergunta.SetBounds(16, 14, width - 32, textHeight);
    btnSim.SetCaption("Sim");
    btnSim.SetBounds(width / 2 - 84, textHeight + 30, 80, 25);
    btnSim.SetModalResult(ModalResult::Yes);
    btnSim.SetDefault(true);
    btnNao.SetCaption("Não");
    btnNao.SetBounds(width / 2 + 4, textHeight + 30, 80, 25);
    btnNao.SetModalResult(ModalResult::No);
    btnNao.SetCancel(true);
}

bool QuestionForm::Ask(const std::string& text) {
    return Application::Instance().CreateForm<QuestionForm>(text).ShowModalOnce() == ModalResult::Yes;
}

} // namespace ui
