#include "task_options.h"

#include "command_words.h"

TaskOptions ParseTaskOptions(std::u16string_view commandLine)
{
    TaskOptions options;
    std::u16string_view rest = SkipBlanks(commandLine);
    for (;;) {
        if (TakeOption(rest, u"--ignore-close"))
            options.ignoreClose = true;
        else if (TakeOption(rest, u"--ignore-quit"))
            options.ignoreQuit = true;
        else if (TakeOption(rest, u"--hang"))
            options.hang = true;
        else if (TakeOption(rest, u"--spin"))
            options.spin = true;
        else if (TakeOption(rest, u"--protected"))
            options.denyOpen = true;
        else if (TakeOption(rest, u"--child"))
            options.child = true;
        else if (TakeOption(rest, u"--class-from-title"))
            options.classFromTitle = true;
        else if (TakeOption(rest, u"--load") && !rest.empty())
            options.library = std::u16string(TakeWord(rest));
        else
            break;
    }
    options.title = rest.empty() ? u"Task" : std::u16string(rest);
    return options;
}
