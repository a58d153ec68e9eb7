// The save slots as the hotkeys and the menu use them: the operation, then a notice on
// screen of what came of it ("Saved to slot 2", "Cannot save slot 2: <reason>", ...).
#pragma once

#include <stddef.h>

#include <string>

// state_slot_op with its notice; its result. Slots are named from 1 on screen.
bool slot_op_noticed(int slot, bool save);

// The reason a failed operation gives in the lines it logged: the end, after the last ": ",
// of the last line that has one ("" when none does).
std::string slot_failure_reason(const std::string &lines);
