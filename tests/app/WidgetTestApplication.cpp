// Widget tests need one application object for the whole run of a test program; linking this
// file into a test program provides it.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

class WidgetTestApplication final : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "kinetra-tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] const auto* const Application =
    ::testing::AddGlobalTestEnvironment(new WidgetTestApplication);

} // namespace
