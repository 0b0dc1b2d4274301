// The control library's notifications and its change flag word.
//
// Every committed change of a control is announced to the control's dialog
// (WM_CTLCHANGED, wParam: the control id modulo 100, the field's number in
// its dialog) and ORed into ControlChangeFlags; focus changes and changes
// the dialog asks to publish go to the client window of the application's
// main window. Messages are sent synchronously; lParam is always 0. A window
// that does not handle one answers 0.
#pragma once

#include <cstdint>

class TControl;
class TEdit;

constexpr unsigned WM_CTLCHANGED = 5001;  // to the dialog; reply bit 0: send WM_CTLUPDATE,
                                          // bit 1 (edits): send WM_CTLMODIFIED
constexpr unsigned WM_CTLUPDATE = 5002;   // to the dialog, wParam 0
constexpr unsigned WM_CTLFOCUS = 5004;    // to the client: control id on focus gain, 0 on loss
constexpr unsigned WM_CTLMODIFIED = 5006; // to the client, wParam 0
constexpr unsigned WM_CTLFLAG2 = 5008;    // to the client after a click, when flags have bit 2
constexpr unsigned WM_CTLFLAG4 = 5019;    // to the client after a click, when flags have bit 4

// What kinds of data the user changed since the host program last cleared
// it: every control ORs in its change flags (widened with their sign) when a
// change is committed. The library never clears it.
extern std::int32_t ControlChangeFlags;

// ORs a control's 16-bit change flags into ControlChangeFlags.
void MarkControlChange(std::int16_t changeFlags);

// Sends a message to the control's dialog; its reply.
long NotifyDialog(const TControl& control, unsigned message, unsigned long wParam);
// Sends a message to the main window's client window; its reply.
long NotifyClient(unsigned message, unsigned long wParam);

// The commit of an edit that loses the focus: when the user modified the
// text, clear the flag, transfer the text into the variable, announce the
// change (WM_CTLCHANGED, then WM_CTLUPDATE and WM_CTLMODIFIED as the reply
// asks) and mark the change flags.
void CommitEditChange(TEdit& edit, std::int16_t changeFlags);

// The announcement after a click on a bound button: mark the change flags,
// WM_CTLCHANGED (and WM_CTLUPDATE on a non-zero reply) to the dialog, then
// WM_CTLMODIFIED, and WM_CTLFLAG2 / WM_CTLFLAG4 for the flags' bits 2 and 4,
// to the client.
void AnnounceClick(const TControl& button, std::int16_t changeFlags);
