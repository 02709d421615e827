#include "../GameTestSupport.h"
#include "../SceneFileLayout.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// The game draws a screen sorted by depth, and nodes at one depth in the order of their pictures, not
// in file order: whatever the shop file puts over something else must lie deeper, or it may vanish
// under it (the points, the titles and the prices once did, under the backdrop and the card bodies).
namespace
{
struct Drawn
{
	std::string name;
	float x = 0.0f, y = 0.0f, z = 0.0f, width = 0.0f, height = 0.0f;
	int card = -1;      // the shop button it belongs to
	std::string placed; // the part the shop moves as a whole (highlight template, hint), or empty
};

bool overlap(const Drawn& a, const Drawn& b)
{
	return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The sprites and texts of a scene file in file order, with their place on the screen and depth.
std::vector<Drawn> drawnNodes(const std::string& file)
{
	struct Open
	{
		std::string type, name;
		float localX = 0.0f, localY = 0.0f, localZ = 0.0f, pivotX = 0.0f, pivotY = 0.0f, width = 0.0f, height = 0.0f;
		float x = 0.0f, y = 0.0f, z = 0.0f;
		int card = -1;
		std::string placed;
		bool done = false;
	};
	std::vector<Drawn> drawn;
	SmartPointer<CReadFile> input(new CReadFile(file.c_str()));
	EXPECT_TRUE(input->isOpen()) << file;
	if (!input->isOpen())
		return drawn;
	CXMLReader reader(input.get());
	std::vector<std::wstring> elements;
	std::vector<Open> nodes;
	int cards = 0;
	auto finish = [&](size_t index)
	{
		Open& node = nodes[index];
		if (node.done)
			return;
		node.done = true;
		const Open* parent = index > 0 ? &nodes[index - 1] : nullptr;
		node.x = (parent ? parent->x : 0.0f) + node.localX - node.pivotX;
		node.y = (parent ? parent->y : 0.0f) + node.localY - node.pivotY;
		node.z = (parent ? parent->z : 0.0f) + node.localZ;
		node.card = parent ? parent->card : -1;
		node.placed = parent ? parent->placed : std::string();
		if (node.type == "GShopButton")
			node.card = cards++;
		if (node.name == "ShopButtonHLNode" || node.name == "Hint1Node")
			node.placed = node.name;
		if (node.type == "SpriteNode" || node.type == "NineGridSpriteNode" || node.type == "TextNode")
			drawn.push_back({node.name, node.x, node.y, node.z, node.width, node.height, node.card, node.placed});
	};
	while (reader.read())
	{
		if (reader.getNodeType() == XML_NODE_ELEMENT)
		{
			const std::wstring name = reader.getNodeName().c_str();
			const bool ownProperty = elements.size() >= 2 && elements.back() == L"Properties" &&
			                         elements[elements.size() - 2] == L"SceneNode";
			if (name == L"SceneNode")
			{
				if (!nodes.empty())
					finish(nodes.size() - 1);
				nodes.push_back({});
				nodes.back().type = irr::core::stringc(reader.getAttributeValue(L"Type")).c_str();
			}
			else if (ownProperty && !nodes.empty())
			{
				const std::string property = irr::core::stringc(reader.getAttributeValue(L"Name")).c_str();
				const irr::core::stringw value = reader.getAttributeValue(L"Value");
				const std::vector<float> v = scenefile::numbers(value);
				Open& node = nodes.back();
				if (property == "Name")
					node.name = irr::core::stringc(value).c_str();
				else if (property == "Position" && v.size() >= 3)
					node.localX = v[0], node.localY = v[1], node.localZ = v[2];
				else if (property == "PivotPoint" && v.size() >= 2)
					node.pivotX = v[0], node.pivotY = v[1];
				else if (property == "Bounds" && v.size() >= 2)
					node.width = v[0], node.height = v[1];
			}
			if (!reader.isEmptyElement())
				elements.push_back(name);
		}
		else if (reader.getNodeType() == XML_NODE_ELEMENT_END && !elements.empty())
		{
			if (elements.back() == L"SceneNode" && !nodes.empty())
			{
				finish(nodes.size() - 1);
				nodes.pop_back();
			}
			else if (elements.back() == L"Properties" && elements.size() >= 2 &&
			         elements[elements.size() - 2] == L"SceneNode" && !nodes.empty())
				finish(nodes.size() - 1);
			elements.pop_back();
		}
	}
	return drawn;
}
} // namespace

TEST(ShopSceneDrawOrder, WhatIsDrawnOverAnotherNodeLiesDeeper)
{
	const std::vector<Drawn> drawn = drawnNodes(sourceDir() + "/assets/scenes/ShopScene.qscn");
	ASSERT_GT(drawn.size(), 50u);
	for (size_t i = 0; i < drawn.size(); ++i)
		for (size_t j = i + 1; j < drawn.size(); ++j)
		{
			const Drawn& below = drawn[i];
			const Drawn& above = drawn[j];
			// Offers side by side never overlap, and one of a pair at the same place is hidden.
			const bool sameFrame =
			    below.placed == above.placed && (below.card == above.card || below.card < 0 || above.card < 0);
			if (sameFrame && overlap(below, above))
				EXPECT_GT(above.z, below.z) << above.name << " (card " << above.card << ") lies over " << below.name
				                            << " (card " << below.card << ") but not deeper";
		}
}
