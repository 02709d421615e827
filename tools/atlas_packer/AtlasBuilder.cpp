#include "AtlasBuilder.h"

#include "common/ImageFiles.h"
#include "common/PictureOps.h"
#include "common/RectanglePacker.h"
#include "common/XmlFileOutput.h"
#include "content/AtlasTextureCollection.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{
bool isPng(const fs::path& path)
{
	std::string extension = path.extension().string();
	std::transform(extension.begin(), extension.end(), extension.begin(),
	               [](unsigned char c) { return std::tolower(c); });
	return extension == ".png";
}
} // namespace

AtlasBuilder::~AtlasBuilder()
{
	for (Picture& picture : pictures)
		picture.image->drop();
}

bool AtlasBuilder::addFolder(const std::string& folder, std::string& error)
{
	std::error_code code;
	std::vector<fs::path> files;
	for (fs::recursive_directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
		if (it->is_regular_file() && isPng(it->path()))
			files.push_back(it->path());
	if (code)
	{
		error = "cannot read folder " + folder;
		return false;
	}
	std::sort(files.begin(), files.end());
	for (const fs::path& file : files)
	{
		Picture picture;
		picture.image = images.load(file.string());
		if (!picture.image)
		{
			error = "cannot read picture " + file.string();
			return false;
		}
		picture.name = options.prefix + file.lexically_relative(folder).generic_string();
		const irr::core::dimension2du size = picture.image->getDimension();
		picture.width = static_cast<int>(size.Width);
		picture.height = static_cast<int>(size.Height);
		irr::core::recti kept(0, 0, picture.width, picture.height);
		if (options.trim)
		{
			kept = findOpaqueBounds(picture.image);
			// A clear picture keeps one clear pixel so it still has a place on the page.
			if (kept.getWidth() == 0)
				kept = irr::core::recti(0, 0, std::min(1, picture.width), std::min(1, picture.height));
		}
		picture.left = kept.UpperLeftCorner.X;
		picture.top = kept.UpperLeftCorner.Y;
		picture.right = kept.LowerRightCorner.X;
		picture.bottom = kept.LowerRightCorner.Y;
		pictures.push_back(picture);
	}
	return true;
}

bool AtlasBuilder::write(const std::string& listPath, std::string& error)
{
	const int padding = options.padding;
	std::vector<std::pair<int, int>> sizes;
	for (const Picture& picture : pictures)
		sizes.emplace_back(picture.right - picture.left + 2 * padding, picture.bottom - picture.top + 2 * padding);
	RectanglePacker packer(options.pageSize, options.pageSize);
	const std::vector<RectanglePacker::Placement> placements = packer.pack(sizes);
	for (size_t i = 0; i < pictures.size(); ++i)
		if (placements[i].page < 0)
		{
			error = pictures[i].name + " does not fit on a page of " + std::to_string(options.pageSize) + " pixels";
			return false;
		}

	const fs::path list(listPath);
	std::error_code ignored;
	if (list.has_parent_path())
		fs::create_directories(list.parent_path(), ignored);
	const std::string stem = list.stem().string();
	AtlasTextureCollection collection{ContentRef()};
	for (int page = 0; page < packer.getPageCount(); ++page)
	{
		const std::pair<int, int> size = packer.usedPageSize(page);
		irr::video::IImage* canvas =
		    images.create(static_cast<irr::u32>(size.first), static_cast<irr::u32>(size.second));
		for (size_t i = 0; i < pictures.size(); ++i)
			if (placements[i].page == page)
			{
				const Picture& picture = pictures[i];
				copyExtruded(picture.image, irr::core::recti(picture.left, picture.top, picture.right, picture.bottom),
				             canvas, placements[i].x + padding, placements[i].y + padding, padding / 2);
			}
		const std::string pageName = stem + "_" + std::to_string(page) + ".png";
		const bool saved = images.save(canvas, (list.parent_path() / pageName).string());
		canvas->drop();
		if (!saved)
		{
			error = "cannot write page " + pageName;
			return false;
		}
		collection.addPage(pageName.c_str());
	}
	for (size_t i = 0; i < pictures.size(); ++i)
	{
		const Picture& picture = pictures[i];
		AtlasTextureCollection::Entry entry;
		entry.name = picture.name.c_str();
		entry.pageIndex = placements[i].page;
		const int x = placements[i].x + padding;
		const int y = placements[i].y + padding;
		entry.rect = irr::core::recti(x, y, x + picture.right - picture.left, y + picture.bottom - picture.top);
		entry.b = irr::core::vector2df(static_cast<float>(picture.left), static_cast<float>(picture.top));
		entry.a = irr::core::vector2df(static_cast<float>(picture.width - picture.right),
		                               static_cast<float>(picture.height - picture.bottom));
		collection.addEntry(entry);
	}
	if (!writeXmlFile(listPath, [&](IXMLWriter& writer) { collection.save(&writer); }))
	{
		error = "cannot write " + listPath;
		return false;
	}
	return true;
}
