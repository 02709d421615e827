// Reads a scene file from the input, then saves, clones and animates what was read.
#include "content/CVirtualFile.h"
#include "content/CXMLReader.h"
#include "content/CXMLWriter.h"
#include "core/SmartPointer.h"
#include "core/TaskScheduler.h"
#include "scene/AnimatorSet.h"
#include "scene/BaseNode.h"
#include "scene/NodeFactory.h"
#include "scene/SceneFileReader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{
// Plays every state of the tree's nodes on one scheduler for a few steps.
void animate(BaseNode* node, TaskScheduler* scheduler, int depth)
{
	if (depth > 64)
		return;
	for (const auto& entry : node->getStates())
		entry.second->start(scheduler, entry.first);
	const auto& children = node->getChildren();
	for (irr::u32 i = 0; i < children.size(); ++i)
		animate(children[i], scheduler, depth + 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SmartPointer<CXMLReader> reader(new CXMLReader(data, size));
	SmartPointer<BaseNode> root(
	    SceneFileReader::loadDocument(reader.get(), NodeFactory::instance(), nullptr, ContentRef(), "fuzz.qscn"));
	if (!root)
		return 0;

	SmartPointer<CVirtualFile> file(new CVirtualFile("fuzz-out.qscn"));
	{
		SmartPointer<CXMLWriter> writer(new CXMLWriter(file.get()));
		root->save(writer.get());
	}

	SmartPointer<BaseNode> copy(root->clone());
	SmartPointer<TaskScheduler> scheduler(new TaskScheduler());
	animate(copy.get(), scheduler.get(), 0);
	for (int i = 0; i < 8; ++i)
		scheduler->update(20);
	copy->stopAllStates(true);
	return 0;
}
