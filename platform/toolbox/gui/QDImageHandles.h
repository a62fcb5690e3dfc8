#pragma once
// Inside of pictures and colour icons (for the stand-in's .cpp files): the image behind a handle.

#include "platform/toolbox/gui/Icons.h"
#include "platform/toolbox/gui/Pictures.h"

#include <QImage>

namespace QD
{
// Null for a null handle.
const QImage* ImageOf(PicHandle inPicture);
const QImage* ImageOf(CIconHandle inIcon);
} // namespace QD
