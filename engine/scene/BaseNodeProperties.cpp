#include "BaseNode.h"
#include "PropertyAccessors.h"
#include "PropertyValue.h"
#include "core/CPropertyCollection.h"
#include "core/CPropertyDataString.h"

#include <cstring>

using namespace irr;

namespace
{
const core::vector3df zero3(0.0f, 0.0f, 0.0f);
const core::vector3df one3(1.0f, 1.0f, 1.0f);
const core::vector3df defaultBounds(100.0f, 100.0f, 0.0f);

// The names readProperties knows.
enum KnownProperty
{
	NameProperty,
	PositionProperty,
	RotationProperty,
	ScaleProperty,
	BoundsProperty,
	PivotPointProperty,
	TintColorProperty,
	VisibleProperty,
	CanBeHitProperty,
	ChildrenClippedProperty,
	KnownPropertyCount
};

// The known name an item name is, or KnownPropertyCount; the length picks the names to compare with.
KnownProperty knownPropertyOf(const core::stringc& name)
{
	const char* text = name.c_str();
	const auto is = [&](const char* known) { return std::memcmp(text, known, name.size()) == 0; };
	switch (name.size())
	{
	case 4:
		return is("Name") ? NameProperty : KnownPropertyCount;
	case 5:
		return is("Scale") ? ScaleProperty : KnownPropertyCount;
	case 6:
		return is("Bounds") ? BoundsProperty : KnownPropertyCount;
	case 7:
		return is("Visible") ? VisibleProperty : KnownPropertyCount;
	case 8:
		if (is("Position"))
			return PositionProperty;
		if (is("Rotation"))
			return RotationProperty;
		return is("CanBeHit") ? CanBeHitProperty : KnownPropertyCount;
	case 9:
		return is("TintColor") ? TintColorProperty : KnownPropertyCount;
	case 10:
		return is("PivotPoint") ? PivotPointProperty : KnownPropertyCount;
	case 15:
		return is("ChildrenClipped") ? ChildrenClippedProperty : KnownPropertyCount;
	default:
		return KnownPropertyCount;
	}
}

// The index of the last item of each known name, or -1.
void findKnownProperties(const CPropertyCollection& collection, int (&found)[KnownPropertyCount])
{
	for (int& index : found)
		index = -1;
	for (int i = 0; i < collection.getCount(); ++i)
	{
		const KnownProperty property = knownPropertyOf(collection.getNameAt(i));
		if (property != KnownPropertyCount)
			found[property] = i;
	}
}
} // namespace

const PropertyTable& BaseNode::propertyTable() const
{
	return baseNodePropertyTable();
}

const PropertyTable& BaseNode::baseNodePropertyTable()
{
	static const PropertyTable table = appendPropertyDescriptors(
	    rootPropertyTable(),
	    {
	        fieldProperty<&BaseNode::Name>("Name"),
	        accessorProperty<&BaseNode::setVisible, &BaseNode::isVisible>("Visible"),
	        accessorProperty<&BaseNode::setPosition, &BaseNode::getPosition>("Position"),
	        accessorProperty<&BaseNode::setRotation, &BaseNode::getRotation>("Rotation"),
	        accessorProperty<&BaseNode::setScale, &BaseNode::getScale>("Scale"),
	        // Animated bounds are stored as given: no clamping.
	        fieldProperty<&BaseNode::Bounds>("Bounds"),
	        accessorProperty<&BaseNode::setPivotPoint, &BaseNode::getPivotPoint>("PivotPoint"),
	        accessorProperty<&BaseNode::setTintColor, &BaseNode::getTintColor>("TintColor"),
	        accessorProperty<&BaseNode::setCanBeHit, &BaseNode::canBeHit>("CanBeHit"),
	        accessorProperty<&BaseNode::setChildrenClipped, &BaseNode::isChildrenClipped>("ChildrenClipped"),
	    });
	return table;
}

void BaseNode::writeProperties(CPropertyCollection& collection) const
{
	if (!Name.isEmpty())
		collection.addString("Name", getStringById(Name));
	if (!Position.equals(zero3, 1e-6f))
		collection.addVector3d("Position", Position);
	if (!Rotation.equals(zero3, 1e-6f))
		collection.addVector3d("Rotation", Rotation);
	if (!Scale.equals(one3, 1e-6f))
		collection.addVector3d("Scale", Scale);
	if (!Bounds.equals(defaultBounds, 1e-6f))
		collection.addVector3d("Bounds", Bounds);
	if (PivotPoint.X != 0.0f || PivotPoint.Y != 0.0f)
		collection.addVector2d("PivotPoint", PivotPoint);
	if (TintColor.color != 0xFFFFFFFF)
		collection.addColor("TintColor", TintColor);
	if (!Visible)
		collection.addBool("Visible", false);
	if (!CanBeHit)
		collection.addBool("CanBeHit", false);
	if (ChildrenClipped)
		collection.addBool("ChildrenClipped", true);
}

void BaseNode::readProperties(const CPropertyCollection& collection)
{
	// One pass over the items finds the last item of each name, as a lookup by name would.
	int found[KnownPropertyCount];
	findKnownProperties(collection, found);
	const auto value = [&](KnownProperty property) { return collection.getDataAt(found[property]); };
	if (found[NameProperty] >= 0)
	{
		// A string value is interned as it stands rather than through a copy of its text.
		const SmartPointer<IPropertyData> name = value(NameProperty);
		if (name && name->typeId() == PROPERTY_STRING)
			Name = internStringId(static_cast<const CPropertyDataString*>(name.get())->getValue());
		else
			Name = internStringId(propertyAsText(name.get()));
	}
	if (found[PositionProperty] >= 0)
		setPosition(propertyAsVector3d(value(PositionProperty).get()));
	if (found[RotationProperty] >= 0)
		setRotation(propertyAsVector3d(value(RotationProperty).get()));
	if (found[ScaleProperty] >= 0)
		setScale(propertyAsVector3d(value(ScaleProperty).get()));
	if (found[BoundsProperty] >= 0)
		setBounds(propertyAsVector3d(value(BoundsProperty).get()));
	if (found[PivotPointProperty] >= 0)
		setPivotPoint(propertyAsVector2d(value(PivotPointProperty).get()));
	if (found[TintColorProperty] >= 0)
		setTintColor(propertyAsColor(value(TintColorProperty).get()));
	if (found[VisibleProperty] >= 0)
		Visible = propertyAsBool(value(VisibleProperty).get());
	if (found[CanBeHitProperty] >= 0)
		CanBeHit = propertyAsBool(value(CanBeHitProperty).get());
	if (found[ChildrenClippedProperty] >= 0)
		ChildrenClipped = propertyAsBool(value(ChildrenClippedProperty).get());
}
