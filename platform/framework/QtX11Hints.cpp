#include "platform/framework/QtX11Hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

namespace
{
xcb_atom_t Atom(xcb_connection_t* inConnection, const char* inName)
{
	xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
	    inConnection, xcb_intern_atom(inConnection, 0, uint16_t(std::strlen(inName)), inName), nullptr);
	const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
	std::free(reply);
	return atom;
}

xcb_connection_t* Connection(QWidget* inWidget)
{
	if (!inWidget || QGuiApplication::platformName() != QLatin1String("xcb"))
		return nullptr;
	auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
	return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* inConnection, xcb_window_t inWindow)
{
	xcb_query_tree_reply_t* tree =
	    xcb_query_tree_reply(inConnection, xcb_query_tree(inConnection, inWindow), nullptr);
	const xcb_window_t root = tree ? tree->root : xcb_window_t(XCB_WINDOW_NONE);
	std::free(tree);
	return root;
}

// The root window's height, in its pixels; 0 when the server did not say.
uint32_t RootHeight(xcb_connection_t* inConnection, xcb_window_t inWindow)
{
	const xcb_window_t rootWindow = Root(inConnection, inWindow);
	if (rootWindow == XCB_WINDOW_NONE)
		return 0;
	xcb_get_geometry_reply_t* root =
	    xcb_get_geometry_reply(inConnection, xcb_get_geometry(inConnection, rootWindow), nullptr);
	const uint32_t height = root ? root->height : 0;
	std::free(root);
	return height;
}

// The 32-bit values of a window's property, at most inMost of them.
std::vector<uint32_t> Values(xcb_connection_t* inConnection, xcb_window_t inWindow, xcb_atom_t inProperty,
                             xcb_atom_t inType, uint32_t inMost)
{
	std::vector<uint32_t> values;
	xcb_get_property_reply_t* reply = xcb_get_property_reply(
	    inConnection, xcb_get_property(inConnection, 0, inWindow, inProperty, inType, 0, inMost),
	    nullptr);
	if (reply && reply->format == 32 && reply->type == inType) {
		const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
		values.assign(data, data + xcb_get_property_value_length(reply) / 4);
	}
	std::free(reply);
	return values;
}

// Asks the manager for the frame it would give the unmapped window, and waits a little for its answer.
bool AskFrameExtents(xcb_connection_t* inConnection, xcb_window_t inWindow, QMargins& outExtents)
{
	const xcb_window_t root = Root(inConnection, inWindow);
	const xcb_atom_t request = Atom(inConnection, "_NET_REQUEST_FRAME_EXTENTS");
	const xcb_atom_t extents = Atom(inConnection, "_NET_FRAME_EXTENTS");
	const xcb_atom_t supported = Atom(inConnection, "_NET_SUPPORTED");
	if (root == XCB_WINDOW_NONE || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE)
		return false;
	const std::vector<uint32_t> features = Values(inConnection, root, supported, XCB_ATOM_ATOM, 4096);
	if (std::find(features.begin(), features.end(), request) == features.end())
		return false;
	xcb_client_message_event_t event{};
	event.response_type = XCB_CLIENT_MESSAGE;
	event.format = 32;
	event.window = inWindow;
	event.type = request;
	xcb_send_event(inConnection, 0, root,
	               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
	               reinterpret_cast<const char*>(&event));
	xcb_flush(inConnection);
	// The manager answers by setting the property; a busy one may take a moment.
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
	do {
		const std::vector<uint32_t> v = Values(inConnection, inWindow, extents, XCB_ATOM_CARDINAL, 4);
		if (v.size() == 4) {
			outExtents = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
			return true;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	} while (std::chrono::steady_clock::now() < end);
	return false;
}
} // namespace

bool QtX11Hints::AskToBeDocked(QWidget* inWidget)
{
	xcb_connection_t* connection = Connection(inWidget);
	if (!connection)
		return false;
	// Creating the native window has Qt write its own type; this one replaces it (Qt writes it again only
	// when the window's flags change, which the framework never does after construction).
	const auto window = xcb_window_t(inWidget->winId());
	const xcb_atom_t type = Atom(connection, "_NET_WM_WINDOW_TYPE");
	const xcb_atom_t dock = Atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
	if (type == XCB_ATOM_NONE || dock == XCB_ATOM_NONE)
		return false;
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, type, XCB_ATOM_ATOM, 32, 1, &dock);
	xcb_flush(connection);
	return true;
}

bool QtX11Hints::ReserveStrip(QWidget* inWidget, Edge inEdge)
{
	xcb_connection_t* connection = Connection(inWidget);
	if (!connection)
		return false;
	const auto window = xcb_window_t(inWidget->winId());
	const xcb_atom_t partial = Atom(connection, "_NET_WM_STRUT_PARTIAL");
	const xcb_atom_t strut = Atom(connection, "_NET_WM_STRUT");
	if (partial == XCB_ATOM_NONE || strut == XCB_ATOM_NONE)
		return false;
	if (inEdge == Edge::None) {
		xcb_delete_property(connection, window, partial);
		xcb_delete_property(connection, window, strut);
		xcb_flush(connection);
		return true;
	}
	// Struts are in the root window's pixels.
	const qreal ratio = inWidget->devicePixelRatioF();
	const QRect frame = inWidget->geometry();
	const auto left = uint32_t(std::max(0, qRound(frame.left() * ratio)));
	const auto right = uint32_t(std::max(0, qRound((frame.right() + 1) * ratio) - 1));
	const int top = qRound(frame.top() * ratio);
	const int bottom = qRound((frame.bottom() + 1) * ratio);
	// left, right, top, bottom, then where each strip starts and ends along its edge
	uint32_t values[12] = {};
	if (inEdge == Edge::Top) {
		values[2] = uint32_t(std::max(0, bottom));
		values[8] = left;
		values[9] = right;
	} else {
		const uint32_t rootHeight = RootHeight(connection, window);
		if (rootHeight == 0)
			return false;
		values[3] = uint32_t(std::max<int64_t>(0, int64_t(rootHeight) - top));
		values[10] = left;
		values[11] = right;
	}
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, partial, XCB_ATOM_CARDINAL, 32, 12,
	                    values);
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, strut, XCB_ATOM_CARDINAL, 32, 4,
	                    values);
	xcb_flush(connection);
	return true;
}

QMargins QtX11Hints::FrameExtents(QWidget* inWidget)
{
	xcb_connection_t* connection = Connection(inWidget);
	if (!connection)
		return {};
	static std::map<int, QMargins> known; // by window type: the manager frames a type alike
	const int type = int(inWidget->windowType());
	const qreal ratio = inWidget->devicePixelRatioF();
	if (inWidget->isVisible() && inWidget->windowHandle()) {
		const QMargins own = inWidget->windowHandle()->frameMargins();
		if (!own.isNull())
			return known[type] = own;
	}
	if (const auto found = known.find(type); found != known.end())
		return found->second;
	QMargins asked;
	if (AskFrameExtents(connection, xcb_window_t(inWidget->winId()), asked))
		asked = QMargins(qRound(asked.left() / ratio), qRound(asked.top() / ratio),
		                 qRound(asked.right() / ratio), qRound(asked.bottom() / ratio));
	return known[type] = asked;
}
