#pragma once

#include <string>

// What the platform can tell the user when the program cannot start. The engine's log writes
// nowhere, so these texts are the only trace of why a start failed.

// Why no window can be had on the X display named by DISPLAY: empty when a connection opens.
// The server's own reason for a refusal is part of the text, and is not printed by Xlib as well.
std::string describeDisplayProblem();

// Why a folder (or, with folder false, a file) cannot be read: empty when it can.
std::string describeUnreadablePath(const std::string& path, bool folder);

// Shows the one line "<title>: <text>" on the error stream: the counterpart here of the message
// box another system would show.
void showStartupFailure(const std::string& title, const std::string& text);
