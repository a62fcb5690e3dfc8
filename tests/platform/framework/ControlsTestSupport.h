#pragma once
// Shared pieces of the controls' tests: their resources, a listener that records what it hears and a way
// to reach the native widget on a pane.

#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LListener.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UControlRegistry.h"
#include "platform/framework/UDispatch.h"

#include <QWidget>
#include <algorithm>
#include <memory>

namespace ControlsTest
{

inline void LoadControlFixtures()
{
	FrameworkTest::LoadFixtures();
	static bool loaded = false;
	if (loaded)
		return;
	FrameworkTest::LoadFixtureFile("resources/controls.res");
	UControlRegistry::RegisterClasses();
	RegisterClass_(LView);
	loaded = true;
}

struct Heard {
	MessageT message;
	SInt32 value; // the SInt32 the parameter points at, for value messages
	void* param;
};

class TRecorder : public LListener
{
public:
	std::vector<Heard> mHeard;
	// Messages whose parameter is not a pointer to an SInt32.
	std::vector<MessageT> mPointerMessages;

	void ListenToMessage(MessageT inMessage, void* ioParam) override
	{
		const bool isValue = ioParam && std::find(mPointerMessages.begin(), mPointerMessages.end(),
		                                          inMessage) == mPointerMessages.end();
		mHeard.push_back({inMessage, isValue ? *static_cast<SInt32*>(ioParam) : 0, ioParam});
	}
	size_t Count(MessageT inMessage) const
	{
		return size_t(std::count_if(mHeard.begin(), mHeard.end(),
		                            [inMessage](const Heard& h) { return h.message == inMessage; }));
	}
	const Heard* Last(MessageT inMessage) const
	{
		for (auto it = mHeard.rbegin(); it != mHeard.rend(); ++it)
			if (it->message == inMessage)
				return &*it;
		return nullptr;
	}
};

// A mouse-down at a point of a window's port, handed out the way the event loop does.
inline void ClickPortAt(LWindow* inWindow, Point inWhere, UInt16 inModifiers = 0)
{
	inWindow->PortToGlobalPoint(inWhere);
	EventRecord event;
	event.what = mouseDown;
	event.where = inWhere;
	event.modifiers = inModifiers;
	LApplication::DispatchEvent(event, inWindow);
}

// The native widget a pane shows: the child of its window's content placed on the pane's frame.
template <class W> W* NativeOf(LPane* inPane)
{
	QWidget* content = QtPaneWidget::ContentOf(inPane->GetWindow());
	if (!content)
		return nullptr;
	Rect frame;
	inPane->CalcPortFrameRect(frame);
	const QRect area(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
	for (W* widget : content->findChildren<W*>(Qt::FindDirectChildrenOnly))
		if (widget->geometry().top() == frame.top && area.contains(widget->geometry().topLeft()))
			return widget;
	return nullptr;
}

} // namespace ControlsTest
