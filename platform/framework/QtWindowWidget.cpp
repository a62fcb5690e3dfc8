#include "platform/framework/QtWindowWidget.h"

#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtMenus.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

// The content area: shows the port's image and turns input into toolbox events.
class QtContentWidget : public QWidget
{
public:
	explicit QtContentWidget(QtWindowWidget* inWindow) : QWidget(inWindow), mWindow(inWindow)
	{
		setFocusPolicy(Qt::StrongFocus);
		setAttribute(Qt::WA_OpaquePaintEvent);
	}

protected:
	// Tab is a key like the others: the framework's tab groups move between fields.
	bool focusNextPrevChild(bool) override { return false; }

	void paintEvent(QPaintEvent* event) override
	{
		if (LWindow* owner = mWindow->Owner())
			UDispatch::Run([owner] { owner->UpdatePort(); });
		mWindow->DropScrolls();
		mWindow->mDrawn -= event->region(); // shown now
		QPainter painter(this);
		painter.drawImage(event->rect(), mWindow->Image(), event->rect());
	}

	void resizeEvent(QResizeEvent*) override
	{
		LWindow* owner = mWindow->Owner();
		if (!owner)
			return;
		SDimension16 size;
		owner->GetFrameSize(size);
		if (mWindow->mPlacing || (size.width == width() && size.height == height()))
			return;
		// The user resized the window.
		mWindow->mPlacing = true;
		const SInt16 dw = SInt16(width() - size.width), dh = SInt16(height() - size.height);
		UDispatch::Run([&] {
			Rect bounds;
			owner->GetGlobalBounds(bounds);
			bounds.right = SInt16(bounds.right + dw);
			bounds.bottom = SInt16(bounds.bottom + dh);
			owner->DoSetBounds(bounds);
		});
		mWindow->mPlacing = false;
		LWindow::AfterDispatch();
	}

	void keyPressEvent(QKeyEvent* event) override { Key(event, true); }
	void keyReleaseEvent(QKeyEvent* event) override { Key(event, false); }
	void mousePressEvent(QMouseEvent* event) override { Mouse(event); }
	void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(event); }
	void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event); }
	void mouseMoveEvent(QMouseEvent* event) override { Mouse(event); }

	void wheelEvent(QWheelEvent* event) override
	{
		if (!mWindow->Owner())
			return;
		const QPoint steps = event->angleDelta() / 120;
		const bool vertical = steps.y() != 0;
		const SInt32 delta = vertical ? steps.y() : steps.x();
		if (delta == 0)
			return;
		const QPoint global = event->globalPosition().toPoint();
		Point where;
		where.h = SInt16(global.x());
		where.v = SInt16(global.y());
		const UInt16 modifiers = QtEventTranslation::Modifiers(int(event->modifiers()));
		if (LApplication::DispatchWheel(mWindow->Owner(), vertical, delta, where, modifiers))
			event->accept();
		else
			event->ignore();
	}

private:
	void Mouse(QMouseEvent* event)
	{
		EventRecord record;
		SInt16 clicks = 1;
		if (!QtEventTranslation::MouseRecord(event, record, clicks) || !mWindow->Owner())
			return;
		LApplication::DispatchEvent(record, mWindow->Owner(), clicks);
		event->accept();
	}

	void Key(QKeyEvent* event, bool down)
	{
		if (!mWindow->Owner())
			return;
		EventRecord record;
		if (!QtEventTranslation::KeyRecord(event, record)) {
			event->ignore();
			return;
		}
		LWindow* owner = mWindow->Owner();
		if (down)
			UDispatch::Run([owner] { owner->TakeKeysFromWindowSystem(); });
		LApplication::DispatchEvent(record, owner);
		event->accept();
	}

	QtWindowWidget* mWindow;
};

QtWindowWidget::QtWindowWidget(LWindow* inOwner, Qt::WindowFlags inFlags, bool inWithMenuBar)
    : QWidget(nullptr, inFlags), mOwner(inOwner)
{
	// No layout: a layout would give the bar the content's pixels whenever the bar grows.
	if (inWithMenuBar) {
		mMenuBar = new QMenuBar(this);
		mMenuBar->setNativeMenuBar(false);
	}
	mContent = new QtContentWidget(this);
	mImage = QImage(1, 1, QImage::Format_RGB32);
	mImage.fill(Qt::white);
}

QtWindowWidget::~QtWindowWidget() = default;

void QtWindowWidget::Detach()
{
	mOwner = nullptr;
	hide();
	deleteLater();
}

QWidget* QtWindowWidget::Content() const
{
	return mContent;
}

int QtWindowWidget::MenuBarHeight() const
{
	return mBarHeight;
}

int QtWindowWidget::StandardMenuBarHeight()
{
	QMenuBar bar;
	bar.setNativeMenuBar(false);
	bar.addMenu(QStringLiteral("File"));
	return bar.sizeHint().height();
}

int QtWindowWidget::WantedBarHeight() const
{
	return mMenuBar ? mMenuBar->sizeHint().height() : 0;
}

void QtWindowWidget::PlaceContent(const Rect& inGlobalBounds)
{
	const bool wasPlacing = mPlacing;
	mPlacing = true;
	const int width = inGlobalBounds.right - inGlobalBounds.left;
	const int height = inGlobalBounds.bottom - inGlobalBounds.top;
	mBarHeight = WantedBarHeight();
	// Qt clamps a new geometry to the old limits and resizes to meet new ones: free it, place it, then
	// set the limits, the content's plus the bar.
	setMinimumSize(0, 0);
	setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
	setGeometry(inGlobalBounds.left, inGlobalBounds.top - mBarHeight, width, height + mBarHeight);
	if (mOwner->HasAttribute(windAttr_Resizable)) {
		Rect limits;
		mOwner->GetMinMaxSize(limits);
		setMinimumSize(std::min<int>(limits.left, width),
		               std::min<int>(limits.top, height) + mBarHeight);
		setMaximumSize(
		    std::clamp<int>(limits.right, width, QWIDGETSIZE_MAX),
		    std::min<int>(std::max<int>(limits.bottom, height) + mBarHeight, QWIDGETSIZE_MAX));
	} else {
		setFixedSize(width, height + mBarHeight);
	}
	LayOut();
	mPlacing = wasPlacing;
}

void QtWindowWidget::LayOut()
{
	if (mMenuBar)
		mMenuBar->setGeometry(0, 0, width(), mBarHeight);
	mContent->setGeometry(0, mBarHeight, width(), std::max(height() - mBarHeight, 0));
}

void QtWindowWidget::NoteScrolled(const QRect& inArea, int inDh, int inDv)
{
	const QRect moved = inArea.translated(inDh, inDv) & inArea;
	// What was drawn and not shown yet moves too.
	const QRegion inside = mDrawn & inArea;
	mDrawn -= inside;
	mDrawn += inside.translated(inDh, inDv) & inArea;
	mDrawn += QRegion(inArea) - moved;
	mScrolls.push_back({inArea, inDh, inDv});
}

void QtWindowWidget::ShowChanges()
{
	for (const Scroll& scroll : mScrolls)
		mContent->scroll(scroll.dh, scroll.dv, scroll.area);
	mScrolls.clear();
	if (!mDrawn.isEmpty()) {
		mContent->update(mDrawn);
		mDrawn = QRegion();
	}
}

void QtWindowWidget::DropScrolls()
{
	for (const Scroll& scroll : mScrolls)
		mDrawn += scroll.area;
	mScrolls.clear();
}

void QtWindowWidget::ResizeImage(int inWidth, int inHeight)
{
	inWidth = std::max(inWidth, 1);
	inHeight = std::max(inHeight, 1);
	if (mImage.width() == inWidth && mImage.height() == inHeight)
		return;
	QImage image(inWidth, inHeight, QImage::Format_RGB32);
	image.fill(Qt::white);
	QPainter painter(&image);
	painter.drawImage(0, 0, mImage);
	painter.end();
	mImage = image; // the port keeps pointing at mImage
	DropScrolls();
}

void QtWindowWidget::SyncMenuBar()
{
	if (!mMenuBar || !mOwner)
		return;
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	const UInt32 seed = bar ? bar->GetSeed() : 0;
	if (bar == mMenuBarModel && seed == mMenuSeed)
		return;
	mMenuBarModel = bar;
	mMenuSeed = seed;
	// An open menu may be one of these: they go when its loop is left.
	for (QAction* action : mMenuBar->actions())
		if (QMenu* old = action->menu())
			old->deleteLater();
	mMenuBar->clear();
	if (bar)
		FillMenuBar(bar);
	// The bar grows above the content, which stays where the window's bounds put it.
	if (WantedBarHeight() != mBarHeight) {
		Rect bounds;
		mOwner->GetGlobalBounds(bounds);
		PlaceContent(bounds);
	}
}

void QtWindowWidget::FillMenuBar(LMenuBar* inBar)
{
	for (LMenu* menu : inBar->GetBarMenus()) {
		Str255 title;
		menu->GetTitle(title);
		QMenu* qmenu = mMenuBar->addMenu(QStringFromPascal(title));
		const SInt16 id = menu->GetMenuID();
		QPointer<QMenu> guard(qmenu);
		// Filled as it opens: a long menu would otherwise be built once per window, item by item.
		connect(qmenu, &QMenu::aboutToShow, qmenu, [guard, id] {
			if (guard)
				QtMenus::Fill(guard, id, nullptr, true);
		});
	}
}

void QtWindowWidget::closeEvent(QCloseEvent* event)
{
	// The close box asks the window; the window decides and deletes itself later.
	event->ignore();
	LWindow* owner = mOwner;
	if (!owner)
		return;
	UDispatch::Run([owner] { owner->ProcessCommand(cmd_Close); });
	LWindow::AfterDispatch();
}

void QtWindowWidget::changeEvent(QEvent* event)
{
	QWidget::changeEvent(event);
	if (mOwner && event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
		// The maximize button is the zoom box: the window decides its zoomed size.
		setWindowState(windowState() & ~Qt::WindowMaximized);
		LWindow* owner = mOwner;
		UDispatch::Run([owner] { owner->DoSetZoom(!owner->IsZoomed()); });
		LWindow::AfterDispatch();
		return;
	}
	if (mOwner && event->type() == QEvent::ActivationChange && isActiveWindow()) {
		LWindow* owner = mOwner;
		UDispatch::Run([owner] { owner->TakeKeysFromWindowSystem(); });
	}
}

void QtWindowWidget::resizeEvent(QResizeEvent* event)
{
	QWidget::resizeEvent(event);
	LayOut();
}

void QtWindowWidget::moveEvent(QMoveEvent* event)
{
	QWidget::moveEvent(event);
	if (!mOwner || mPlacing || !isVisible())
		return;
	// Moved by the user: the window's global bounds follow.
	const QPoint topLeft = geometry().topLeft() + QPoint(0, MenuBarHeight());
	Rect bounds;
	mOwner->GetGlobalBounds(bounds);
	const SInt16 dh = SInt16(topLeft.x() - bounds.left), dv = SInt16(topLeft.y() - bounds.top);
	if (dh != 0 || dv != 0) {
		mOwner->mGlobalBounds = Rect{SInt16(bounds.top + dv), SInt16(bounds.left + dh),
		                             SInt16(bounds.bottom + dv), SInt16(bounds.right + dh)};
		mOwner->mPort->globalOffset = Point{mOwner->mGlobalBounds.top, mOwner->mGlobalBounds.left};
	}
}
