// qm_cabinet: writes a Windows CE device cabinet from the build's files.
//   qm_cabinet --out FILE.CAB --app NAME --os MIN MAX
//              [--setup DIR NAME HOSTFILE] [--file DIR NAME HOSTFILE]...
//              [--folder DIR HOSTFOLDER]... [--link BASE NAME DIR NAME]...
// DIR is a device folder such as "%CE1%\Quib Monitor\graphics"; --folder
// takes every file of HOSTFOLDER (by name order); --setup is the setup
// library (member .999); a link BASE is a folder macro ("%CE11%") and points
// at the file NAME installed in DIR. The container is written by libgcab,
// the setup file (.000) by the project's own writer.
#include <libgcab.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "setup_file.h"

namespace fs = std::filesystem;

namespace {

struct SourceFile {
    std::string folder;
    std::string name;
    fs::path host;
    uint16_t number = 0;
};

struct LinkRequest {
    std::string base;
    std::string name;
    std::string targetFolder;
    std::string targetName;
};

struct Request {
    fs::path out;
    cabinet::SetupFile setup;
    std::vector<SourceFile> files;
    std::vector<LinkRequest> links;
};

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "qm_cabinet: %s\n", why.c_str());
    std::exit(1);
}

// "4.0" as major 4, minor 0; "5.99" as 5 and 99.
void ParseVersion(const std::string& text, uint32_t& major, uint32_t& minor)
{
    size_t dot = text.find('.');
    if (dot == std::string::npos)
        Fail("a version is MAJOR.MINOR, not " + text);
    major = static_cast<uint32_t>(std::stoul(text.substr(0, dot)));
    minor = static_cast<uint32_t>(std::stoul(text.substr(dot + 1)));
}

Request ParseArguments(int argc, char** argv)
{
    Request request;
    uint16_t next = 1;
    auto need = [&](int i, int count) {
        if (i + count >= argc)
            Fail(std::string(argv[i]) + " needs " + std::to_string(count) + " values");
    };
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--out") {
            need(i, 1);
            request.out = argv[++i];
        } else if (option == "--app") {
            need(i, 1);
            request.setup.appName = argv[++i];
        } else if (option == "--os") {
            need(i, 2);
            ParseVersion(argv[i + 1], request.setup.minMajor, request.setup.minMinor);
            ParseVersion(argv[i + 2], request.setup.maxMajor, request.setup.maxMinor);
            i += 2;
        } else if (option == "--file" || option == "--setup") {
            need(i, 3);
            uint16_t number = option == "--setup" ? cabinet::kSetupLibraryNumber : next++;
            request.files.push_back({argv[i + 1], argv[i + 2], argv[i + 3], number});
            i += 3;
        } else if (option == "--folder") {
            need(i, 2);
            std::vector<fs::path> entries;
            for (const fs::directory_entry& entry : fs::directory_iterator(argv[i + 2]))
                if (entry.is_regular_file())
                    entries.push_back(entry.path());
            std::sort(entries.begin(), entries.end());
            for (const fs::path& path : entries)
                request.files.push_back({argv[i + 1], path.filename().string(), path, next++});
            i += 2;
        } else if (option == "--link") {
            need(i, 4);
            request.links.push_back({argv[i + 1], argv[i + 2], argv[i + 3], argv[i + 4]});
            i += 4;
        } else {
            Fail("unknown argument " + option);
        }
    }
    if (request.out.empty() || request.setup.appName.empty())
        Fail("--out and --app are needed");
    if (next >= cabinet::kSetupLibraryNumber)
        Fail("too many files for one cabinet");
    return request;
}

// Numbers the texts of folder and link paths, one string per name.
class SetupTables {
public:
    explicit SetupTables(cabinet::SetupFile& setup) : setup_(setup) {}

    uint16_t StringId(const std::string& text)
    {
        auto found = strings_.find(text);
        if (found != strings_.end())
            return found->second;
        uint16_t id = static_cast<uint16_t>(setup_.strings.size() + 1);
        setup_.strings.push_back({id, text});
        strings_[text] = id;
        return id;
    }
    std::vector<uint16_t> PathIds(const std::string& path)
    {
        std::vector<uint16_t> ids;
        std::stringstream parts(path);
        for (std::string part; std::getline(parts, part, '\\');)
            ids.push_back(StringId(part));
        return ids;
    }
    uint16_t DirectoryId(const std::string& folder)
    {
        auto found = directories_.find(folder);
        if (found != directories_.end())
            return found->second;
        uint16_t id = static_cast<uint16_t>(setup_.directories.size() + 1);
        setup_.directories.push_back({id, PathIds(folder)});
        directories_[folder] = id;
        return id;
    }

private:
    cabinet::SetupFile& setup_;
    std::map<std::string, uint16_t> strings_;
    std::map<std::string, uint16_t> directories_;
};

uint16_t MacroNumber(const std::string& base)
{
    if (base.size() < 5 || base.compare(0, 3, "%CE") != 0 || base.back() != '%')
        Fail("a link's base is a folder macro such as %CE11%, not " + base);
    return static_cast<uint16_t>(std::stoul(base.substr(3, base.size() - 4)));
}

void FillSetupFile(Request& request)
{
    SetupTables tables(request.setup);
    for (const SourceFile& file : request.files)
        request.setup.files.push_back({file.number, tables.DirectoryId(file.folder), 0, file.name});
    for (const LinkRequest& link : request.links) {
        auto target = std::find_if(request.files.begin(), request.files.end(), [&](const SourceFile& file) {
            return file.folder == link.targetFolder && file.name == link.targetName;
        });
        if (target == request.files.end())
            Fail("link " + link.name + " points at a file that is not in the cabinet");
        uint16_t id = static_cast<uint16_t>(request.setup.links.size() + 1);
        request.setup.links.push_back(
            {id, MacroNumber(link.base), target->number, cabinet::kLinkToFile, tables.PathIds(link.name)});
    }
}

// The 8.3 member name: up to eight letters and digits of the file's name
// ("QUIBMO~1" when it is longer, zero-padded on the left when shorter),
// then the member's number as the extension.
std::string MemberName(const std::string& name, uint16_t number)
{
    std::string stem;
    for (char c : name.substr(0, name.rfind('.')))
        if (std::isalnum(static_cast<unsigned char>(c)))
            stem += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem.size() > 8)
        stem = stem.substr(0, 6) + "~1";
    stem.insert(0, 8 - stem.size(), '0');
    char extension[8];
    std::snprintf(extension, sizeof extension, ".%03u", number);
    return stem + extension;
}

GBytes* ReadHostFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path.string());
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return g_bytes_new(bytes.data(), bytes.size());
}

void AddMember(GCabFolder* folder, const std::string& name, GBytes* bytes)
{
    GCabFile* file = gcab_file_new_with_bytes(name.c_str(), bytes);
    g_bytes_unref(bytes);
    // A fixed date keeps the cabinet the same from build to build.
    GDateTime* date = g_date_time_new_utc(2006, 1, 1, 0, 0, 0);
    gcab_file_set_date_time(file, date);
    g_date_time_unref(date);
    GError* error = nullptr;
    if (!gcab_folder_add_file(folder, file, FALSE, nullptr, &error))
        Fail("cannot add " + name + ": " + error->message);
    g_object_unref(file);
}

// The setup file first, then the other members by falling number.
void WriteCabinet(const Request& request)
{
    GCabFolder* folder = gcab_folder_new(GCAB_COMPRESSION_NONE);
    std::vector<uint8_t> setup = cabinet::FormatSetupFile(request.setup);
    const std::string& stemSource = request.files.empty() ? request.setup.appName : request.files.front().name;
    AddMember(folder, MemberName(stemSource, cabinet::kSetupFileNumber), g_bytes_new(setup.data(), setup.size()));
    std::vector<const SourceFile*> ordered;
    for (const SourceFile& file : request.files)
        ordered.push_back(&file);
    std::sort(ordered.begin(), ordered.end(), [](const SourceFile* a, const SourceFile* b) { return a->number > b->number; });
    for (const SourceFile* file : ordered)
        AddMember(folder, MemberName(file->name, file->number), ReadHostFile(file->host));

    GCabCabinet* cab = gcab_cabinet_new();
    GError* error = nullptr;
    if (!gcab_cabinet_add_folder(cab, folder, &error))
        Fail(std::string("cannot make the cabinet: ") + error->message);
    fs::path partial = request.out;
    partial += ".part";
    GFile* out = g_file_new_for_path(partial.c_str());
    GFileOutputStream* stream = g_file_replace(out, nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &error);
    if (!stream || !gcab_cabinet_write_simple(cab, G_OUTPUT_STREAM(stream), nullptr, nullptr, nullptr, &error) ||
        !g_output_stream_close(G_OUTPUT_STREAM(stream), nullptr, &error))
        Fail("cannot write " + partial.string() + ": " + error->message);
    g_object_unref(stream);
    g_object_unref(out);
    g_object_unref(cab);
    g_object_unref(folder);
    // Whole or not at all: a failed build leaves no half-written cabinet.
    fs::rename(partial, request.out);
}

}  // namespace

int main(int argc, char** argv)
{
    Request request = ParseArguments(argc, argv);
    FillSetupFile(request);
    WriteCabinet(request);
    return 0;
}
