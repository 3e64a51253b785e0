// Writing the payloads the program carries into the install directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class PayloadSource {
public:
    virtual ~PayloadSource() = default;
    // The payload's bytes, or nothing when the program does not carry it.
    virtual std::optional<std::string_view> Payload(int number) = 0;
    virtual std::optional<std::string> FileName(int number) = 0;
};

class PayloadSink {
public:
    virtual ~PayloadSink() = default;
    // Creates the file anew and writes all of data; false otherwise.
    virtual bool Write(const std::string& path, std::string_view data) = 0;
};

constexpr int kFirstPayload = 1;
constexpr int kLastPayload = 3;

// Writes payloads 1, 2, 3 in order, ending quietly at the first number
// the program does not carry. False at the first payload without a file
// name, whose path does not fit, or that is not written whole.
bool WritePayloads(const std::string& directory, PayloadSource& source, PayloadSink& sink);
