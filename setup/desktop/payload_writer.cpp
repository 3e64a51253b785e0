#include "setup/desktop/payload_writer.h"

#include "setup/desktop/install_paths.h"

bool WritePayloads(const std::string& directory, PayloadSource& source, PayloadSink& sink)
{
    for (int number = kFirstPayload; number <= kLastPayload; ++number) {
        std::optional<std::string_view> data = source.Payload(number);
        if (!data)
            return true;
        std::optional<std::string> name = source.FileName(number);
        if (!name || name->empty())
            return false;
        std::optional<std::string> path = PayloadPath(directory, *name);
        if (!path || !sink.Write(*path, *data))
            return false;
    }
    return true;
}
