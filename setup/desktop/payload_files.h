// Payload files on the desktop's disk.
#pragma once

#include "setup/desktop/payload_writer.h"

// Creates each file anew with normal attributes and writes it in one
// write. A file that is not written whole is deleted again, so a full
// disk never leaves a payload that looks complete.
class DiskPayloads : public PayloadSink {
public:
    bool Write(const std::string& path, std::string_view data) override;
};
