#include "composition/ContentKey.h"

#include <climits>
#include <gtest/gtest.h>

TEST(ContentKey, CountsFromOneAndSkipsZeroOnTheWrap) {
    SetContentKeyCounter(0);
    EXPECT_EQ(NewContentKey(), 1u);
    EXPECT_EQ(NewContentKey(), 2u);
    SetContentKeyCounter(UINT32_MAX - 1);
    EXPECT_EQ(NewContentKey(), UINT32_MAX);
    EXPECT_EQ(NewContentKey(), 1u);
    EXPECT_EQ(NewContentKey(), 2u);
}
