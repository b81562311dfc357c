#include "platform/RecordingUi.h"

namespace ckw::ui {

RecordingUi::~RecordingUi() {
    if (&Current() == this) SetCurrent(nullptr);
}

Answer RecordingUi::MessageBox(std::string_view textGbk, std::string_view captionGbk, Buttons buttons) {
    Answer answer = DefaultAnswer(buttons);
    if (buttons != Buttons::Ok && !m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_messages.push_back({std::string(textGbk), std::string(captionGbk), buttons, answer});
    return answer;
}

void RecordingUi::Prompt(std::string_view textGbk) { m_prompts.emplace_back(textGbk); }

std::vector<std::string> RecordingUi::texts() const {
    std::vector<std::string> out;
    for (const auto& m : m_messages) out.push_back(m.text);
    return out;
}

void RecordingUi::Clear() {
    m_answers.clear();
    m_messages.clear();
    m_prompts.clear();
}

}  // namespace ckw::ui
