#pragma once
// The engine's input source in the drawing window: while a command waits, a nested event loop
// runs until the person answers on the canvas, on the command line or with a key.
#include <QObject>
#include <deque>
#include <optional>
#include <vector>

#include "AnswerText.h"
#include <ckw/ReferenceEngine.h>

class QEventLoop;
class QWidget;

namespace kwdraw {

class WindowInput : public QObject, public ckw::engine::InputSource {
    Q_OBJECT
public:
    explicit WindowInput(QWidget* window);

    ckw::engine::InputEvent NextInput(ckw::engine::InputWant want) override;
    bool UserBreak() override;

    // An answer from the person (queued when no call waits yet).
    void Answer(const ckw::engine::InputEvent& event);
    // A command-line text: false when it does not answer the waiting call.
    bool AnswerText(const QString& text);
    // [Esc] while a command runs without waiting: asks it to stop.
    void RequestBreak() { m_break = true; }
    // Answers [Esc] to every call until the command ends (the window is closing).
    void CancelAll();
    void CommandEnded();

    std::optional<ckw::engine::InputWant> Want() const { return m_want; }
    const LastPoint& Last() const { return m_last; }
    // The points given in the command that runs, oldest first: ortho and perpendicular snaps
    // start from the last, and the others are snapped to as ends (a polyline's start closes it).
    const std::vector<LastPoint>& Given() const { return m_given; }

signals:
    // A call waits for the person (the window refreshes its view and prompt line).
    void Waiting(ckw::engine::InputWant want);
    void Answered();

private:
    QWidget* m_window;
    std::deque<ckw::engine::InputEvent> m_queue;
    QEventLoop* m_loop = nullptr;
    std::optional<ckw::engine::InputWant> m_want;
    LastPoint m_last;
    std::vector<LastPoint> m_given;
    bool m_break = false;
    bool m_cancelled = false;
};

}  // namespace kwdraw
