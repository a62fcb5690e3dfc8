#include "platform/framework/QtX11Hints.h"

#include <QGuiApplication>
#include <QWidget>
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
} // namespace

bool QtX11Hints::AskToBeDocked(QWidget* inWidget)
{
	if (!inWidget || QGuiApplication::platformName() != QLatin1String("xcb"))
		return false;
	auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
	xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
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
