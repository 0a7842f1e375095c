#include <gtest/gtest.h>
#include "GLTestContext.h"
TEST(GLContext, Creates) {
    TGLTestContext gl;
    EXPECT_TRUE(gl.Ready());
}
