// Every widget test runs with one QApplication, created before the first test and destroyed
// after the last one, while Qt's own objects are all still alive.

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "zemlo-test";
        static char *argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto *const Registered = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
} // namespace
