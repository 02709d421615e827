#include "ParticleCollection.h"

#include "BaseEmitter.h"
#include "EmitterFactory.h"
#include "content/CContentManager.h"
#include "content/IXMLReader.h"

ParticleCollection::ParticleCollection(const ContentRef& reference) : ContentObject(reference)
{
	contentFlags = ContentNeverCached;
}

ParticleCollection::~ParticleCollection()
{
	clear();
}

void ParticleCollection::clear()
{
	for (auto& entry : emitters)
		entry.second->drop();
	emitters.clear();
}

BaseEmitter* ParticleCollection::findEmitter(const irr::core::stringc& name) const
{
	auto it = emitters.find(name);
	return it == emitters.end() ? nullptr : it->second;
}

void ParticleCollection::load(IXMLReader* reader)
{
	clear();
	if (!reader || !contentRef.getContentManager())
		return;
	while (reader->read())
	{
		const int type = reader->getNodeType();
		if (type == XML_NODE_ELEMENT && reader->getNodeName() == L"ParticleEmitter")
			loadEmitter(reader);
		else if (type == XML_NODE_ELEMENT_END && reader->getNodeName() == L"ParticleCollection")
			break;
	}
}

// An unknown type is skipped: its inner elements pass through the collection's loop unread.
void ParticleCollection::loadEmitter(IXMLReader* reader)
{
	CContentManager* manager = contentRef.getContentManager();
	BaseEmitter* emitter =
	    EmitterFactory::instance()->createEmitter(reader->getAttributeValue(L"Type"), ContentRef(manager, ""));
	if (!emitter)
		return;
	emitter->load(reader);
	const irr::core::stringc& name = emitter->getName();
	if (!name.empty())
	{
		// The cached emitter answers to its name, so removing it from the cache finds it.
		const ContentRef cacheRef(manager, name.c_str());
		emitter->setContentRef(cacheRef);
		manager->addContentAs(cacheRef, emitter);
		if (emitters.emplace(name, emitter).second)
			emitter->grab();
	}
	emitter->drop();
}
