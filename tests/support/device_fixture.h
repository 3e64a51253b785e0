// A fresh emulated device for each test: its own root folder in the host's
// temporary directory, a built-in profile, an in-process server.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/device.h"

namespace testsupport {

class DeviceFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Restarts the device on the same root with another built-in profile.
    void UseProfile(const std::string& name);
    // Restarts the device so that the programs this process starts
    // (CreateProcessW) run on it beside the test; the device image's
    // programs at the given paths (e.g. "Windows/task.exe") are put in the
    // root first. They end when the test does.
    void RunProgramsFromImage(const std::vector<std::string>& programs);

    sim::Device& Device() { return *device_; }
    // Gives the object store a capacity of what the root's files take now
    // and room bytes more, so that writes past them fail as on a full store.
    void LimitStore(uint64_t room);
    const std::string& Root() const { return root_; }

    // Host path of a device path given with '/' separators, e.g.
    // "Program Files/Quib Monitor/quibmonitor.ini".
    std::string HostPath(const std::string& relative) const;
    void WriteHostFile(const std::string& relative, const std::string& bytes) const;
    // The file's bytes; empty when missing.
    std::string ReadHostFile(const std::string& relative) const;
    bool HostFileExists(const std::string& relative) const;

    // Event log lines (without the time) that start with the given event.
    std::vector<std::string> Events(const std::string& event) const;

private:
    void Connect(const std::string& profile, const std::string& programSocket = "");

    std::string root_;
    std::string profile_ = "qvga";
    sim::Device* device_ = nullptr;
};

}  // namespace testsupport
