// setup_data: the build's converter for pcsetup's resources.
//   setup_data text IN OUT     UTF-8 text to Windows-1252 with CR LF line
//                              ends and a terminating zero
//   setup_data picture NAME OUT  the banner ("banner") or a flag ("en", ...)
//                              as a Windows bitmap
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "pictures.h"

namespace {

// Latin-1 covers every letter of the five languages; anything beyond it is
// refused rather than written as a wrong byte.
bool Cp1252FromUtf8(const std::string& in, std::string& out)
{
    for (size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        uint32_t code = c;
        if (c >= 0x80) {
            if ((c & 0xE0) != 0xC0 || i + 1 >= in.size())
                return false;
            code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(in[i + 1]) & 0x3Fu);
            if (code < 0xA0)
                return false;
            i += 2;
        } else {
            ++i;
        }
        if (code == '\r')
            continue;
        if (code == '\n')
            out += '\r';
        out += static_cast<char>(code);
    }
    return true;
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    return static_cast<bool>(file);
}

int ConvertText(const std::string& inPath, const std::string& outPath)
{
    std::ifstream file(inPath, std::ios::binary);
    if (!file) {
        std::cerr << "setup_data: cannot read " << inPath << "\n";
        return 1;
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::string out;
    if (!Cp1252FromUtf8(text, out)) {
        std::cerr << "setup_data: " << inPath << " holds a character outside Windows-1252\n";
        return 1;
    }
    out += '\0';
    return WriteFile(outPath, out) ? 0 : 1;
}

int WritePicture(const std::string& name, const std::string& outPath)
{
    Picture picture = name == "banner" ? DrawBanner() : DrawFlag(name);
    if (picture.width == 0) {
        std::cerr << "setup_data: no picture " << name << "\n";
        return 1;
    }
    return WriteFile(outPath, BitmapFile(picture)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "text")
        return ConvertText(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "picture")
        return WritePicture(argv[2], argv[3]);
    std::cerr << "usage: setup_data text IN OUT | setup_data picture NAME OUT\n";
    return 2;
}
