#include "EmitterFactory.h"

#include "PointEmitter.h"
#include "RectangleEmitter.h"

namespace
{
template <class T> BaseEmitter* createEmitterOfClass(const ContentRef& reference)
{
	return new T(reference);
}
} // namespace

EmitterFactory::EmitterFactory()
{
	registerEmitter(L"PointEmitter", &createEmitterOfClass<PointEmitter>);
	registerEmitter(L"RectangleEmitter", &createEmitterOfClass<RectangleEmitter>);
}

EmitterFactory::~EmitterFactory() = default;

void EmitterFactory::registerEmitter(const irr::core::stringw& typeName, EmitterCreator creator)
{
	if (creator)
		creators.emplace(typeName, creator);
}

BaseEmitter* EmitterFactory::createEmitter(const irr::core::stringw& typeName, const ContentRef& reference) const
{
	auto it = creators.find(typeName);
	return it == creators.end() ? nullptr : it->second(reference);
}
