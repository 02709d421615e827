#include "ParticleTestSupport.h"

#include "content/CVirtualFile.h"
#include "content/CXMLWriter.h"
#include "core/CPropertyCollection.h"
#include "nodes/EmitterFactory.h"
#include "nodes/PointEmitter.h"
#include "nodes/RectangleEmitter.h"
#include "scene/PropertyValue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> tableNames(const IPropertyOwner& owner)
{
	std::vector<std::string> names;
	for (const PropertyDescriptor& d : owner.propertyTable())
		names.push_back(d.name.c_str());
	return names;
}

std::vector<std::string> writtenNames(const BaseEmitter& emitter)
{
	CPropertyCollection collection;
	emitter.writeProperties(collection);
	std::vector<std::string> names;
	for (int i = 0; i < collection.getCount(); ++i)
		names.push_back(collection.getNameAt(i).c_str());
	return names;
}

// The emitter saved in a collection file: header, "ParticleCollection", one "ParticleEmitter".
SmartPointer<CVirtualFile> saveInCollection(const BaseEmitter& emitter)
{
	SmartPointer<CVirtualFile> file(new CVirtualFile("saved.xml"));
	SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
	writer->writeXMLHeader();
	writer->writeElement(L"ParticleCollection");
	writer->writeLineBreak();
	writer->writeElement(L"ParticleEmitter", false, L"Type", emitter.getTypeName().c_str());
	writer->writeLineBreak();
	CPropertyCollection collection;
	emitter.writeProperties(collection);
	collection.writeXml(writer.get());
	writer->writeClosingTag(L"ParticleEmitter");
	writer->writeLineBreak();
	writer->writeClosingTag(L"ParticleCollection");
	writer = SmartPointer<CXMLWriter>();
	file->seek(0);
	return file;
}
} // namespace

TEST(EmitterProperties, TypeIdentity)
{
	SmartPointer<BaseEmitter> base(new BaseEmitter());
	SmartPointer<BaseEmitter> point(new PointEmitter());
	SmartPointer<BaseEmitter> rectangle(new RectangleEmitter());
	EXPECT_EQ(base->getTypeName(), irr::core::stringw(L"BaseEmitter"));
	EXPECT_EQ(point->getTypeName(), irr::core::stringw(L"PointEmitter"));
	EXPECT_EQ(rectangle->getTypeName(), irr::core::stringw(L"RectangleEmitter"));
	EXPECT_TRUE(point->isKindOf(1) && point->isKindOf(0) && !point->isKindOf(2));
	EXPECT_TRUE(rectangle->isKindOf(2) && rectangle->isKindOf(0) && !rectangle->isKindOf(1));
	EXPECT_TRUE(base->isKindOf(0) && !base->isKindOf(1));
	EXPECT_EQ(point->getContentType(), ContentTypeParticleEmitter);
	EXPECT_EQ(point->getContentFlags(), ContentCloned);
	EXPECT_EQ(point->period, 30u);
	EXPECT_EQ(emitterCast<PointEmitter>(rectangle.get()), nullptr);
}

TEST(EmitterProperties, TablesListTheNamesInOrder)
{
	const std::vector<std::string> shared = {"VelocityXRange", "VelocityYRange", "AccelXRange",
	                                         "AccelYRange",    "AngleRange",     "AngVelocityRange",
	                                         "ColorStart",     "ColorEnd",       "ColorVariation",
	                                         "ScaleRange",     "ScaleVariation"};
	std::vector<std::string> point = {"Name", "PPSRange", "LifeTimeRange", "RadiusRange"};
	point.insert(point.end(), shared.begin(), shared.end());
	std::vector<std::string> rectangle = {"Name", "PPSRange", "LifeTimeRange", "XRange", "YRange"};
	rectangle.insert(rectangle.end(), shared.begin(), shared.end());

	SmartPointer<PointEmitter> p(new PointEmitter());
	SmartPointer<RectangleEmitter> r(new RectangleEmitter());
	SmartPointer<BaseEmitter> b(new BaseEmitter());
	EXPECT_EQ(tableNames(*p), point);
	EXPECT_EQ(tableNames(*r), rectangle);
	EXPECT_EQ(tableNames(*b), (std::vector<std::string>{"Name", "PPSRange", "LifeTimeRange"}));
}

TEST(EmitterProperties, SettersByNameStoreAndWrongTypesReadAsZero)
{
	SmartPointer<RectangleEmitter> e(new RectangleEmitter());
	EXPECT_TRUE(e->setPropertyByName("XRange", makeVector2dValue({3.0f, 4.0f})));
	EXPECT_TRUE(e->setPropertyByName("AccelYRange", makeVector2dValue({-1.0f, 1.0f})));
	EXPECT_TRUE(e->setPropertyByName("Name", makeIntValue(42)));
	EXPECT_TRUE(e->setPropertyByName("ColorStart", makeFloatValue(1.0f)));
	EXPECT_TRUE(e->setPropertyByName("ScaleRange", makeBoolValue(true)));
	EXPECT_FALSE(e->setPropertyByName("RadiusRange", makeVector2dValue({1.0f, 1.0f})));
	EXPECT_EQ(e->getXRange(), irr::core::vector2df(3.0f, 4.0f));
	EXPECT_EQ(e->getAccelYRange(), irr::core::vector2df(-1.0f, 1.0f));
	EXPECT_EQ(e->getName(), irr::core::stringc("42"));
	EXPECT_EQ(e->getColorStart().color, 0u);
	EXPECT_EQ(e->getScaleRange(), irr::core::vector2df(0.0f, 0.0f));
	EXPECT_EQ(propertyAsVector2d(e->getPropertyByName("AccelYRange").get()), irr::core::vector2df(-1.0f, 1.0f));
}

TEST(EmitterProperties, DefaultsWriteNothingAndChangesUseTheFileNames)
{
	SmartPointer<PointEmitter> e(new PointEmitter());
	EXPECT_TRUE(writtenNames(*e).empty());

	e->setName("Smoke");
	e->setAccelXRange({1.0f, 2.0f});
	e->setColorEnd(irr::video::SColor(0x00FFFFFF));
	e->setLifeTimeRange({1000.0f, 1000.0f});
	e->setScaleVariation(0.25f);
	EXPECT_EQ(writtenNames(*e),
	          (std::vector<std::string>{"Name", "LifeTimeRange", "AccelerationXRange", "ColorEnd", "ScaleVariation"}));

	// The table's short names are not file names.
	CPropertyCollection collection;
	collection.addVector2d("AccelXRange", {5.0f, 5.0f});
	collection.addVector2d("AccelerationYRange", {6.0f, 7.0f});
	collection.addString("PPSRange", "not a vector");
	e->readProperties(collection);
	EXPECT_EQ(e->getAccelXRange(), irr::core::vector2df(1.0f, 2.0f));
	EXPECT_EQ(e->getAccelYRange(), irr::core::vector2df(6.0f, 7.0f));
	EXPECT_EQ(e->getPPSRange(), irr::core::vector2df(0.0f, 0.0f));
}

TEST(EmitterProperties, ASavedEmitterReadsBackWithTheSameValues)
{
	TestContent content;
	SmartPointer<RectangleEmitter> saved(new RectangleEmitter());
	saved->setName("Sparks");
	saved->setPPSRange({4.0f, 8.0f});
	saved->setLifeTimeRange({1000.0f, 1000.0f});
	saved->setXRange({10.0f, 20.0f});
	saved->setYRange({-5.0f, 5.0f});
	saved->setVelocityXRange({-30.0f, 30.0f});
	saved->setVelocityYRange({-60.0f, -40.0f});
	saved->setAccelXRange({0.5f, 1.5f});
	saved->setAccelYRange({98.0f, 98.0f});
	saved->setAngleRange({0.0f, 360.0f});
	saved->setAngVelocityRange({-90.0f, 90.0f});
	saved->setColorStart(irr::video::SColor(0xFFFF8000));
	saved->setColorEnd(irr::video::SColor(0x00FF0000));
	saved->setColorVariation(0.125f);
	saved->setScaleRange({0.5f, 2.0f});
	saved->setScaleVariation(0.25f);

	SmartPointer<CVirtualFile> file = saveInCollection(*saved);
	SmartPointer<ContentObject> collection(content.manager->getContentFromFile(ContentTypeParticleCollection, file.get()));
	ASSERT_TRUE(collection);
	SmartPointer<ContentObject> loaded(content.manager->getContent(ContentTypeParticleEmitter, "Sparks", false));
	auto* e = dynamic_cast<RectangleEmitter*>(loaded.get());
	ASSERT_NE(e, nullptr);

	CPropertyCollection before;
	CPropertyCollection after;
	saved->writeProperties(before);
	e->writeProperties(after);
	ASSERT_EQ(before.getCount(), after.getCount());
	for (int i = 0; i < before.getCount(); ++i)
	{
		EXPECT_EQ(before.getNameAt(i), after.getNameAt(i));
		EXPECT_TRUE(before.getDataAt(i)->equals(*after.getDataAt(i))) << before.getNameAt(i).c_str();
	}
	EXPECT_EQ(e->getLifeTimeRange(), irr::core::vector2df(1000.0f, 1000.0f));
	EXPECT_EQ(e->getColorEnd().color, 0x00FF0000u);
	EXPECT_FLOAT_EQ(e->getScaleVariation(), 0.25f);
}

TEST(EmitterProperties, CopyAndCloneTakeTheDescriptionButNotTheState)
{
	SmartPointer<PointEmitter> source(new PointEmitter());
	ParticleArray particles;
	source->setName("Dust");
	source->setRadiusRange({5.0f, 6.0f});
	source->setColorStart(irr::video::SColor(0xFF102030));
	source->setPosition({7.0f, 8.0f});
	source->setParticles(&particles);
	source->setAccumulator(25.0f);

	SmartPointer<ContentObject> cloned(source->cloneContent());
	auto* copy = dynamic_cast<PointEmitter*>(cloned.get());
	ASSERT_NE(copy, nullptr);
	EXPECT_NE(copy, source.get());
	EXPECT_EQ(copy->getName(), irr::core::stringc("Dust"));
	EXPECT_EQ(copy->getRadiusRange(), irr::core::vector2df(5.0f, 6.0f));
	EXPECT_EQ(copy->getColorStart().color, 0xFF102030u);
	EXPECT_EQ(copy->getPosition(), irr::core::vector2df(0.0f, 0.0f));
	EXPECT_EQ(copy->getParticles(), nullptr);
	EXPECT_FLOAT_EQ(copy->getAccumulator(), 0.0f);

	// Across classes only the base description is copied.
	SmartPointer<RectangleEmitter> other(new RectangleEmitter());
	other->copyFrom(source.get());
	EXPECT_EQ(other->getName(), irr::core::stringc("Dust"));
	EXPECT_EQ(other->getColorStart().color, 0xFFFFFFFFu);
}

TEST(EmitterProperties, FactoryKnowsTheTwoEmitterClasses)
{
	EmitterFactory* factory = EmitterFactory::instance();
	EXPECT_EQ(factory, EmitterFactory::instance());
	SmartPointer<BaseEmitter> point(factory->createEmitter(L"PointEmitter", ContentRef()));
	SmartPointer<BaseEmitter> rectangle(factory->createEmitter(L"RectangleEmitter", ContentRef()));
	ASSERT_TRUE(point && rectangle);
	EXPECT_EQ(point->typeId(), 1);
	EXPECT_EQ(rectangle->typeId(), 2);
	EXPECT_EQ(factory->createEmitter(L"BaseEmitter", ContentRef()), nullptr);
	EXPECT_EQ(factory->createEmitter(L"pointemitter", ContentRef()), nullptr);
	factory->registerEmitter(L"PointEmitter", [](const ContentRef&) -> BaseEmitter* { return nullptr; });
	SmartPointer<BaseEmitter> still(factory->createEmitter(L"PointEmitter", ContentRef()));
	EXPECT_TRUE(still);
}
