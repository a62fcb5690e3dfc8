#include "platform/framework/QtPaneWidget.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LPane.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtWindowWidget.h"
#include "platform/toolbox/TickCount.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

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
	if (!inWindow || !QApplication::instance())
		return nullptr;
	for (QWidget* top : QApplication::topLevelWidgets())
		if (auto* window = dynamic_cast<QtWindowWidget*>(top); window && window->Owner() == inWindow)
			return window->Content();
	return nullptr;
}

void QtPaneWidget::Sync(const Rect& inPortRect)
{
	if (!mWidget)
		return;
	QWidget* content = ContentOf(mPane->GetWindow());
	if (mWidget->parentWidget() != content) {
		mWidget->setParent(content);
		if (!content) {
			mWidget->hide();
			return;
		}
	}
	if (!content)
		return;
	const QRect frame(inPortRect.left, inPortRect.top, inPortRect.right - inPortRect.left,
	                  inPortRect.bottom - inPortRect.top);
	if (mWidget->geometry() != frame)
		mWidget->setGeometry(frame);
	// Only the part that the enclosing views reveal shows (scrolled views cut their panes).
	Rect revealed = inPortRect;
	if (LView* super = mPane->GetSuperView()) {
		Rect superRevealed;
		super->GetRevealedRect(superRevealed);
		if (!SectRect(&inPortRect, &superRevealed, &revealed))
			revealed = Rect{};
	}
	const bool shown = mPane->IsVisible() && !EmptyRect(&revealed) && !frame.isEmpty();
	if (shown) {
		if (EqualRect(&revealed, &inPortRect))
			mWidget->clearMask();
		else
			mWidget->setMask(
			    QRegion(revealed.left - inPortRect.left, revealed.top - inPortRect.top,
			            revealed.right - revealed.left, revealed.bottom - revealed.top));
	}
	mWidget->setEnabled(mPane->IsEnabled());
	mWidget->setVisible(shown);
}

bool QtPaneWidget::KeyEventRecord(QEvent* inEvent, EventRecord& outRecord)
{
	auto* key = static_cast<QKeyEvent*>(inEvent);
	outRecord.modifiers = QtEventTranslation::Modifiers(int(key->modifiers()));
	if (!QtEventTranslation::KeyMessage(key->key(), key->text().toStdString(), outRecord.modifiers,
	                                    outRecord.message))
		return false;
	const bool down = inEvent->type() == QEvent::KeyPress;
	outRecord.what = down ? (key->isAutoRepeat() ? autoKey : keyDown) : keyUp;
	outRecord.when = TickCount();
	const QPoint mouse = QCursor::pos();
	outRecord.where.h = SInt16(mouse.x());
	outRecord.where.v = SInt16(mouse.y());
	return true;
}

bool QtPaneWidget::eventFilter(QObject*, QEvent* inEvent)
{
	LWindow* window = mPane->GetWindow();
	if (!window)
		return false;
	switch (inEvent->type()) {
	case QEvent::MouseButtonPress:
	case QEvent::MouseButtonDblClick:
	case QEvent::MouseButtonRelease: {
		auto* mouse = static_cast<QMouseEvent*>(inEvent);
		const bool right = mouse->button() == Qt::RightButton;
		EventRecord record;
		record.what = inEvent->type() == QEvent::MouseButtonRelease ? mouseUp : mouseDown;
		record.when = TickCount();
		const QPoint global = mouse->globalPosition().toPoint();
		record.where.h = SInt16(global.x());
		record.where.v = SInt16(global.y());
		record.modifiers = QtEventTranslation::Modifiers(int(mouse->modifiers()), right);
		if (record.what == mouseUp)
			record.modifiers |= btnState;
		const SInt16 clicks = inEvent->type() == QEvent::MouseButtonDblClick ? 2 : 1;
		// The dispatch may delete the pane and this with it.
		const bool passes = mPassesMouse;
		QPointer<QObject> self(this);
		LApplication::DispatchEvent(record, window, clicks);
		return !passes || !self;
	}
	case QEvent::KeyPress:
	case QEvent::KeyRelease: {
		EventRecord record;
		if (!KeyEventRecord(inEvent, record))
			return false;
		if (mKeepKey && mKeepKey(record))
			return false;
		LApplication::DispatchEvent(record, window);
		return true;
	}
	case QEvent::ShortcutOverride:
		// The framework decides what command keys mean.
		return false;
	default:
		return false;
	}
}
