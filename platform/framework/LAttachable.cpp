#include "platform/framework/LAttachable.h"

#include "platform/framework/LAttachment.h"

#include <algorithm>

LAttachable::~LAttachable()
{
	RemoveAllAttachments();
}

void LAttachable::AddAttachment(LAttachment* inAttachment, LAttachment* inBefore, Boolean inOwnsAttachment)
{
	if (!inAttachment)
		return;
	if (inAttachment->mOwnerHost)
		inAttachment->mOwnerHost->RemoveAttachment(inAttachment);
	auto at = std::find_if(mAttachments.begin(), mAttachments.end(),
	                       [&](const Entry& e) { return inBefore && e.attachment == inBefore; });
	mAttachments.insert(at, Entry{inAttachment, inOwnsAttachment});
	inAttachment->mOwnerHost = this;
}

void LAttachable::RemoveAttachment(LAttachment* inAttachment)
{
	for (Entry& e : mAttachments) {
		if (e.attachment == inAttachment) {
			e.attachment->mOwnerHost = nullptr;
			e.attachment = nullptr;
		}
	}
	Compact();
}

void LAttachable::RemoveAllAttachments()
{
	// Taken out first, so that an attachment's destructor finds itself gone.
	std::vector<Entry> entries;
	entries.swap(mAttachments);
	for (Entry& e : entries) {
		if (!e.attachment)
			continue;
		e.attachment->mOwnerHost = nullptr;
		if (e.owned)
			delete e.attachment;
	}
}

Boolean LAttachable::ExecuteAttachments(MessageT inMessage, void* ioParam)
{
	Boolean executeHost = true;
	++mWalking;
	// Indexed walk: attachments added while walking run too, removed ones are null.
	for (size_t i = 0; i < mAttachments.size(); ++i) {
		LAttachment* a = mAttachments[i].attachment;
		if (a && !a->Execute(inMessage, ioParam))
			executeHost = false;
	}
	--mWalking;
	Compact();
	return executeHost;
}

SInt32 LAttachable::CountAttachments() const
{
	return SInt32(std::count_if(mAttachments.begin(), mAttachments.end(),
	                            [](const Entry& e) { return e.attachment != nullptr; }));
}

void LAttachable::Compact()
{
	if (mWalking == 0)
		std::erase_if(mAttachments, [](const Entry& e) { return e.attachment == nullptr; });
}
