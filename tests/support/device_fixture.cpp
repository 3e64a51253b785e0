#include "device_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "quit_message.h"
#include "server/store_space.h"
#include "server_connection.h"

namespace fs = std::filesystem;

namespace testsupport {

void DeviceFixture::SetUp()
{
    std::string pattern = (fs::temp_directory_path() / "qmdev-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    Connect("qvga");
    platform::ClearQuit();
}

void DeviceFixture::TearDown()
{
    platform::Disconnect();
    device_ = nullptr;
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void DeviceFixture::UseProfile(const std::string& name) { Connect(name); }

void DeviceFixture::RunProgramsFromImage(const std::vector<std::string>& programs)
{
    for (const std::string& program : programs) {
        fs::path target = HostPath(program);
        fs::create_directories(target.parent_path());
        std::error_code ec;
        fs::create_symlink(fs::path(QM_DEVICE_IMAGE) / program, target, ec);
        ASSERT_FALSE(ec) << program << ": " << ec.message();
    }
    // Beside the root, not in the device's file system.
    Connect(profile_, root_ + ".socket");
}

void DeviceFixture::Connect(const std::string& profileName, const std::string& programSocket)
{
    auto profile = sim::BuiltInProfile(profileName);
    ASSERT_TRUE(profile.has_value()) << profileName;
    profile_ = profileName;
    auto device = std::make_unique<sim::Device>(root_, *profile);
    device_ = device.get();
    platform::ConnectInProcess(std::move(device), programSocket);
}

void DeviceFixture::LimitStore(uint64_t room)
{
    device_->Profile().storeCapacity = static_cast<DWORD>(sim::StoreBytesUsed(root_) + room);
}

std::string DeviceFixture::HostPath(const std::string& relative) const { return root_ + "/" + relative; }

void DeviceFixture::WriteHostFile(const std::string& relative, const std::string& bytes) const
{
    fs::path path = HostPath(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string DeviceFixture::ReadHostFile(const std::string& relative) const
{
    std::ifstream in(HostPath(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool DeviceFixture::HostFileExists(const std::string& relative) const { return fs::exists(HostPath(relative)); }

std::vector<std::string> DeviceFixture::Events(const std::string& event) const
{
    std::vector<std::string> found;
    for (const std::string& line : device_->Log().Lines()) {
        size_t space = line.find(' ');
        std::string rest = space == std::string::npos ? line : line.substr(space + 1);
        if (rest.compare(0, event.size(), event) == 0 && (rest.size() == event.size() || rest[event.size()] == ' '))
            found.push_back(rest);
    }
    return found;
}

}  // namespace testsupport
