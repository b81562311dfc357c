// The test engines themselves: they must compile against every member of the contract and the
// recording engine must log faithfully, or every sequence test built on it is worthless.
#include "support/MockHostEngine.h"
#include "support/RecordingEngine.h"

#include <gtest/gtest.h>

namespace {

using ckw::test::RecordingEngine;

TEST(RecordingEngine, LogsInputsInOrderWithExactValues) {
    RecordingEngine rec;
    float xs[] = {0, 84100, 0.5f};
    float ys[] = {1, 2, 3};
    rec.HostDrawPolyline(3, xs, ys);
    rec.HostPrompt("abc\x82xyz", 4);  // the length bounds the text and is logged too
    rec.HostSetPen(5, 1, 250, 7, 1);
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"HostDrawPolyline(3, [0 84100 0.5], [1 2 3])",
                                                     "HostPrompt(\"abc\x82\", 4)", "HostSetPen(5, 1, 250, 7, 1)"}));
    EXPECT_EQ(rec.CallsOf("HostPrompt").size(), 1u);
    EXPECT_TRUE(rec.CallsOf("HostPromp").empty());  // whole names only
}

TEST(RecordingEngine, WithoutInnerEngineEveryInteractionEnds) {
    RecordingEngine rec;
    float x = 5, y = 5;
    int key = 0, status = 0, kind = 9;
    rec.HostTrackCursor(x, y, key);
    rec.HostGetCursorPoint(x, y, status);
    EXPECT_EQ(key, 1);
    EXPECT_EQ(status, 1);
    rec.HostNextSelected(0, kind);
    EXPECT_EQ(kind, 0);
}

TEST(RecordingEngine, ForwardsToInnerEngine) {
    testing::StrictMock<ckw::test::MockHostEngine> mock;
    RecordingEngine rec(&mock);
    EXPECT_CALL(mock, HostUserBreak()).WillOnce(testing::Return(7));
    EXPECT_EQ(rec.HostUserBreak(), 7);
    EXPECT_EQ(rec.Names(), std::vector<std::string>{"HostUserBreak"});
}

}  // namespace
