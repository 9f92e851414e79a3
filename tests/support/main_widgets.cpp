#include "support/TestSupport.h"

#include "gui/GuardedApplication.h"
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    zelko6::test::prepareProcessEnvironment();
    zelko6::GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
