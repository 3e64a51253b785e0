// The front end of a build without SDL2.
#include "interactive_window.h"

namespace sim {

WindowOutcome RunInteractiveWindow(Server&, int, std::string& reason)
{
    reason = "this devsim was built without SDL2";
    return WindowOutcome::Unavailable;
}

}  // namespace sim
