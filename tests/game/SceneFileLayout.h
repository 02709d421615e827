#pragma once

#include "content/CReadFile.h"
#include "content/CXMLReader.h"
#include "core/SmartPointer.h"

#include <irrlicht/irrlicht.h>
#include <string>
#include <vector>

// Where a named node of a scene file lies on the 1024 x 768 virtual screen, read from the Position,
// PivotPoint and Bounds of the node and its parents as the file gives them (animations not applied).
struct SceneNodeRect
{
	float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
	bool found = false;

	float centerX() const { return x + width / 2.0f; }
	float centerY() const { return y + height / 2.0f; }
};

namespace scenefile
{
inline std::vector<float> numbers(const irr::core::stringw& text)
{
	std::vector<float> out;
	const std::string narrow = irr::core::stringc(text).c_str();
	size_t start = 0;
	while (start <= narrow.size())
	{
		const size_t end = std::min(narrow.find(';', start), narrow.size());
		out.push_back(std::strtof(narrow.substr(start, end - start).c_str(), nullptr));
		start = end + 1;
	}
	return out;
}

// The node at path (names of nested nodes below the file's root node, e.g. {"Scene", "OkButton"}).
inline SceneNodeRect findNode(const std::string& file, const std::vector<std::string>& path)
{
	struct Open
	{
		std::string name;
		float x = 0.0f, y = 0.0f; // the node's origin on the virtual screen
		float pivotX = 0.0f, pivotY = 0.0f;
		float localX = 0.0f, localY = 0.0f;
		float width = 0.0f, height = 0.0f;
		bool placed = false;
	};
	SceneNodeRect result;
	SmartPointer<CReadFile> input(new CReadFile(file.c_str()));
	if (!input->isOpen())
		return result;
	CXMLReader reader(input.get());
	std::vector<std::wstring> elements; // open elements
	std::vector<Open> nodes;            // open SceneNode elements
	// A node's place is known once its own Properties element has ended.
	auto place = [&](Open& node)
	{
		if (node.placed)
			return;
		node.placed = true;
		const float parentX = nodes.size() > 1 ? nodes[nodes.size() - 2].x : 0.0f;
		const float parentY = nodes.size() > 1 ? nodes[nodes.size() - 2].y : 0.0f;
		node.x = parentX + node.localX - node.pivotX;
		node.y = parentY + node.localY - node.pivotY;
		if (nodes.size() == path.size() + 1)
		{
			bool same = true;
			for (size_t i = 0; i < path.size() && same; ++i)
				same = nodes[i + 1].name == path[i];
			if (same && !result.found)
				result = {node.x, node.y, node.width, node.height, true};
		}
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
					place(nodes.back());
				nodes.push_back({});
			}
			else if (ownProperty && !nodes.empty())
			{
				const std::string property = irr::core::stringc(reader.getAttributeValue(L"Name")).c_str();
				const irr::core::stringw value = reader.getAttributeValue(L"Value");
				const std::vector<float> v = numbers(value);
				Open& node = nodes.back();
				if (property == "Name")
					node.name = irr::core::stringc(value).c_str();
				else if (property == "Position" && v.size() >= 2)
					node.localX = v[0], node.localY = v[1];
				else if (property == "PivotPoint" && v.size() >= 2)
					node.pivotX = v[0], node.pivotY = v[1];
				else if (property == "Bounds" && v.size() >= 2)
					node.width = v[0], node.height = v[1];
			}
			if (!reader.isEmptyElement())
				elements.push_back(name);
		}
		else if (reader.getNodeType() == XML_NODE_ELEMENT_END)
		{
			if (!elements.empty())
			{
				if (elements.back() == L"SceneNode" && !nodes.empty())
				{
					place(nodes.back());
					nodes.pop_back();
				}
				else if (elements.back() == L"Properties" && elements.size() >= 2 &&
				         elements[elements.size() - 2] == L"SceneNode" && !nodes.empty())
					place(nodes.back());
				elements.pop_back();
			}
		}
	}
	return result;
}
} // namespace scenefile
