#include <QApplication>

#include <gtest/gtest.h>

// The video surfaces are native windows, so the tests need a running application.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
