#include <QApplication>
#include <gtest/gtest.h>

#include "headless_env.h"

int main(int argc, char** argv)
{
    vlm::test::prepareHeadlessEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
