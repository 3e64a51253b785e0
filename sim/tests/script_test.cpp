#include "server/script.h"

#include <gtest/gtest.h>

namespace {

using sim::ScriptCommand;
using Kind = ScriptCommand::Kind;
using Action = ScriptCommand::KeyAction;

sim::Script Parse(std::string_view text)
{
    sim::Script script;
    std::vector<std::string> errors;
    EXPECT_TRUE(sim::ParseScript(text, script, errors)) << (errors.empty() ? "" : errors[0]);
    return script;
}

ScriptCommand ParseOne(std::string_view text)
{
    sim::Script script = Parse(text);
    EXPECT_EQ(script.size(), 1u) << text;
    return script.empty() ? ScriptCommand() : script[0];
}

TEST(Script, RunTakesAPathAndTheRestOfTheLineAsParameters)
{
    ScriptCommand plain = ParseOne("run \\Windows\\task.exe");
    EXPECT_EQ(plain.kind, Kind::Run);
    EXPECT_EQ(plain.text, "\\Windows\\task.exe");
    EXPECT_EQ(plain.parameters, "");
    // One blank separates; whatever follows reaches the program as written.
    ScriptCommand quoted = ParseOne("run  \"\\Program Files\\Quib Monitor\\quibmonitor.exe\" /HOMETASK \r\n");
    EXPECT_EQ(quoted.text, "\\Program Files\\Quib Monitor\\quibmonitor.exe");
    EXPECT_EQ(quoted.parameters, "/HOMETASK ");
    EXPECT_EQ(ParseOne("run \\a.exe  -x \"t #1\"").parameters, " -x \"t #1\"");
}

TEST(Script, StylusAndKeyCommands)
{
    sim::Script script = Parse("tap 10 20\ndown 0 0\nmove\t5   6\nup 239 319\nhold 30 40\nhold 1 2 2500\n");
    ASSERT_EQ(script.size(), 6u);
    const Kind kinds[] = {Kind::Tap, Kind::Down, Kind::Move, Kind::Up, Kind::Hold, Kind::Hold};
    const int xs[] = {10, 0, 5, 239, 30, 1}, ys[] = {20, 0, 6, 319, 40, 2};
    for (size_t i = 0; i < script.size(); ++i) {
        EXPECT_EQ(script[i].kind, kinds[i]) << i;
        EXPECT_EQ(script[i].x, xs[i]) << i;
        EXPECT_EQ(script[i].y, ys[i]) << i;
    }
    EXPECT_EQ(script[4].ms, sim::kDefaultHoldMs);
    EXPECT_EQ(script[5].ms, 2500u);

    struct Key {
        const char* line;
        uint8_t virtualKey;
        Action action;
    };
    const Key keys[] = {
        {"key LEFT", 0x25, Action::Press},  {"key UP", 0x26, Action::Press},     {"key RIGHT", 0x27, Action::Press},
        {"key DOWN", 0x28, Action::Press},  {"key RETURN", 0x0D, Action::Press}, {"key ESCAPE", 0x1B, Action::Press},
        {"key F1 down", 0x70, Action::Down}, {"key f2 up", 0x71, Action::Up},    {"key 13", 0x0D, Action::Press},
        {"key 0xC1 down", 0xC1, Action::Down},
    };
    for (const Key& key : keys) {
        ScriptCommand command = ParseOne(key.line);
        EXPECT_EQ(command.kind, Kind::Key) << key.line;
        EXPECT_EQ(command.virtualKey, key.virtualKey) << key.line;
        EXPECT_EQ(command.keyAction, key.action) << key.line;
    }
}

TEST(Script, ExpectationsTakeTheRestOfTheLineAsAPattern)
{
    ScriptCommand expect = ParseOne("expect   activate .*title=\"Item #1\"  ");
    EXPECT_EQ(expect.kind, Kind::Expect);
    EXPECT_EQ(expect.text, "activate .*title=\"Item #1\"");
    EXPECT_TRUE(std::regex_search("5 activate hwnd=3 title=\"Item #1\"", expect.pattern));
    EXPECT_FALSE(std::regex_search("5 activate hwnd=3 title=\"Item #2\"", expect.pattern));
    ScriptCommand expectNot = ParseOne("expect-not ^\\d+ process-exit pid=2 code=(?!0)");
    EXPECT_EQ(expectNot.kind, Kind::ExpectNot);
    EXPECT_TRUE(std::regex_search("90 process-exit pid=2 code=1", expectNot.pattern));
    EXPECT_FALSE(std::regex_search("90 process-exit pid=2 code=0", expectNot.pattern));
}

TEST(Script, SettingsNamesAndFiles)
{
    sim::Script script = Parse("set battery main 15\nset battery backup 255 0x80\nset card absent\nset locale de\n"
                               "kill Stubborn Task\nkill \" padded \"\nshot \"out/a b.png\"\nrotate landscape\n"
                               "dump  tree.txt \nwait 5000\nidle\nend\n");
    ASSERT_EQ(script.size(), 12u);
    const Kind kinds[] = {Kind::SetBattery, Kind::SetBattery, Kind::SetCard, Kind::SetLocale, Kind::Kill, Kind::Kill,
                          Kind::Shot, Kind::Rotate, Kind::Dump, Kind::Wait, Kind::Idle, Kind::End};
    for (size_t i = 0; i < script.size(); ++i)
        EXPECT_EQ(script[i].kind, kinds[i]) << i;
    EXPECT_EQ(script[0].battery, ScriptCommand::Battery::Main);
    EXPECT_EQ(script[0].percent, 15);
    EXPECT_FALSE(script[0].batteryFlag.has_value());
    EXPECT_EQ(script[1].battery, ScriptCommand::Battery::Backup);
    EXPECT_EQ(script[1].percent, 255);
    EXPECT_EQ(script[1].batteryFlag, uint8_t{0x80});
    EXPECT_FALSE(script[2].cardPresent);
    EXPECT_TRUE(ParseOne("set card present").cardPresent);
    const char* texts[] = {"de", "Stubborn Task", " padded ", "out/a b.png", "landscape", "tree.txt"};
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(script[3 + i].text, texts[i]);
    EXPECT_EQ(script[9].ms, 5000u);

    // An item's text, quoted when it has blanks at its ends.
    ScriptCommand choose = ParseOne("choose Hilite 25%");
    EXPECT_EQ(choose.kind, Kind::Choose);
    EXPECT_EQ(choose.text, "Hilite 25%");
    EXPECT_EQ(ParseOne("choose \" Power \"").text, " Power ");
    ScriptCommand press = ParseOne("press I accept");
    EXPECT_EQ(press.kind, Kind::Press);
    EXPECT_EQ(press.text, "I accept");

    ScriptCommand match = ParseOne("match \"golden/clip one.png\"");
    EXPECT_EQ(match.kind, Kind::Match);
    EXPECT_EQ(match.text, "golden/clip one.png");

    ScriptCommand remove = ParseOne("delete \"\\Windows\\Start Menu\\x.lnk\"");
    EXPECT_EQ(remove.kind, Kind::Delete);
    EXPECT_EQ(remove.text, "\\Windows\\Start Menu\\x.lnk");
    EXPECT_EQ(ParseOne("delete \\Windows\\power.exe ").text, "\\Windows\\power.exe");
}

TEST(Script, CommentsBlankLinesAndLineEndings)
{
    sim::Script script = Parse("\xEF\xBB\xBF# boot the popup\r\n\r\n   \t\r\n  # indented\r\nrun \\x.exe /popup\r\n"
                               "\tidle\r\nexpect #hash\r\nend");
    ASSERT_EQ(script.size(), 4u);
    EXPECT_EQ(script[0].line, 5);
    EXPECT_EQ(script[0].parameters, "/popup");
    EXPECT_EQ(script[1].line, 6);
    EXPECT_EQ(script[2].text, "#hash");
    EXPECT_EQ(script[3].line, 8);
}

TEST(Script, ErrorsNameTheLineAndTheProblem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"run", "run: missing program path"},
        {"run \"\\a b.exe", "run: missing closing quote"},
        {"run \"\\a\"/x", "run: a blank must follow the quoted path"},
        {"tap 10", "tap: expected X Y"},
        {"tap -1 5", "tap: X and Y must be numbers from 0 to 32767"},
        {"move 1 32768", "move: X and Y must be numbers from 0 to 32767"},
        {"hold 1 2 soon", "hold: \"soon\" is not a number of milliseconds"},
        {"wait 4294967296", "wait: \"4294967296\" is not a number of milliseconds"},
        {"key ENTER", "key: unknown key \"ENTER\""},
        {"key 0", "key: unknown key \"0\""},
        {"key 0x100", "key: unknown key \"0x100\""},
        {"key LEFT press", "key: expected down or up after the key"},
        {"expect ", "expect: missing regular expression"},
        {"set battery spare 5", "set: the battery is main or backup"},
        {"set battery main 101", "set: PERCENT must be 0 to 100, or 255 for unknown"},
        {"set battery main 50 256", "set: FLAGBYTE must be a number from 0 to 255 (or 0x00 to 0xff)"},
        {"set card maybe", "set: expected card present|absent"},
        {"set volume 3", "set: unknown setting \"volume\""},
        {"kill", "kill: missing argument"},
        {"choose", "choose: missing argument"},
        {"press", "press: missing argument"},
        {"choose \"Quit", "choose: missing closing quote"},
        {"delete \"\"", "delete: missing argument"},
        {"shot \"a\" b", "shot: unexpected text after the closing quote"},
        {"match  ", "match: missing argument"},
        {"rotate wide screen", "rotate: expected one name"},
        {"idle 5", "idle: takes no arguments"},
        {"Tap 1 2", "unknown command \"Tap\""},
    };
    for (const auto& [line, why] : cases) {
        sim::Script script;
        std::vector<std::string> errors;
        EXPECT_FALSE(sim::ParseScript(std::string("idle\n\n") + line + "\r\nend\n", script, errors)) << line;
        EXPECT_EQ(errors, std::vector<std::string>{std::string("line 3: ") + why});
        EXPECT_EQ(script.size(), 2u) << line;  // the good lines around it still parse
    }
    sim::Script script;
    std::vector<std::string> errors;
    EXPECT_FALSE(sim::ParseScript("expect-not (unclosed", script, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("line 1: expect-not: invalid regular expression", 0), 0u) << errors[0];
}

}  // namespace
