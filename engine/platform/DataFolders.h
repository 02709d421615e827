#pragma once

#include <string>

// Folders where the program keeps persistent data, made on every call (a folder deleted meanwhile comes back).
// Neither ever returns an empty path; neither has a trailing separator.

// $XDG_DATA_HOME (default ~/.local/share) + "/<publisher>/<title>".
std::string getUserDataFolder(const std::string& publisher, const std::string& title);

// "<sharedRoot>/<publisher>/<title>", made group-writable when this call creates it;
// "<user data folder>/AllUsers" when the shared folder can be neither created nor written.
std::string getCommonDataFolder(const std::string& publisher, const std::string& title,
                                const std::string& sharedRoot = "/var/lib");

// The folder of the running program, where its content lies; empty when the system does not tell.
std::string getProgramFolder();

// Why nothing can be saved in the folder ("it is not a folder", "Permission denied", ...); empty when a
// file can be written there.
std::string describeUnwritableFolder(const std::string& folder);
