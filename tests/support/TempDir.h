#pragma once

#include <string>

// A fresh folder under the system temp folder, removed with its contents when the object dies.
class TempDir
{
public:
	TempDir();
	~TempDir();
	TempDir(const TempDir&) = delete;
	TempDir& operator=(const TempDir&) = delete;

	const std::string& path() const { return dir; }
	std::string file(const std::string& name) const { return dir + "/" + name; }
	// Writes a file (creating folders on the way) and returns its full path.
	std::string write(const std::string& name, const std::string& content) const;
	std::string read(const std::string& name) const;

private:
	std::string dir;
};
