#include "KeyFrame.h"

#include "BaseNode.h"
#include "SceneXmlReader.h"
#include "content/IXMLWriter.h"
#include "core/NumberText.h"
#include "core/PropertyMakers.h"
#include "core/TextUtils.h"

namespace
{
irr::core::stringw valueAttributeName(size_t index)
{
	return irr::core::stringw(L"Value") + irr::core::stringw(static_cast<int>(index));
}

// The property index of a "Value<n>" attribute name as the writer makes it (no sign, no leading
// zero), or -1 for any other name.
long valueAttributeIndex(const irr::core::stringw& name)
{
	const wchar_t* text = name.c_str();
	const irr::u32 length = name.size();
	if (length < 6 || !sameWideChars(text, L"Value", 5) || (text[5] == L'0' && length > 6) || length > 12)
		return -1;
	long index = 0;
	for (irr::u32 k = 5; k < length; ++k)
	{
		if (text[k] < L'0' || text[k] > L'9')
			return -1;
		index = index * 10 + (text[k] - L'0');
	}
	return index;
}

} // namespace

KeyFrame::KeyFrame()
{
	period = 20;
}

const irr::core::stringw& KeyFrame::typeName() const
{
	static const irr::core::stringw typeNameText(L"KeyFrame");
	return typeNameText;
}

void KeyFrame::setTarget(BaseNode* node)
{
	// The indices depend on the target's class alone: a set handing its owner out again (as loading
	// does more than once) keeps the ones found for it.
	const bool resolved =
	    node == target && properties && propertyIndices.size() == static_cast<size_t>(properties->getCount());
	Base::setTarget(node);
	if (!resolved)
		resolveProperties();
	if (target && properties)
	{
		currentKey = 0;
		segmentTime = 0;
	}
}

void KeyFrame::resolveProperties()
{
	propertyIndices.clear();
	if (!properties)
		return;
	// Without a target no name resolves: loading and adopting hand none out before the owner's.
	if (!target)
	{
		propertyIndices.assign(static_cast<size_t>(properties->getCount()), -1);
		return;
	}
	propertyIndices.reserve(static_cast<size_t>(properties->getCount()));
	for (int k = 0; k < properties->getCount(); ++k)
		propertyIndices.push_back(resolveProperty(properties->getNameAt(k)));
}

IPropertyData* KeyFrame::valueAt(unsigned key, size_t property) const
{
	if (key >= keyCount() || property >= keyFrames[key].values.size())
		return nullptr;
	return keyFrames[key].values[property].get();
}

bool KeyFrame::advance()
{
	bool looped = false;
	const unsigned count = keyCount();
	// Segment time at the last backward jump into each key: a second visit with no time used
	// up is a loop of zero length; one with time used up lets the rest of the time wrap at once.
	std::vector<long long> jumpVisits;
	while (currentKey + 1 < count && segmentTime >= static_cast<unsigned>(keyFrames[currentKey + 1].t))
	{
		segmentTime -= static_cast<unsigned>(keyFrames[currentKey + 1].t);
		const unsigned reached = currentKey + 1;
		currentKey = reached;
		const int g = keyFrames[reached].g;
		if (g == -1)
			continue;
		if (g < 0 || static_cast<unsigned>(g) >= count)
		{
			// A jump to no key frame ends the animation.
			currentKey = count - 1;
			break;
		}
		currentKey = static_cast<unsigned>(g);
		if (currentKey >= reached)
			continue;
		looped = true;
		if (jumpVisits.empty())
			jumpVisits.assign(count, -1);
		long long& previous = jumpVisits[currentKey];
		if (previous >= 0)
		{
			const long long cycle = previous - static_cast<long long>(segmentTime);
			if (cycle <= 0)
			{
				// Jumps that use up no time would go round for ever.
				currentKey = count - 1;
				break;
			}
			segmentTime = static_cast<unsigned>(static_cast<long long>(segmentTime) % cycle);
		}
		previous = static_cast<long long>(segmentTime);
	}
	return looped;
}

void KeyFrame::applyKey(unsigned key)
{
	if (!properties || key >= keyCount())
		return;
	for (size_t p = 0; p < propertyIndices.size(); ++p)
	{
		if (propertyIndices[p] < 0)
			continue;
		IPropertyData* value = valueAt(key, p);
		if (!value)
			continue;
		SmartPointer<IPropertyData> working = value->clone();
		properties->setDataAt(static_cast<int>(p), working);
		applyProperty(propertyIndices[p], working);
	}
}

void KeyFrame::interpolate(unsigned key, unsigned time)
{
	const unsigned next = key + 1;
	if (next >= keyCount() || time == 0)
	{
		applyKey(key);
		return;
	}
	const Record& nextRecord = keyFrames[next];
	if (time >= static_cast<unsigned>(nextRecord.t))
	{
		applyKey(next);
		return;
	}
	if (nextRecord.i != 0)
		return;
	const float f = static_cast<float>(time) / static_cast<float>(nextRecord.t);
	for (size_t p = 0; p < propertyIndices.size(); ++p)
	{
		if (propertyIndices[p] < 0)
			continue;
		IPropertyData* from = valueAt(key, p);
		IPropertyData* to = valueAt(next, p);
		SmartPointer<IPropertyData> working = properties->getDataAt(static_cast<int>(p));
		if (!from || !to)
			continue;
		if (!working)
		{
			working = from->clone();
			properties->setDataAt(static_cast<int>(p), working);
		}
		if (from->interpolate(*to, *working, f))
			applyProperty(propertyIndices[p], working);
	}
}

void KeyFrame::start(int startTime, bool apply)
{
	if (startTime == 0)
		startTime = TimeShift;
	currentKey = 0;
	segmentTime = startTime > 0 ? static_cast<unsigned>(startTime) : 0;
	advance();
	if (!properties || !apply)
		return;
	const unsigned next = currentKey + 1;
	if (segmentTime > 0 && next < keyCount() && keyFrames[next].i == -1)
		applyKey(currentKey);
	else
		interpolate(currentKey, segmentTime);
}

bool KeyFrame::run(unsigned elapsed)
{
	if (!target || !getScheduler())
		return true;
	const unsigned before = currentKey;
	segmentTime += elapsed;
	const bool looped = advance();
	bool finished = false;
	const unsigned next = currentKey + 1;
	if (next < keyCount())
	{
		if (keyFrames[next].i != -1 || currentKey == before)
			interpolate(currentKey, segmentTime);
		else
			applyKey(currentKey);
	}
	else
	{
		if (keyCount() > 0)
			applyKey(keyCount() - 1);
		setScheduler(nullptr);
		finished = true;
	}
	if (running && (looped || finished))
		notifyFinished(static_cast<int>(segmentTime), looped);
	// The report may have started the action again.
	return getScheduler() != nullptr;
}

void KeyFrame::stop(bool applyEnd, bool notify)
{
	if (applyEnd && keyCount() > 0)
		applyKey(keyCount() - 1);
	Base::stop(applyEnd, notify);
}

int KeyFrame::getPosition() const
{
	long long sum = segmentTime;
	for (unsigned k = 0; k <= currentKey && k < keyCount(); ++k)
		sum += keyFrames[k].t;
	return sum > 0x7fffffff ? 0x7fffffff : static_cast<int>(sum);
}

int KeyFrame::getDuration() const
{
	long long sum = 0;
	for (const Record& record : keyFrames)
		sum += record.t;
	return sum > 0x7fffffff ? 0x7fffffff : static_cast<int>(sum);
}

void KeyFrame::setProperties(const SmartPointer<CPropertyCollection>& collection)
{
	properties = collection;
	resolveProperties();
}

void KeyFrame::keepInRange(Record& record)
{
	if (record.t < 0)
		record.t = 0;
	if (record.i != 0)
		record.i = -1;
}

void KeyFrame::addKeyFrame(Record record)
{
	keepInRange(record);
	keyFrames.push_back(std::move(record));
}

void KeyFrame::setKeyFrameTime(unsigned key, int t)
{
	if (key < keyCount())
		keyFrames[key].t = t < 0 ? 0 : t;
}

void KeyFrame::setKeyFrameValue(unsigned key, size_t property, const IPropertyData& value)
{
	if (key >= keyCount() || property >= keyFrames[key].values.size() || !keyFrames[key].values[property])
		return;
	if (keyFrames[key].values[property]->typeId() != value.typeId())
		return;
	keyFrames[key].values[property] = value.clone();
	prepareInterpolation();
}

void KeyFrame::prepareInterpolation()
{
	for (size_t k = 0; k + 1 < keyFrames.size(); ++k)
	{
		const Record& next = keyFrames[k + 1];
		for (size_t p = 0; p < keyFrames[k].values.size() && p < next.values.size(); ++p)
		{
			if (keyFrames[k].values[p] && next.values[p])
				keyFrames[k].values[p]->prepareInterpolation(*next.values[p]);
		}
	}
}

void KeyFrame::loadContent(SceneXmlReader* reader, IContentManager* contentManager)
{
	keyFrames.clear();
	properties = nullptr;
	propertyIndices.clear();
	static const irr::core::stringw periodAttribute(L"Period");
	static const irr::core::stringw timeShiftAttribute(L"TimeShift");
	const int readPeriod = reader->getAttributeValueAsInt(periodAttribute, 20);
	period = readPeriod > 0 ? static_cast<unsigned>(readPeriod) : 20;
	TimeShift = reader->getAttributeValueAsInt(timeShiftAttribute, 0);

	// The value text of each animated property in the current key frame (null: none given); on the
	// stack for the usual few properties.
	const irr::core::stringw* inlineTexts[8];
	std::vector<const irr::core::stringw*> moreTexts;
	XmlElementScope scope(reader);
	while (scope.next())
	{
		if (reader->getNodeType() != XML_NODE_ELEMENT)
			continue;
		const irr::core::stringw& element = reader->getNodeName();
		if (isWideLiteral(element, L"Properties"))
		{
			SmartPointer<CPropertyCollection> collection(new CPropertyCollection(contentManager));
			collection->readXml(reader);
			properties = collection;
		}
		else if (isWideLiteral(element, L"KeyFrame"))
		{
			if (keyFrames.empty())
				keyFrames.reserve(4);
			// Read in place rather than moved in: a record is large, and most of it is held in place.
			Record& record = keyFrames.emplace_back();
			const size_t count = properties ? static_cast<size_t>(properties->getCount()) : 0;
			const irr::core::stringw** valueTexts = inlineTexts;
			if (count > sizeof(inlineTexts) / sizeof(inlineTexts[0]))
			{
				moreTexts.resize(count);
				valueTexts = moreTexts.data();
			}
			readKeyFrameAttributes(reader, record, valueTexts, count);
			keepInRange(record);
			record.values.reserve(count);
			for (size_t p = 0; p < count; ++p)
			{
				const IPropertyData* model = properties->getDataPointerAt(static_cast<int>(p));
				SmartPointer<IPropertyData> value = model ? model->clone() : SmartPointer<IPropertyData>();
				if (value)
					value->fromStringW(valueTexts[p] ? *valueTexts[p] : emptyStringW());
				record.values.push_back(std::move(value));
			}
			XmlElementScope::skipElement(reader);
		}
		else
		{
			XmlElementScope::skipElement(reader);
		}
	}
	prepareInterpolation();
	resolveProperties();
}

void KeyFrame::readKeyFrameAttributes(SceneXmlReader* reader, Record& record, const irr::core::stringw** valueTexts,
                                      size_t valueCount) const
{
	// One pass over the attributes; as with a lookup by name, the first of a name counts.
	for (size_t p = 0; p < valueCount; ++p)
		valueTexts[p] = nullptr;
	bool seen[3] = {false, false, false};
	const int count = reader->getAttributeCount();
	for (int a = 0; a < count; ++a)
	{
		const irr::core::stringw& name = reader->getAttributeName(a);
		if (name.size() == 1)
		{
			int* fields[3] = {&record.t, &record.g, &record.i};
			const int field = name[0] == L't' ? 0 : name[0] == L'g' ? 1 : name[0] == L'i' ? 2 : -1;
			if (field >= 0 && !seen[field])
			{
				seen[field] = true;
				*fields[field] = wideNumberToInt(reader->getAttributeValue(a).c_str());
			}
			continue;
		}
		const long index = valueAttributeIndex(name);
		if (index >= 0 && static_cast<size_t>(index) < valueCount && !valueTexts[static_cast<size_t>(index)])
			valueTexts[static_cast<size_t>(index)] = &reader->getAttributeValue(a);
	}
}

void KeyFrame::save(IXMLWriter* writer, const wchar_t* elementName) const
{
	if (!writer)
		return;
	irr::core::array<irr::core::stringw> names;
	irr::core::array<irr::core::stringw> values;
	if (period != 20)
	{
		names.push_back(L"Period");
		values.push_back(intToStringW(static_cast<int>(period)));
	}
	if (TimeShift != 0)
	{
		names.push_back(L"TimeShift");
		values.push_back(intToStringW(TimeShift));
	}
	writeStartTag(writer, elementName, names, values);
	if (properties && properties->getCount() > 0)
		properties->writeXml(writer);
	for (const Record& record : keyFrames)
	{
		if (record.values.empty())
			continue;
		names.clear();
		values.clear();
		names.push_back(L"t");
		values.push_back(intToStringW(record.t));
		if (record.g != -1)
		{
			names.push_back(L"g");
			values.push_back(intToStringW(record.g));
		}
		if (record.i != -1)
		{
			names.push_back(L"i");
			values.push_back(intToStringW(record.i));
		}
		for (size_t p = 0; p < record.values.size(); ++p)
		{
			names.push_back(valueAttributeName(p));
			values.push_back(propertyToStringW(record.values[p]));
		}
		writer->writeElement(L"KeyFrame", true, names, values);
		writer->writeLineBreak();
	}
	writer->writeClosingTag(elementName);
	writer->writeLineBreak();
}

Base* KeyFrame::clone() const
{
	KeyFrame* copy = new KeyFrame();
	copy->copyBaseFrom(*this);
	copy->TimeShift = TimeShift;
	if (properties)
		copy->properties = properties->clone();
	copy->keyFrames.reserve(keyFrames.size());
	for (const Record& record : keyFrames)
	{
		Record r;
		r.t = record.t;
		r.g = record.g;
		r.i = record.i;
		r.values.reserve(record.values.size());
		for (size_t p = 0; p < record.values.size(); ++p)
			r.values.push_back(clonePropertyData(record.values[p]));
		copy->keyFrames.push_back(r);
	}
	copy->prepareInterpolation();
	return copy;
}
