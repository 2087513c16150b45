#include "app/QuimbleView.h"
#include "controls/ControlEvent.h"

#include <gtest/gtest.h>

TEST(View, ValueEventsAreOnlyPrinted) {
    CQuimbleView view;
    CControlEvent value = CControlEvent::MakeValue(100046, 2.5);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(view.Dispatch(&value));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "control 100046, sent value 2.500000\n");
}
