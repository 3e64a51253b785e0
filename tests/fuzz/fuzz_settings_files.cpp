// The program's own files as a user or translator may leave them: the
// settings file, theme files, the language list and a language text file,
// all read from the same bytes, and the settings written back.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "server/device.h"
#include "server_connection.h"
#include "settings/ini_file.h"
#include "settings/language_list.h"
#include "settings/string_table_files.h"
#include "settings/text_table.h"

namespace {

const WCHAR kProgramDirectory[] = TEXT("\\Program Files\\Quib Monitor\\");

sim::Device& FuzzDevice()
{
    static sim::Device* device = nullptr;
    if (device == nullptr) {
        std::string root = (std::filesystem::temp_directory_path() / "qm-fuzz-device").string();
        std::filesystem::create_directories(root + "/Program Files/Quib Monitor/lang");
        auto owned = std::make_unique<sim::Device>(root, *sim::BuiltInProfile("qvga"));
        device = owned.get();
        platform::ConnectInProcess(std::move(owned));
    }
    return *device;
}

void WriteProgramFile(const std::string& relative, const uint8_t* data, size_t size)
{
    std::ofstream out(FuzzDevice().RootPath() + "/Program Files/Quib Monitor/" + relative, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), (std::streamsize)size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sim::Device& device = FuzzDevice();
    WriteProgramFile("quibmonitor.ini", data, size);
    WriteProgramFile("lang/lang.dat", data, size);
    WriteProgramFile("lang/en.txt", data, size);

    LoadSettings(kProgramDirectory, TEXT("quibmonitor.ini"), TRUE);
    GetSetting(TEXT("theme"), TEXT("Default"));
    SetSettingInt(TEXT("eula"), 1);
    SaveSettings(kProgramDirectory, TEXT("quibmonitor.ini"));

    IniLineList* theme = ReadIniLines(kProgramDirectory, TEXT("lang\\lang.dat"));
    FreeIniLines(theme);
    delete theme;

    LoadLanguageList(kProgramDirectory, 1);
    LoadTextTable(kProgramDirectory);
    for (int number = -1; number < 60; ++number)
        GetText(number);

    StringTable quoted(3);
    LoadStringTableFile(&quoted, kProgramDirectory, TEXT("lang\\en.txt"), TEXT(','), TRUE);

    // Message boxes for malformed lines would otherwise pile up in the log.
    device.Log().Clear();
    return 0;
}
