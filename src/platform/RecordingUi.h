#pragma once
// The Ui backend of tests: records every message box and prompt (texts in GBK, as the library
// passed them) and answers questions from a queue the test fills.
#include <deque>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace ckw::ui {

class RecordingUi : public Ui {
public:
    struct Message {
        std::string text, caption;  // GBK
        Buttons buttons;
        Answer answer;  // what the box returned
    };

    // Installs itself as the current backend and restores the default when it goes.
    RecordingUi() { SetCurrent(this); }
    ~RecordingUi() override;
    RecordingUi(const RecordingUi&) = delete;
    RecordingUi& operator=(const RecordingUi&) = delete;

    // Answers for the boxes that offer a choice, in order. An OK-only box takes none, so the
    // notices a test does not expect cannot eat the answer meant for a question. When the
    // queue is empty the headless default answers.
    void QueueAnswer(Answer answer) { m_answers.push_back(answer); }
    size_t pendingAnswers() const { return m_answers.size(); }

    Answer MessageBox(std::string_view textGbk, std::string_view captionGbk, Buttons buttons) override;
    void Prompt(std::string_view textGbk) override;

    const std::vector<Message>& messages() const { return m_messages; }
    const std::vector<std::string>& prompts() const { return m_prompts; }
    // The texts of all message boxes, in order.
    std::vector<std::string> texts() const;
    void Clear();

private:
    std::deque<Answer> m_answers;
    std::vector<Message> m_messages;
    std::vector<std::string> m_prompts;
};

}  // namespace ckw::ui
