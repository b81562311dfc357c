#include <gtest/gtest.h>

#include "base/GbkText.h"
#include "platform/RecordingUi.h"

using namespace ckw::ui;
using ckw::text::U8;

namespace {

TEST(Ui, NobodyAnswersSoThatNothingIsOverwritten) {
    EXPECT_EQ(DefaultAnswer(Buttons::Ok), Answer::Ok);
    EXPECT_EQ(DefaultAnswer(Buttons::YesNo), Answer::No);
    EXPECT_EQ(DefaultAnswer(Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(DefaultAnswer(Buttons::YesNoCancel), Answer::Cancel);
}

TEST(Ui, HeadlessWritesUtf8ToStderr) {
    HeadlessUi headless;
    ::testing::internal::CaptureStderr();
    Answer a = headless.MessageBox("是否完全更新?", "提示", Buttons::YesNo);
    headless.Prompt("Not Find Layer Information!");
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(a, Answer::No);
    EXPECT_NE(err.find(U8(u8"提示: 是否完全更新?")), std::string::npos) << err;
    EXPECT_NE(err.find("answered No"), std::string::npos);
    EXPECT_NE(err.find("Not Find Layer Information!\n"), std::string::npos);
}

TEST(Ui, RecordingCapturesGbkTextAndAnswersQuestionsFromItsQueue) {
    {
        RecordingUi ui;
        EXPECT_EQ(&Current(), &ui) << "installs itself";
        ui.QueueAnswer(Answer::Yes);
        // The notice does not take the answer meant for the question after it.
        EXPECT_EQ(MessageBox("没有找到系统文件x!!"), Answer::Ok);
        EXPECT_EQ(MessageBox("是否完全更新?", Buttons::YesNo), Answer::Yes);
        EXPECT_EQ(MessageBox("again?", Buttons::YesNo, "Caption"), Answer::No) << "empty queue: default answer";
        Current().Prompt("Updategrf error:iFail=1!");

        ASSERT_EQ(ui.messages().size(), 3u);
        EXPECT_EQ(ui.messages()[0].text, "没有找到系统文件x!!");
        EXPECT_EQ(ui.messages()[0].caption, "提示") << "the library's caption unless given";
        EXPECT_EQ(ui.messages()[0].text, ckw::text::Utf8ToGbk(U8(u8"没有找到系统文件x!!"))) << "kept in GBK";
        EXPECT_EQ(ui.messages()[1].buttons, Buttons::YesNo);
        EXPECT_EQ(ui.messages()[2].caption, "Caption");
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{"没有找到系统文件x!!", "是否完全更新?", "again?"}));
        EXPECT_EQ(ui.prompts(), (std::vector<std::string>{"Updategrf error:iFail=1!"}));
        EXPECT_EQ(ui.pendingAnswers(), 0u);
    }
    EXPECT_NE(dynamic_cast<HeadlessUi*>(&Current()), nullptr) << "the default comes back";
}

}  // namespace
