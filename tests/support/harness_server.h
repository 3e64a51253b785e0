// A fresh device in its own temporary root with its server in harness mode,
// and two programs that speak the protocol by hand: the fixture of the
// server's tests and of the device controls'.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "raw_client.h"
#include "server/device.h"
#include "server/server.h"

namespace testsupport {

class HarnessServerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new server on the same device, its log cleared: in real time, or in
    // harness mode, where a wait that nothing can end fails the test.
    void NewServer(bool realtime);
    // Two processes, the first running once the server starts serving on a
    // thread of its own.
    void StartTwo();
    // One process whose requests the test thread serves by running the
    // server itself, between acts of the user.
    void StartDriven();
    // Ends the clients, then the serving thread.
    void Stop();
    bool Logged(const std::string& text) const;

    std::string root_;
    std::unique_ptr<sim::Device> device_;
    std::unique_ptr<sim::Server> server_;
    std::unique_ptr<servertest::RawClient> first_;
    std::unique_ptr<servertest::RawClient> second_;
    std::thread thread_;
};

}  // namespace testsupport
