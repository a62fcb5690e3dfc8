#include "platform/framework/QtPaneWidget.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LPane.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtWindowWidget.h"
#include "platform/framework/UDispatch.h"

#include <QApplication>

QtPaneWidget::QtPaneWidget(LPane* inPane, QWidget* inWidget, bool inPassesMouse)
    : mPane(inPane), mWidget(inWidget), mPassesMouse(inPassesMouse)
{
	mWidget->hide();
	mWidget->installEventFilter(this);
	for (QWidget* child : mWidget->findChildren<QWidget*>())
		child->installEventFilter(this);
}

QtPaneWidget::~QtPaneWidget()
{
	// The pane may go from inside an event its widget is receiving: Qt deletes the widget afterwards.
	if (QWidget* widget = mWidget.data()) {
		widget->hide();
		if (QCoreApplication::instance())
			widget->deleteLater();
		else
			delete widget;
	}
}

QWidget* QtPaneWidget::ContentOf(const LWindow* inWindow)
{
	// Asked on every control update: the window's own widget, never a search of the application's.
	return inWindow && inWindow->mWidget ? inWindow->mWidget->Content() : nullptr;
}

void QtPaneWidget::Sync(const Rect& inPortRect)
{
	QWidget* content = ContentOf(mPane->GetWindow());
	// Out of every window it stays hidden where it is: taking a widget out of a window walks all of the
	// window's widgets, and a closing window lets go of each of its panes.
	if (!content) {
		Apply(false, nullptr, QRect(), Rect{});
		return;
	}
	const QRect frame(inPortRect.left, inPortRect.top, inPortRect.right - inPortRect.left,
	                  inPortRect.bottom - inPortRect.top);
	// Only the part that the enclosing views reveal shows (scrolled views cut their panes).
	Rect revealed = inPortRect;
	if (LView* super = mPane->GetSuperView()) {
		Rect superRevealed;
		super->GetRevealedRect(superRevealed);
		if (!SectRect(&inPortRect, &superRevealed, &revealed))
			revealed = Rect{};
	}
	const bool shown = mPane->IsVisible() && !EmptyRect(&revealed) && !frame.isEmpty();
	Rect mask{};
	if (shown && !EqualRect(&revealed, &inPortRect))
		mask =
		    Rect{SInt16(revealed.top - inPortRect.top), SInt16(revealed.left - inPortRect.left),
		         SInt16(revealed.bottom - inPortRect.top), SInt16(revealed.right - inPortRect.left)};
	Apply(shown, content, frame, mask);
}

void QtPaneWidget::Apply(bool inShown, QWidget* inContent, const QRect& inFrame, const Rect& inMask)
{
	const bool enabled = mPane->IsEnabled();
	// A long table syncs thousands of hidden panes on every move and draw: what the widget already has
	// is not set again, so that their widgets are not touched at all.
	if (mApplied && !inShown && !mShown && enabled == mEnabled &&
	    (inContent == nullptr || inContent == mParent || mParent == nullptr))
		return;
	if (!mWidget)
		return;
	// A widget that has never shown joins its window when it first shows.
	if (inContent != nullptr && mWidget->parentWidget() != inContent &&
	    (inShown || mWidget->parentWidget() != nullptr))
		mWidget->setParent(inContent);
	mParent = mWidget->parentWidget();
	// A hidden widget is placed when it next shows: every move of its pane comes here, and a long table
	// moves thousands of hidden ones at a time.
	if (inShown) {
		if (mWidget->geometry() != inFrame)
			mWidget->setGeometry(inFrame);
		if (EmptyRect(&inMask))
			mWidget->clearMask();
		else
			mWidget->setMask(QRegion(inMask.left, inMask.top, inMask.right - inMask.left,
			                         inMask.bottom - inMask.top));
	}
	mWidget->setEnabled(enabled);
	mWidget->setVisible(inShown);
	mApplied = true;
	mShown = inShown;
	mEnabled = enabled;
}

bool QtPaneWidget::eventFilter(QObject*, QEvent* inEvent)
{
	LWindow* window = mPane->GetWindow();
	if (!window)
		return false;
	EventRecord record;
	SInt16 clicks = 1;
	switch (inEvent->type()) {
	case QEvent::MouseMove:
		QtEventTranslation::MouseRecord(inEvent, record, clicks);
		return false;
	case QEvent::MouseButtonPress:
	case QEvent::MouseButtonDblClick:
	case QEvent::MouseButtonRelease: {
		QtEventTranslation::MouseRecord(inEvent, record, clicks);
		// The dispatch may delete the pane and this with it.
		const bool passes = mPassesMouse;
		QPointer<QObject> self(this);
		LApplication::DispatchEvent(record, window, clicks);
		return !passes || !self;
	}
	case QEvent::KeyPress:
	case QEvent::KeyRelease:
		if (!QtEventTranslation::KeyRecord(inEvent, record))
			return false;
		if (inEvent->type() == QEvent::KeyPress)
			UDispatch::Run([window] { window->TakeKeysFromWindowSystem(); });
		if (mKeepKey && mKeepKey(record))
			return false;
		LApplication::DispatchEvent(record, window);
		return true;
	case QEvent::ShortcutOverride:
		// The framework decides what command keys mean.
		return false;
	default:
		return false;
	}
}
