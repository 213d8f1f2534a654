#include <gtest/gtest.h>

#include <QApplication>

// Widget tests run without a screen unless a platform is chosen explicitly.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
