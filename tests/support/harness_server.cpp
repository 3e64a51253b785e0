#include "harness_server.h"

#include <cstdlib>
#include <filesystem>

namespace testsupport {

void HarnessServerFixture::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qmserver-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    device_ = std::make_unique<sim::Device>(root_, *sim::BuiltInProfile("qvga"));
    NewServer(false);
}

void HarnessServerFixture::TearDown()
{
    Stop();
    server_.reset();
    device_.reset();
    std::filesystem::remove_all(root_);
}

void HarnessServerFixture::NewServer(bool realtime)
{
    Stop();
    server_.reset();
    device_->Log().Clear();
    sim::ServerOptions options;
    options.harness = !realtime;
    options.realtime = realtime;
    server_ = std::make_unique<sim::Server>(*device_, options);
}

void HarnessServerFixture::StartTwo()
{
    first_ = std::make_unique<servertest::RawClient>(*server_, u"\\first.exe");
    second_ = std::make_unique<servertest::RawClient>(*server_, u"\\second.exe");
    thread_ = std::thread([this] { server_->ServeHarness(); });
}

void HarnessServerFixture::StartDriven()
{
    first_ = std::make_unique<servertest::RawClient>(*server_, u"\\first.exe");
}

void HarnessServerFixture::Stop()
{
    first_.reset();
    second_.reset();
    if (thread_.joinable())
        thread_.join();
}

bool HarnessServerFixture::Logged(const std::string& text) const
{
    for (const std::string& line : device_->Log().Lines()) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace testsupport
