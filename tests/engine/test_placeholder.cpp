#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

TEST(Engine, placeholder) { EXPECT_EQ(cInt(2.5), 2); }
