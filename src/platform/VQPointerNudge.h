#pragma once
// Asks the compositor to tell our windows where the pointer rests. GNOME's
// mutter tells a window that appears under a pointer at rest nothing until
// the pointer next moves; a motion by zero pixels through mutter's
// RemoteDesktop D-Bus interface (a session made, started, nudged and stopped
// at once) makes it send the pointer's place without moving anything.
// Elsewhere (no such service on the session bus) it does nothing.
//
// Asynchronous: the pointer's place arrives as the windows' own pointer
// events; a failure is only logged.

namespace VQPointerNudge
{
void request();
}
