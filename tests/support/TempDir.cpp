#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::TempDir()
{
	std::string pattern = (std::filesystem::temp_directory_path() / "enginetest-XXXXXX").string();
	char* made = mkdtemp(pattern.data());
	dir = made ? made : pattern;
}

TempDir::~TempDir()
{
	std::error_code ec;
	std::filesystem::remove_all(dir, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const
{
	std::filesystem::path p = std::filesystem::path(dir) / name;
	std::filesystem::create_directories(p.parent_path());
	std::ofstream out(p, std::ios::binary);
	out << content;
	return p.string();
}

std::string TempDir::read(const std::string& name) const
{
	std::ifstream in(std::filesystem::path(dir) / name, std::ios::binary);
	std::stringstream s;
	s << in.rdbuf();
	return s.str();
}
