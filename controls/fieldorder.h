// The keyboard order of a dialog's number fields: consecutive control ids.
// Enter and Down go to the control with the next id (the dialog's first
// control when there is none), Up to the one with the previous id (the last
// control when there is none).
#pragma once

class QKeyEvent;
class TControl;

// Moves the focus for Enter, Down and Up and returns true; false for any
// other key.
bool MoveFocusInFieldOrder(const TControl& field, const QKeyEvent* event);
