#include <QGuiApplication>
#include <gtest/gtest.h>

#include "headless_env.h"

int main(int argc, char** argv)
{
    vlm::test::prepareHeadlessEnvironment();
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
