#include "BaseNode.h"
#include "PropertyAccessors.h"
#include "PropertyValue.h"
#include "core/CPropertyCollection.h"

using namespace irr;

namespace
{
const core::vector3df zero3(0.0f, 0.0f, 0.0f);
const core::vector3df one3(1.0f, 1.0f, 1.0f);
const core::vector3df defaultBounds(100.0f, 100.0f, 0.0f);

// The value stored under a name when the name is present (possibly without a value).
bool present(const CPropertyCollection& collection, const char* name, SmartPointer<IPropertyData>& value)
{
	const int index = collection.indexOf(name);
	if (index < 0)
		return false;
	value = collection.getDataAt(index);
	return true;
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
	SmartPointer<IPropertyData> value;
	if (present(collection, "Name", value))
		Name = internStringId(propertyAsText(value.get()));
	if (present(collection, "Position", value))
		setPosition(propertyAsVector3d(value.get()));
	if (present(collection, "Rotation", value))
		setRotation(propertyAsVector3d(value.get()));
	if (present(collection, "Scale", value))
		setScale(propertyAsVector3d(value.get()));
	if (present(collection, "Bounds", value))
		setBounds(propertyAsVector3d(value.get()));
	if (present(collection, "PivotPoint", value))
		setPivotPoint(propertyAsVector2d(value.get()));
	if (present(collection, "TintColor", value))
		setTintColor(propertyAsColor(value.get()));
	if (present(collection, "Visible", value))
		Visible = propertyAsBool(value.get());
	if (present(collection, "CanBeHit", value))
		CanBeHit = propertyAsBool(value.get());
	if (present(collection, "ChildrenClipped", value))
		ChildrenClipped = propertyAsBool(value.get());
}
