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
        else
            break;
    }
    options.title = rest.empty() ? u"Task" : std::u16string(rest);
    return options;
}
