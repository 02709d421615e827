#include "WidgetTestSupport.h"

#include "content/AtlasTexture.h"
#include "core/CEvent.h"

MonospaceFont::MonospaceFont(TestFrames& frames) : CFont(ContentRef())
{
	addPage(frames.makeFrame(256, 256));
	FontGlyph glyph;
	glyph.x2 = GlyphWidth;
	glyph.y2 = GlyphHeight;
	glyph.width = GlyphWidth;
	glyph.height = GlyphHeight;
	for (wchar_t c = 32; c < 127; ++c)
		addGlyph(c, glyph);
	recomputeLineHeight();
}

RecordingServices::RecordingServices() : templates(new TemplateCollectionNode()) {}

RecordingServices::~RecordingServices() = default;

void RecordingServices::queueEvent(EventReceiver*, int, CEvent* event)
{
	postedIds.push_back(event->typeId());
}

int RecordingServices::posted(int typeId) const
{
	int count = 0;
	for (int id : postedIds)
		count += id == typeId ? 1 : 0;
	return count;
}
