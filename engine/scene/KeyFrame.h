#pragma once

#include "Base.h"
#include "core/CPropertyCollection.h"

#include <vector>

// A short list whose first few entries are held in place: the lists of a key frame (a value or an
// index per animated property) mostly hold one to four entries, and storage of their own would cost
// each an allocation.
template <class T, size_t heldInPlace> class InPlaceList
{
public:
	size_t size() const { return count; }
	bool empty() const { return count == 0; }
	T& operator[](size_t index) { return index < heldInPlace ? inPlace[index] : more[index - heldInPlace]; }
	const T& operator[](size_t index) const { return index < heldInPlace ? inPlace[index] : more[index - heldInPlace]; }
	void reserve(size_t total)
	{
		if (total > heldInPlace)
			more.reserve(total - heldInPlace);
	}
	void push_back(T value)
	{
		if (count < heldInPlace)
			inPlace[count] = std::move(value);
		else
			more.push_back(std::move(value));
		++count;
	}
	void clear()
	{
		for (size_t i = 0; i < count && i < heldInPlace; ++i)
			inPlace[i] = T();
		more.clear();
		count = 0;
	}
	void assign(size_t total, const T& value)
	{
		clear();
		reserve(total);
		for (size_t i = 0; i < total; ++i)
			push_back(value);
	}

private:
	T inPlace[heldInPlace] = {};
	std::vector<T> more;
	size_t count = 0;
};

// The values of one key frame, one per animated property.
using KeyFrameValues = InPlaceList<SmartPointer<IPropertyData>, 4>;

// Animates properties of its target from key frames: linear moves or jumps, with loops through "g".
class KeyFrame : public Base
{
public:
	static constexpr int TypeId = 1;

	// One key frame: a value per animated property, the length of the segment that leads to it,
	// the key to continue from (-1: none) and its interpolation (0 linear, -1 jump).
	struct Record
	{
		KeyFrameValues values;
		int t = 0;
		int g = -1;
		int i = -1;
	};

	KeyFrame();

	const irr::core::stringw& typeName() const override;
	int typeId() const override { return TypeId; }
	bool isKindOf(int id) const override { return id == TypeId || Base::isKindOf(id); }

	void setTarget(BaseNode* node) override;
	void start(int startTime, bool apply) override;
	int getPosition() const override;
	int getDuration() const override;
	void stop(bool applyEnd, bool notify) override;
	void save(IXMLWriter* writer, const wchar_t* elementName) const override;
	Base* clone() const override;
	bool run(unsigned elapsed) override;

	int getTimeShift() const { return TimeShift; }
	void setTimeShift(int value) { TimeShift = value; }
	unsigned getCurrentKey() const { return currentKey; }
	unsigned getSegmentTime() const { return segmentTime; }
	const std::vector<Record>& getKeyFrames() const { return keyFrames; }
	CPropertyCollection* getProperties() const { return properties.get(); }

	// Builds a key frame list in code: the animated properties (values are the working copies),
	// then the records, each with one value per property.
	void setProperties(const SmartPointer<CPropertyCollection>& collection);
	void addKeyFrame(Record record);
	// Readies each value for interpolation towards the next key frame's value.
	void prepareInterpolation();
	// Refits a loaded key frame (a route or a length chosen at run time); keys out of range are ignored.
	void setKeyFrameTime(unsigned key, int t);
	void setKeyFrameValue(unsigned key, size_t property, const IPropertyData& value);

protected:
	void loadContent(SceneXmlReader* reader, IContentManager* contentManager) override;

private:
	// Moves through the key frames by segmentTime; true when a jump went backwards (a loop).
	bool advance();
	void applyKey(unsigned key);
	void interpolate(unsigned key, unsigned time);
	void resolveProperties();
	// Reads t, g, i and the value text of each of valueCount animated properties of the key frame
	// the reader stands on.
	void readKeyFrameAttributes(SceneXmlReader* reader, Record& record, const irr::core::stringw** valueTexts,
	                            size_t valueCount) const;
	// A time below zero starts at zero; any interpolation other than linear (0) is a jump (-1).
	static void keepInRange(Record& record);
	unsigned keyCount() const { return static_cast<unsigned>(keyFrames.size()); }
	// The recorded value of one property at a key frame, or null.
	IPropertyData* valueAt(unsigned key, size_t property) const;

	InPlaceList<int, 4> propertyIndices;
	std::vector<Record> keyFrames;
	unsigned currentKey = 0;
	unsigned segmentTime = 0;
	SmartPointer<CPropertyCollection> properties;
	int TimeShift = 0;
};
