#include "device_profile.h"

#include <charconv>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>

#include "text_convert.h"

namespace sim {
namespace {

constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = 1024 * kKiB;
constexpr uint64_t kGiB = 1024 * kMiB;

// A Windows Mobile 5 Pocket PC of 2005: QVGA portrait at 96 dpi, CE 5.1
// build 1700, running on battery.
DeviceProfile QvgaProfile()
{
    DeviceProfile profile;
    profile.name = "qvga";
    profile.screenWidth = 240;
    profile.screenHeight = 320;
    profile.dpi = 96;
    platform::DeviceStatus& s = profile.status;
    s.osMajor = 5;
    s.osMinor = 1;
    s.osBuild = 1700;
    s.decimalSeparator = u'.';
    s.thousandsSeparator = u',';
    s.acLineStatus = 0;  // offline
    s.mainFlag = 1;      // BATTERY_FLAG_HIGH
    s.mainPercent = 87;
    s.backupFlag = 1;
    s.backupPercent = 100;
    // 64 MB of program memory, some 38 MB of it free after boot.
    s.memoryTotal = static_cast<DWORD>(64 * kMiB);
    s.memoryAvailable = static_cast<DWORD>(38 * kMiB + 412 * kKiB);
    // A 32 MB object store with about 20 MB free; the application data
    // volume is the object store, so it reports the same figures.
    s.storeSize = static_cast<DWORD>(32 * kMiB);
    s.storeFree = static_cast<DWORD>(20 * kMiB + 256 * kKiB);
    s.appDataTotal = s.storeSize;
    s.appDataFree = s.storeFree;
    // A 1 GB SD card, 700 MB of it free.
    s.cardPresent = true;
    s.cardTotal = 1 * kGiB;
    s.cardFree = 700 * kMiB;
    profile.imageOmit = {"\\Windows\\powerexe.exe"};
    return profile;
}

// The other built-ins are qvga with a few keys changed.
struct BuiltIn {
    std::string_view name;
    std::string_view text;
};

constexpr BuiltIn kBuiltIns[] = {
    {"qvga", ""},
    // VGA Pocket PC (e.g. the Dell Axim X50v): 480x640 at 192 dpi.
    {"vga", "screen=480x640\ndpi=192\n"},
    // VGA panel driven at 96 dpi ("SE_VGA" mode): more, smaller content.
    {"vga96", "screen=480x640\ndpi=96\n"},
    // The QVGA device rotated to landscape.
    {"landscape", "screen=320x240\n"},
    // Square-screen Pocket PC (e.g. the HP iPAQ hw6500 family).
    {"square", "screen=240x240\n"},
    // Pocket PC 2003 Second Edition: CE 4.21 build 1088, which predates
    // the "System\State\Battery" registry values and names its power
    // panel powerexe.exe.
    {"ce4", "os=4.21.1088\nimage.omit=\\Windows\\power.exe\n"},
    // German regional settings: decimal comma, thousands point.
    {"de", "decimal=,\nthousands=.\n"},
    // A Windows XP desktop PC of 2005: an 800x600 screen, on the mains with
    // no battery, 256 MB of memory, no storage card.
    {"desktop", "kind=desktop\nscreen=800x600\ndpi=96\nos=5.1.2600\nac=1\n"
                "main.flag=128\nmain.percent=255\nbackup.flag=128\nbackup.percent=255\n"
                "memory.total=256M\nmemory.available=180M\ncard=absent\ncard.total=0\ncard.free=0\n"
                "image.omit=\n"},
};

std::string_view Trim(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value)
{
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseByte(std::string_view text, BYTE& value)
{
    unsigned number = 0;
    if (!ParseNumber(text, number) || number > 255)
        return false;
    value = static_cast<BYTE>(number);
    return true;
}

// Plain bytes or a K/M/G (binary) suffix: "1G", "700M", "33554432".
bool ParseSize(std::string_view text, uint64_t limit, uint64_t& value)
{
    uint64_t unit = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'K': case 'k': unit = kKiB; break;
        case 'M': case 'm': unit = kMiB; break;
        case 'G': case 'g': unit = kGiB; break;
        default: break;
        }
        if (unit != 1)
            text.remove_suffix(1);
    }
    uint64_t count = 0;
    if (!ParseNumber(text, count) || count > limit / unit)
        return false;
    value = count * unit;
    return true;
}

bool ParseSize32(std::string_view text, DWORD& value)
{
    uint64_t size = 0;
    if (!ParseSize(text, std::numeric_limits<DWORD>::max(), size))
        return false;
    value = static_cast<DWORD>(size);
    return true;
}

bool ParseSize64(std::string_view text, uint64_t& value)
{
    return ParseSize(text, std::numeric_limits<uint64_t>::max(), value);
}

bool ParsePositive(std::string_view text, int& value) { return ParseNumber(text, value) && value > 0; }

bool ParseScreen(std::string_view text, DeviceProfile& profile)
{
    size_t x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    return ParsePositive(text.substr(0, x), profile.screenWidth) &&
           ParsePositive(text.substr(x + 1), profile.screenHeight);
}

bool ParseOsVersion(std::string_view text, platform::DeviceStatus& status)
{
    size_t dot1 = text.find('.');
    size_t dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos)
        return false;
    return ParseNumber(text.substr(0, dot1), status.osMajor) &&
           ParseNumber(text.substr(dot1 + 1, dot2 - dot1 - 1), status.osMinor) &&
           ParseNumber(text.substr(dot2 + 1), status.osBuild);
}

// One character (any that fits one UTF-16 unit), or the word "space".
bool ParseSeparator(std::string_view text, char16_t& value)
{
    if (text == "space") {
        value = u' ';
        return true;
    }
    std::u16string wide = platform::Utf16FromUtf8(text);
    if (wide.size() != 1)
        return false;
    value = wide[0];
    return true;
}

bool ParseFlag01(std::string_view text, BYTE& value)
{
    if (text != "0" && text != "1")
        return false;
    value = static_cast<BYTE>(text[0] - '0');
    return true;
}

bool ParseKind(std::string_view text, bool& desktop)
{
    if (text != "pocketpc" && text != "desktop")
        return false;
    desktop = text == "desktop";
    return true;
}

bool ParseCard(std::string_view text, bool& present)
{
    if (text != "present" && text != "absent")
        return false;
    present = text == "present";
    return true;
}

// "YYYY-MM-DD HH:MM" in the years a Pocket PC can show.
bool ParseClock(std::string_view text, int64_t& seconds)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        !ParseNumber(text.substr(0, 4), year) || !ParseNumber(text.substr(5, 2), month) ||
        !ParseNumber(text.substr(8, 2), day) || !ParseNumber(text.substr(11, 2), hour) ||
        !ParseNumber(text.substr(14, 2), minute))
        return false;
    std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                     std::chrono::day(static_cast<unsigned>(day))};
    if (year < 1980 || year > 2099 || !date.ok() || hour > 23 || minute > 59)
        return false;
    seconds = std::chrono::sys_days(date).time_since_epoch().count() * 86400LL + hour * 3600 + minute * 60;
    return true;
}

// Paths between ';', blanks around each dropped; an empty value omits none.
bool ParsePathList(std::string_view text, std::vector<std::string>& paths)
{
    std::vector<std::string> parsed;
    while (!text.empty()) {
        size_t end = text.find(';');
        std::string_view path = Trim(text.substr(0, end));
        if (path.empty())
            return false;
        parsed.emplace_back(path);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        if (text.empty())
            return false;
    }
    paths = std::move(parsed);
    return true;
}

using Setter = std::function<bool(std::string_view, DeviceProfile&)>;

struct Key {
    std::string_view name;
    Setter set;
};

const std::vector<Key>& Keys()
{
    using P = DeviceProfile;
    static const std::vector<Key> keys = {
        {"name", [](std::string_view v, P& p) { p.name = v; return !v.empty(); }},
        {"screen", [](std::string_view v, P& p) { return ParseScreen(v, p); }},
        {"dpi", [](std::string_view v, P& p) { return ParsePositive(v, p.dpi); }},
        {"kind", [](std::string_view v, P& p) { return ParseKind(v, p.desktop); }},
        {"os", [](std::string_view v, P& p) { return ParseOsVersion(v, p.status); }},
        {"decimal", [](std::string_view v, P& p) { return ParseSeparator(v, p.status.decimalSeparator); }},
        {"thousands", [](std::string_view v, P& p) { return ParseSeparator(v, p.status.thousandsSeparator); }},
        {"ac", [](std::string_view v, P& p) { return ParseFlag01(v, p.status.acLineStatus); }},
        {"main.flag", [](std::string_view v, P& p) { return ParseByte(v, p.status.mainFlag); }},
        {"main.percent", [](std::string_view v, P& p) { return ParseByte(v, p.status.mainPercent); }},
        {"backup.flag", [](std::string_view v, P& p) { return ParseByte(v, p.status.backupFlag); }},
        {"backup.percent", [](std::string_view v, P& p) { return ParseByte(v, p.status.backupPercent); }},
        {"memory.total", [](std::string_view v, P& p) { return ParseSize32(v, p.status.memoryTotal); }},
        {"memory.available", [](std::string_view v, P& p) { return ParseSize32(v, p.status.memoryAvailable); }},
        {"store.size", [](std::string_view v, P& p) { return ParseSize32(v, p.status.storeSize); }},
        {"store.free", [](std::string_view v, P& p) { return ParseSize32(v, p.status.storeFree); }},
        {"store.capacity", [](std::string_view v, P& p) { return ParseSize32(v, p.storeCapacity.emplace()); }},
        {"appdata.total", [](std::string_view v, P& p) { return ParseSize64(v, p.status.appDataTotal); }},
        {"appdata.free", [](std::string_view v, P& p) { return ParseSize64(v, p.status.appDataFree); }},
        {"card", [](std::string_view v, P& p) { return ParseCard(v, p.status.cardPresent); }},
        {"card.total", [](std::string_view v, P& p) { return ParseSize64(v, p.status.cardTotal); }},
        {"card.free", [](std::string_view v, P& p) { return ParseSize64(v, p.status.cardFree); }},
        {"clock", [](std::string_view v, P& p) { return ParseClock(v, p.clockStart); }},
        {"image.omit", [](std::string_view v, P& p) { return ParsePathList(v, p.imageOmit); }},
    };
    return keys;
}

const Key* FindKey(std::string_view name)
{
    for (const Key& key : Keys()) {
        if (key.name == name)
            return &key;
    }
    return nullptr;
}

// Applies one non-blank, non-comment line; answers why it is bad, or "".
std::string ApplyLine(std::string_view line, DeviceProfile& profile)
{
    size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return "expected key=value";
    std::string_view name = Trim(line.substr(0, equals));
    std::string_view value = Trim(line.substr(equals + 1));
    const Key* key = FindKey(name);
    if (!key)
        return "unknown key \"" + std::string(name) + "\"";
    if (!key->set(value, profile))
        return "bad value \"" + std::string(value) + "\" for " + std::string(name);
    return {};
}

std::optional<DeviceProfile> ParseOver(DeviceProfile profile, std::string_view text, std::string& error)
{
    int lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        std::string why = ApplyLine(line, profile);
        if (!why.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        }
    }
    return profile;
}

}  // namespace

std::optional<DeviceProfile> ParseProfile(std::string_view text, std::string& error)
{
    return ParseOver(QvgaProfile(), text, error);
}

std::optional<DeviceProfile> BuiltInProfile(std::string_view name)
{
    for (const BuiltIn& builtIn : kBuiltIns) {
        if (builtIn.name != name)
            continue;
        std::string error;
        std::optional<DeviceProfile> profile = ParseProfile(builtIn.text, error);
        if (profile)
            profile->name = builtIn.name;
        return profile;
    }
    return std::nullopt;
}

std::optional<DeviceProfile> LoadProfile(const std::string& nameOrPath, std::string& error)
{
    if (std::optional<DeviceProfile> builtIn = BuiltInProfile(nameOrPath))
        return builtIn;
    std::ifstream in(nameOrPath, std::ios::binary);
    if (!in) {
        error = nameOrPath + ": no such built-in profile or readable file";
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<DeviceProfile> profile = ParseProfile(text, error);
    if (!profile)
        error = nameOrPath + ": " + error;
    return profile;
}

DWORD BatteryRegistryWord(BYTE flag, BYTE percent)
{
    DWORD state = 0;
    if (flag == 255) {
        // An unknown battery is reported as absent rather than as every
        // state at once.
        state = 1;
    } else {
        if (flag & 128)
            state |= 1;  // not present
        if (flag & 8)
            state |= 2;  // charging
        if (flag & 2)
            state |= 4;  // low
        if (flag & 4)
            state |= 8;  // critical
    }
    // Percentages above 100 (255 is "unknown") give the lowest level.
    DWORD level = 0;
    if (percent <= 100) {
        if (percent > 80)
            level = 81;
        else if (percent > 60)
            level = 61;
        else if (percent > 40)
            level = 41;
        else if (percent > 20)
            level = 21;
    }
    return level << 16 | state;
}

}  // namespace sim
