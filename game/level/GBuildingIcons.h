#pragma once

#include <irrlicht/vector3d.h>
#include <vector>

class BaseNode;
class TemplateCollectionNode;
class TextNode;

// The nodes that show a building's state above it: stars, smile, workers, feature icons, sale sign,
// phone, condition icon, selector, serve area and money burst. Each is a child of the building, found
// among its children or cloned from the template of its name; clones are internal (never saved or
// cloned with the building) and are released here.
class GBuildingIcons
{
public:
	GBuildingIcons() = default;
	~GBuildingIcons() { release(); }
	GBuildingIcons(const GBuildingIcons&) = delete;
	GBuildingIcons& operator=(const GBuildingIcons&) = delete;

	// Finds or makes every icon on the building and remembers the places the template gave them: a
	// child of the building, else a part of its look (the template root's children), else a clone.
	// The smile only when the level shows luckiness, the stars only when it shows building levels.
	void collect(BaseNode* building, BaseNode* look, TemplateCollectionNode* templates, bool withSmile, bool withStars);
	// Lets go of every icon (releasing the clones). Called before the look is replaced, whose parts
	// would otherwise be left behind as dangling pointers.
	void release();
	// A visible clone of the template, internal and hidden, under the building; null without template.
	static BaseNode* make(BaseNode* building, TemplateCollectionNode* templates, const char* name);
	// Replaces the condition icon (a clone or null).
	void setConditionIcon(BaseNode* icon);
	// The clones: drawn, placed and attached by the building, as they are not in its child array.
	std::vector<BaseNode*> madeNodes() const;

	// Both shown: each at its template place; one shown: it takes the smile's place.
	void arrangeSmileAndWorkers();
	// Two icons: each at its own place; one: midway between the two places.
	void placeFeatureIcons(bool show1, bool show2);
	// Star i (1-based) filled below the level, the star numbered hiddenStar hidden.
	void showStars(bool shown, int level, int hiddenStar);
	// Centre of star number (1-based) on the map, truncated; (0, 0, 0) when there is no such star.
	irr::core::vector3df starCentre(int number, const irr::core::vector3df& buildingPosition) const;
	BaseNode* featureIcon(int index) const;
	bool workersShown() const;

	// The icon's gauge: its first child covers the spent part of 20 pixels, its second shows beneath.
	static void showFeatureFill(BaseNode* icon, float progress);
	// The atlas frame of that content name on a sprite; nothing without a content manager or frame.
	static void showPicture(BaseNode* node, const char* picture);

	BaseNode* starIcons = nullptr;
	std::vector<BaseNode*> stars;
	BaseNode* smileIcon = nullptr;
	BaseNode* forSaleNode = nullptr;
	TextNode* priceText = nullptr;
	BaseNode* phoneIcon = nullptr;
	BaseNode* conditionIcon = nullptr;
	BaseNode* selector = nullptr;
	BaseNode* serveArea = nullptr;
	BaseNode* workersText = nullptr;
	BaseNode* feature1Icon = nullptr;
	BaseNode* feature2Icon = nullptr;
	BaseNode* moneyBurst = nullptr;

private:
	static BaseNode* find(BaseNode* building, BaseNode* look, const char* name);
	static BaseNode* findOrMake(BaseNode* building, BaseNode* look, TemplateCollectionNode* templates,
	                            const char* name);
	static void releaseNode(BaseNode*& node);

	irr::core::vector3df smilePosition;
	irr::core::vector3df workersPosition;
	irr::core::vector3df feature1Position;
	irr::core::vector3df feature2Position;
};
