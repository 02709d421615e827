#include "Base.h"

#include "AnimatorSet.h"
#include "BaseNode.h"
#include "KeyFrame.h"
#include "NodeEvents.h"
#include "SceneXmlReader.h"
#include "content/IXMLWriter.h"
#include "core/TaskScheduler.h"
#include "core/TextUtils.h"

#include <cstring>

Base::Base()
{
	period = 20;
}

Base::~Base()
{
	setScheduler(nullptr);
}

const irr::core::stringw& Base::typeName() const
{
	static const irr::core::stringw typeNameText(L"Base");
	return typeNameText;
}

void Base::setTarget(BaseNode* node)
{
	target = node;
}

bool Base::runOn(TaskScheduler* scheduler)
{
	if (scheduler != getScheduler())
		setScheduler(scheduler);
	running = true;
	return true;
}

void Base::stop(bool, bool notify)
{
	setScheduler(nullptr);
	if (notify)
		notifyFinished(0, false);
}

bool Base::run(unsigned)
{
	return false;
}

bool Base::notifyFinished(int time, bool looped)
{
	running = false;
	if (!ownerSet || !(ownerSet->mask & EventCategoryNode))
		return false;
	SmartPointer<CEventNodeActionFinished> event(new CEventNodeActionFinished(this, time, looped));
	return ownerSet->onEvent(event.get());
}

bool Base::load(IXMLReader* reader, IContentManager* contentManager, const irr::core::stringw&)
{
	if (!reader)
		return false;
	SmartPointer<SceneXmlReader> structured = SceneXmlReader::wrap(reader);
	loadContent(structured.get(), contentManager);
	return true;
}

void Base::writeStartTag(IXMLWriter* writer, const wchar_t* elementName,
                         const irr::core::array<irr::core::stringw>& extraNames,
                         const irr::core::array<irr::core::stringw>& extraValues) const
{
	irr::core::array<irr::core::stringw> names;
	irr::core::array<irr::core::stringw> values;
	names.push_back(L"Type");
	values.push_back(typeName());
	if (!name.isEmpty())
	{
		names.push_back(L"Name");
		values.push_back(widen(getStringById(name)));
	}
	for (irr::u32 i = 0; i < extraNames.size() && i < extraValues.size(); ++i)
	{
		names.push_back(extraNames[i]);
		values.push_back(extraValues[i]);
	}
	writer->writeElement(elementName, false, names, values);
	writer->writeLineBreak();
}

void Base::copyBaseFrom(const Base& source)
{
	name = source.name;
	period = source.period;
}

void Base::applyProperty(int index, const SmartPointer<IPropertyData>& value) const
{
	if (!target || index < 0)
		return;
	const PropertyTable& table = target->propertyTable();
	if (static_cast<size_t>(index) >= table.size() || !table[static_cast<size_t>(index)].setter)
		return;
	table[static_cast<size_t>(index)].setter(target, value);
}

int Base::resolveProperty(const irr::core::stringc& propertyName) const
{
	if (!target)
		return -1;
	const PropertyTable& table = target->propertyTable();
	// Lengths first: a name of another length never matches.
	const irr::u32 length = propertyName.size();
	for (size_t i = 0; i < table.size(); ++i)
	{
		if (table[i].name.size() == length && std::memcmp(table[i].name.c_str(), propertyName.c_str(), length) == 0)
			return static_cast<int>(i);
	}
	return -1;
}

KeyFrame* asKeyFrame(Base* action)
{
	return action && action->isKindOf(KeyFrame::TypeId) ? static_cast<KeyFrame*>(action) : nullptr;
}
