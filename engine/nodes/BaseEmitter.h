#pragma once

#include "Particle.h"
#include "content/ContentObject.h"
#include "core/IScheduledTask.h"
#include "scene/IPropertyOwner.h"

#include <irrlicht/irrString.h>
#include <irrlicht/vector2d.h>

class IXMLReader;
class TaskScheduler;

// Reusable description of a particle effect and the task that creates its particles; the
// base class itself emits nothing. Cached as "pemt" content and cloned for every requester.
class BaseEmitter : public ContentObject, public IPropertyOwner, public IScheduledTask
{
public:
	static constexpr int TypeId = 0;
	static constexpr unsigned TaskPeriod = 30;

	explicit BaseEmitter(const ContentRef& reference = ContentRef());
	~BaseEmitter() override;

	BaseEmitter(const BaseEmitter&) = delete;
	BaseEmitter& operator=(const BaseEmitter&) = delete;

	// ---- type identity
	virtual const irr::core::stringw& typeName() const;
	const irr::core::stringw& getTypeName() const { return typeName(); }
	virtual int typeId() const { return TypeId; }
	virtual bool isKindOf(int id) const { return id == TypeId; }

	// ---- properties
	const PropertyTable& propertyTable() const override;
	static const PropertyTable& baseEmitterPropertyTable();
	void writeProperties(CPropertyCollection& collection) const override;
	void readProperties(const CPropertyCollection& collection) override;

	// ---- scheduling
	// Moves the emission task to scheduler (null only removes it).
	virtual void attachToScheduler(TaskScheduler* scheduler);
	virtual void detachFromScheduler();
	bool isAttached() const { return getScheduler() != nullptr; }
	bool run(unsigned ms) override;

	// ---- copying
	// Copies the description; position, particle array, scheduler and gathered time stay.
	virtual void copyFrom(const BaseEmitter* source);
	ContentObject* cloneContent() override;
	ContentType getContentType() const override { return ContentTypeParticleEmitter; }

	// Reads up to the closing "ParticleEmitter"; its "Properties" element gives the values.
	void load(IXMLReader* reader);

	// ---- description
	const irr::core::stringc& getName() const { return Name; }
	void setName(const irr::core::stringc& name) { Name = name; }
	const irr::core::vector2df& getPosition() const { return position; }
	void setPosition(const irr::core::vector2df& value) { position = value; }
	const irr::core::vector2df& getPPSRange() const { return PPSRange; }
	void setPPSRange(const irr::core::vector2df& value) { PPSRange = value; }
	const irr::core::vector2df& getLifeTimeRange() const { return LifeTimeRange; }
	void setLifeTimeRange(const irr::core::vector2df& value) { LifeTimeRange = value; }

	// The owner's particle array (not owned); emission appends up to its reserved capacity.
	void setParticles(ParticleArray* array) { particles = array; }
	ParticleArray* getParticles() const { return particles; }

protected:
	// A new emitter of T with source's content reference and source's description.
	template <class T> static ContentObject* cloneAs(const T* source)
	{
		T* copy = new T(source->getContentRef());
		copy->copyFrom(source);
		return copy;
	}

	irr::core::stringc Name;
	irr::core::vector2df position{0.0f, 0.0f};
	irr::core::vector2df PPSRange{10.0f, 10.0f};
	irr::core::vector2df LifeTimeRange{2000.0f, 3000.0f};
	ParticleArray* particles = nullptr;
};

// The emitter when it is of kind T, otherwise null (also for null).
template <class T> T* emitterCast(BaseEmitter* emitter)
{
	return emitter && emitter->isKindOf(T::TypeId) ? static_cast<T*>(emitter) : nullptr;
}
