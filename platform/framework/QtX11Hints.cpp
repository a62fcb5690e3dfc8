#include "platform/framework/QtX11Hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// The root window's height, in its pixels; 0 when the server did not say.
uint32_t RootHeight(xcb_connection_t* inConnection, xcb_window_t inWindow)
{
	xcb_query_tree_reply_t* tree =
	    xcb_query_tree_reply(inConnection, xcb_query_tree(inConnection, inWindow), nullptr);
	if (!tree)
		return 0;
	xcb_get_geometry_reply_t* root =
	    xcb_get_geometry_reply(inConnection, xcb_get_geometry(inConnection, tree->root), nullptr);
	const uint32_t height = root ? root->height : 0;
	std::free(root);
	std::free(tree);
	return height;
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
