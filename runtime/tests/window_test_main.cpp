// Main of every window test program: the run time is initialised as in the
// real program, and message boxes are recorded instead of shown. They are also
// written to stderr, where tests of a program's end (death tests) read them.
#include <gtest/gtest.h>

#include "runtime/testing.h"
#include "runtime/tests/window_test_support.h"
#include "runtime/window_runtime.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    WindowRuntime::Initialize();
    WindowTest::RecordMessages();
    return RUN_ALL_TESTS();
}
