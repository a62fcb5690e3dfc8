#include "ticker/TFloaterTickerWindow.h"

TFloaterTickerWindow::TFloaterTickerWindow(LStream* inStream) : TTickerWindow(inStream) {}
