// The main of every GoogleTest program of the Windows tests, in a file of its own so that
// the test helpers also serve programs with a main of their own (tests/preview).
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    // A filter that selects nothing (a renamed suite, a Windows-version copy whose tests
    // lost their suffix) must not pass as a successful run.
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "no test matched the filter \"%s\"\n", GTEST_FLAG_GET(filter).c_str());
        return 1;
    }
    return result;
}
