#include "PathUtils.h"

#include <cctype>

using irr::core::stringc;

const stringc pathSeparators("/\\");

bool isPathSeparator(char c)
{
	return c == '/' || c == '\\';
}

namespace
{
int findLastSeparator(const stringc& text)
{
	for (int i = static_cast<int>(text.size()) - 1; i >= 0; --i)
		if (isPathSeparator(text[i]))
			return i;
	return -1;
}

bool startsWith(const char* text, const char* prefix)
{
	for (; *prefix; ++prefix, ++text)
		if (*text != *prefix)
			return false;
	return true;
}
} // namespace

stringc flattenPath(const stringc& base, const stringc& name)
{
	if (base.size() == 0 || getPathRoot(name).size() != 0)
		return name;
	int last = findLastSeparator(base);
	if (last < 0)
		return name;

	stringc folder = base.subString(0, last);
	const char* rest = name.c_str();
	for (;;)
	{
		if (startsWith(rest, "../") || startsWith(rest, "..\\"))
		{
			rest += 3;
			int up = findLastSeparator(folder);
			folder = up < 0 ? stringc() : folder.subString(0, up);
		}
		else if (startsWith(rest, "./") || startsWith(rest, ".\\"))
			rest += 2;
		else
			break;
	}
	if (folder.size() == 0)
		return stringc(rest);
	stringc result = folder;
	result += "/";
	result += rest;
	return result;
}

stringc getRelativePath(const stringc& base, const stringc& target)
{
	if (base.size() == 0 || getPathRoot(base) != getPathRoot(target))
		return target;

	const irr::u32 shorter = base.size() < target.size() ? base.size() : target.size();
	int lastCommonSeparator = -1;
	for (irr::u32 i = 0; i < shorter; ++i)
	{
		const bool bothSeparators = isPathSeparator(base[i]) && isPathSeparator(target[i]);
		if (bothSeparators)
			lastCommonSeparator = static_cast<int>(i);
		else if (base[i] != target[i])
			break;
	}
	const irr::u32 start = static_cast<irr::u32>(lastCommonSeparator + 1);

	stringc result;
	for (irr::u32 i = start; i < base.size(); ++i)
		if (isPathSeparator(base[i]))
			result += "../";
	result += target.subString(start, target.size() - start);
	result.replace('\\', '/');
	return result;
}

stringc getFileNamePart(const stringc& path)
{
	for (int i = static_cast<int>(path.size()) - 1; i >= 0; --i)
		if (isPathSeparator(path[i]) || path[i] == ':')
			return path.subString(i + 1, path.size() - i - 1);
	return path;
}

stringc getFileExtension(const stringc& name)
{
	// Only the file name part counts, so "a.d/b" has no extension.
	const stringc part = getFileNamePart(name);
	const int dot = part.findLast('.');
	if (dot < 0)
		return stringc();
	return part.subString(dot + 1, part.size() - dot - 1);
}

stringc getPathRoot(const stringc& path)
{
	if (path.size() == 0)
		return stringc();
	if (path.size() >= 2 && path[1] == ':')
		return path.subString(0, 1);
	if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1]))
	{
		// Network path: the root ends before the separator that closes the share name.
		int separatorsSeen = 0;
		for (irr::u32 i = 2; i < path.size(); ++i)
			if (isPathSeparator(path[i]) && ++separatorsSeen == 2)
				return path.subString(0, i);
		return path;
	}
	if (isPathSeparator(path[0]))
		return stringc("/");
	return stringc();
}

bool isAbsolutePath(const stringc& path)
{
	return getPathRoot(path).size() != 0;
}

stringc toForwardSlashes(const stringc& path)
{
	stringc result = path;
	result.replace('\\', '/');
	return result;
}

stringc toLowerName(const stringc& name)
{
	stringc result = name;
	for (irr::u32 i = 0; i < result.size(); ++i)
		result[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[i])));
	return result;
}

int compareArchiveNames(const stringc& a, const stringc& b)
{
	const irr::u32 shorter = a.size() < b.size() ? a.size() : b.size();
	for (irr::u32 i = 0; i < shorter; ++i)
	{
		const signed char ca = static_cast<signed char>(a[i]);
		const signed char cb = static_cast<signed char>(b[i]);
		if (ca != cb)
			return ca < cb ? -1 : 1;
	}
	if (a.size() == b.size())
		return 0;
	return a.size() < b.size() ? -1 : 1;
}
