#pragma once
// The interactive extended-data commands on the reference engine, played by one script that
// mixes the windows' actions with the engine's answers.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include <ckw/XDataCommands.h>

#include <ckw/ReferenceEngine.h>
#include "ui/WindowScriptInput.h"
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"

namespace ckw::test {

using Words = std::vector<int>;

// The bytes of text packed four to a word, first byte lowest, zero-padded to `words` words.
inline Words Packed(const std::string& text, size_t words) {
    Words out(words, 0);
    for (size_t i = 0; i < text.size(); ++i)
        out[i / 4] |= static_cast<int>(static_cast<unsigned char>(text[i])) << (8 * (i % 4));
    return out;
}

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = std::exchange(m_pCfg, &engine); }
    void TearDown() override {
        engine.SetInputSource(nullptr);
        m_pCfg = m_saved;
    }

    // Runs command under the script (written in the tests' narrow literals, GBK); returns the
    // script's report (empty: all played).
    template <typename Command>
    std::string Play(const std::string& scriptGbk, Command command) {
        dlg::ScriptSession session(dlg::DialogScript::Parse(text::GbkToUtf8(scriptGbk)));
        engine::WindowScriptInput input(session.Runner());
        engine.SetInputSource(&input);
        result = command();
        engine.SetInputSource(nullptr);
        messages = session.Messages();
        return session.Report();
    }

    // Draws a line from (x, y) to (x + 100, y) with the pen given; returns its first identifier.
    int Line(float x, float y, int layer = 1, int lineType = 1, int width = 0, int colour = 7) {
        engine.HostSetPen(layer, lineType, width, colour, 1);
        engine.HostDrawLine(x, y, x + 100, y);
        return CurrentId();
    }
    int CurrentId() {
        int id0 = 0, id1 = 0;
        engine.HostGetEntityId(0, id0, id1);
        return id0;
    }
    engine::Entity& At(int id0) { return engine.Current().At(*engine.Current().Find(id0)); }
    Words& Stream(int id0) { return At(id0).xdata; }
    Words PendingNew() {
        Words words(kHostXDataWords);
        int count = 0;
        engine.HostGetNewEntityXData(count, words.data(), kHostXDataWords);
        words.resize(static_cast<size_t>(std::max(count, 0)));
        return words;
    }
    bool Messaged(const std::string& part) const {
        for (const std::string& m : messages)
            if (m.find(part) != std::string::npos) return true;
        return false;
    }

    engine::ReferenceEngine engine;
    std::vector<std::string> messages;  // message boxes shown, GBK
    int result = -1;

private:
    HostEngine* m_saved = nullptr;
};

}  // namespace ckw::test
