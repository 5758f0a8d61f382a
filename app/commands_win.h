#pragma once
// Runs what the wiring table binds to an event.
#include "app/window_design.h"

namespace moxilo {

struct OpenWindowRecord;

void runCommand(Command command, OpenWindowRecord& record);

// The command bound to `control`'s `event` in the record's design, run.
void raiseEvent(OpenWindowRecord& record, int control, Event event);

}  // namespace moxilo
