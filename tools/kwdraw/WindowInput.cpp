#include "WindowInput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>

#include "base/GbkText.h"

namespace kwdraw {

using ckw::engine::InputEvent;
using ckw::engine::InputWant;

WindowInput::WindowInput(QWidget* window) : QObject(window), m_window(window) {}

InputEvent WindowInput::NextInput(InputWant want) {
    if (m_cancelled) return InputEvent{};
    if (want == InputWant::File && m_queue.empty()) {
        // A file name is asked in the file dialog rather than typed.
        QString path = QFileDialog::getOpenFileName(m_window, QString(), QString(), QStringLiteral("*.T *.t;;*"));
        InputEvent answer;
        if (!path.isEmpty()) {
            answer.type = InputEvent::Type::File;
            answer.text = ckw::text::Utf8ToGbk(path.toStdString());
        }
        return answer;
    }
    m_want = want;
    emit Waiting(want);
    while (m_queue.empty() && !m_cancelled) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    m_want.reset();
    if (m_queue.empty()) return InputEvent{};
    InputEvent answer = m_queue.front();
    m_queue.pop_front();
    if (answer.type == InputEvent::Type::Point) {
        m_last = {true, answer.x, answer.y};
        m_given.push_back(m_last);
    }
    emit Answered();
    return answer;
}

bool WindowInput::UserBreak() {
    // A long command keeps the window alive and hears [Esc].
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    bool asked = m_break || m_cancelled;
    m_break = false;
    return asked;
}

void WindowInput::Answer(const InputEvent& event) {
    // Only the latest cursor position matters while the cursor is tracked.
    if (event.type == InputEvent::Type::Move && !m_queue.empty() && m_queue.back().type == InputEvent::Type::Move)
        m_queue.back() = event;
    else
        m_queue.push_back(event);
    if (m_loop) m_loop->quit();
}

bool WindowInput::AnswerText(const QString& text) {
    if (!m_want) return false;
    auto answer = ParseAnswer(text.toStdString(), *m_want, m_last);
    if (!answer) return false;
    Answer(*answer);
    return true;
}

void WindowInput::CancelAll() {
    m_cancelled = true;
    if (m_loop) m_loop->quit();
}

void WindowInput::CommandEnded() {
    m_queue.clear();
    m_given.clear();
    m_cancelled = false;
    m_break = false;
}

}  // namespace kwdraw
