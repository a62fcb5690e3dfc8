#pragma once
// What a window asks of an X11 window manager beyond Qt's window flags (included by .cpp files of the
// stand-in only). Other platforms have no manager to ask: the calls do nothing there.

#include <QMargins>

class QWidget;

namespace QtX11Hints
{
// Marks the top-level widget as a strip docked at a screen edge (_NET_WM_WINDOW_TYPE_DOCK), the one window
// type every EWMH manager leaves exactly where the program puts it: not placed, framed, fitted into the work
// area, nor offered to the user for moving; the program's own moves are still honoured. Call before the
// widget is first shown; false where no X11 manager was asked.
bool AskToBeDocked(QWidget* inWidget);

enum class Edge { None, Top, Bottom };
// Reserves the strip between that edge of the screen and the far side of the widget, as wide as the
// widget, so that the manager keeps other windows out of it (_NET_WM_STRUT_PARTIAL, and _NET_WM_STRUT for
// older managers); None gives the strip back. Call again whenever the widget moves or resizes.
bool ReserveStrip(QWidget* inWidget, Edge inEdge);

// The frame the manager puts around the top-level widget, title bar included: the widget's own once it is
// framed, else what the manager gave a window of the same type, else what it answers when asked about
// this one before it is mapped (_NET_REQUEST_FRAME_EXTENTS). None without a manager that says.
QMargins FrameExtents(QWidget* inWidget);
} // namespace QtX11Hints
