#pragma once
// A host of attachments. Attachments run in the order they were added; an owned attachment is deleted with
// its host. Adding or removing attachments while they run is safe.

#include "platform/framework/FrameworkTypes.h"

#include <vector>

class LAttachment;

class LAttachable
{
public:
	LAttachable() = default;
	virtual ~LAttachable();
	LAttachable(const LAttachable&) = delete;
	LAttachable& operator=(const LAttachable&) = delete;

	// inBefore null appends. An attachment belongs to one host at a time; it leaves its former one.
	void AddAttachment(LAttachment* inAttachment, LAttachment* inBefore = nullptr,
	                   Boolean inOwnsAttachment = true);
	// Takes the attachment off without deleting it.
	void RemoveAttachment(LAttachment* inAttachment);
	void RemoveAllAttachments(); // deletes the owned ones

	// Offers the message to every attachment; false when one of them asked the host not to execute.
	Boolean ExecuteAttachments(MessageT inMessage, void* ioParam);

	SInt32 CountAttachments() const;

private:
	struct Entry {
		LAttachment* attachment;
		Boolean owned;
	};
	std::vector<Entry> mAttachments; // null entries are removals made while the list was being walked
	int mWalking = 0;
	void Compact();
};
