#include "GMenuTutorial.h"

#include "app/GBaseSceneNode.h"
#include "app/GGameApplication.h"
#include "content/CContentManager.h"
#include "content/CProfile.h"
#include "content/CProfileManager.h"
#include "content/CXMLReader.h"
#include "content/IFileSystem.h"
#include "data/ProfileKeys.h"
#include "device/IDevice.h"
#include "play/tutorial/GTutorial.h"
#include "scene/SceneManager.h"

namespace
{
CProfile* currentProfile()
{
	return CProfileManager::instance()->getActiveProfile();
}

// The interface's templates: those of the scene manager showing the owner, else the application's.
TemplateCollectionNode* templatesOf(const GBaseSceneNode& owner)
{
	SceneManager* manager = dynamic_cast<SceneManager*>(owner.getSceneManager());
	if (!manager && gGameApplication)
		manager = gGameApplication->uiSceneManager;
	return manager ? manager->getTemplateCollection() : nullptr;
}
} // namespace

GMenuTutorial::GMenuTutorial(GBaseSceneNode& owner) : owner(owner) {}

GMenuTutorial::~GMenuTutorial()
{
	end();
}

bool GMenuTutorial::open(const char* fileName, const char* key)
{
	end();
	profileKey = key;
	IFileSystem* files = getDevice()->getFileSystem();
	BaseNode* scene = owner.findChild(internStringId("Scene"), 0);
	if (!files || !scene)
		return false;
	SmartPointer<CXMLReader> reader(files->createXMLReader(fileName));
	if (!reader)
		return false;
	CContentManager* content = owner.getContentRef().getContentManager();
	if (!content && gGameApplication)
		content = gGameApplication->contentManager;
	tutorial = SmartPointer<GTutorial>(new GTutorial(scene, templatesOf(owner), content));
	tutorial->load(reader.get(), nullptr);
	owner.preListeners.push_back(tutorial.get());
	return true;
}

void GMenuTutorial::start()
{
	if (tutorial)
		tutorial->start();
}

void GMenuTutorial::update(unsigned elapsed)
{
	if (tutorial && !tutorial->update(static_cast<int>(elapsed)))
		end();
}

void GMenuTutorial::catchUp()
{
	while (tutorial)
	{
		const int shown = tutorial->getCurrentHint();
		update(0);
		if (tutorial && tutorial->getCurrentHint() == shown)
			return;
	}
}

void GMenuTutorial::skip()
{
	if (!tutorial)
		return;
	tutorial->stop();
	if (CProfile* profile = currentProfile())
		profile->setBool(ProfileKey::ShowTutorialOn, false);
}

void GMenuTutorial::end()
{
	if (!tutorial)
		return;
	owner.removePreListener(tutorial.get());
	tutorial->stop();
	tutorial = nullptr;
}

void GMenuTutorial::clearProfileKey()
{
	CProfile* profile = currentProfile();
	if (profileKey.empty() || !profile)
		return;
	profile->setBool(profileKey.c_str(), false);
	profile->save();
}
