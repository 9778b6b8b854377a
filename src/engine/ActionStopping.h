// Ending whatever an input's action is doing, whatever its push type: used where an action
// must not go on running after its input let go of it (the input deleted, its controller
// deactivated, the action replaced). A plain Release leaves a Toggle running until a second
// press; a combination's Release leaves its own toggled parts running; a threshold container
// is never active itself, its entries are. This reaches all of them.
//
// The caller holds the element lock of the controller (see Joystick.h), so no poll presses or
// releases the action meanwhile; the parts of a pressed combination never change.
#pragma once

class CAction;

void StopActionCompletely(CAction& action);
