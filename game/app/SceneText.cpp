#include "SceneText.h"

#include "content/CDictionary.h"
#include "core/TextUtils.h"
#include "device/IDevice.h"

namespace scenetext
{
CDictionary* dictionary()
{
	IDevice* device = Singleton<IDevice>::peek();
	return device ? device->getDictionary() : nullptr;
}

irr::core::stringw thousands(int value)
{
	return formatThousands(value, L',');
}

irr::core::stringw format(const char* key, const irr::core::stringw& p1, const irr::core::stringw& p2)
{
	CDictionary* texts = dictionary();
	return texts ? texts->format(key, p1, p2) : p1;
}

irr::core::stringw listLine(const CDictionary* dictionary, const char* key, const irr::core::stringw& value)
{
	return irr::core::stringw(L"- ") + (dictionary ? dictionary->format(key, value) : value);
}

irr::core::stringw money(int amount)
{
	return format("MoneyDollar", thousands(amount));
}
} // namespace scenetext
