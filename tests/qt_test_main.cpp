#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Widget tests run without a display: the offscreen platform is chosen before
// the application object exists, also when the binary is started by hand.
int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
