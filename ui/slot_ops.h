// The save slots as the hotkeys and the menu use them: the operation on the frame on
// screen, then a notice of what came of it ("Saved to slot 2", "Cannot save slot 2:
// <reason>", ...), and the menu's slot rows brought up to date.
#pragma once

// slots_op with its notice; its result. Slots are named from 1 on screen.
bool slot_op_noticed(int slot, bool save);
