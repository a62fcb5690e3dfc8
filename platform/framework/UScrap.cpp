#include "platform/framework/UScrap.h"

#include "platform/toolbox/gui/Drag.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/QtDrag.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace
{
QClipboard* Clipboard()
{
	return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
	                                                                    : nullptr;
}
} // namespace

void UScrap::SetData(ScrapFlavorType inDataType, const void* inDataPtr, SInt32 inDataLength, Boolean inReset)
{
	QClipboard* clipboard = Clipboard();
	if (!clipboard || inDataLength < 0 || (inDataLength > 0 && !inDataPtr))
		return;
	auto* data = new QMimeData;
	if (!inReset)
		if (const QMimeData* old = clipboard->mimeData())
			for (const QString& format : old->formats())
				data->setData(format, old->data(format));
	const QByteArray bytes(static_cast<const char*>(inDataPtr), inDataLength);
	data->setData(QtDrag::MimeTypeForFlavor(inDataType), bytes);
	if (inDataType == kDragFlavorTypeText)
		data->setText(QStringFromMacRoman(std::string_view(bytes.constData(), size_t(bytes.size()))));
	clipboard->setMimeData(data);
}

SInt32 UScrap::GetData(ScrapFlavorType inDataType, std::string* outData)
{
	if (outData)
		outData->clear();
	QClipboard* clipboard = Clipboard();
	const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
	if (!data)
		return 0;
	std::string bytes;
	const QString format = QtDrag::MimeTypeForFlavor(inDataType);
	if (data->hasFormat(format)) {
		const QByteArray raw = data->data(format);
		bytes.assign(raw.constData(), size_t(raw.size()));
	} else if (inDataType == kDragFlavorTypeText && data->hasText()) {
		bytes = MacRomanFromQString(data->text());
	}
	if (outData)
		*outData = bytes;
	return SInt32(bytes.size());
}

Boolean UScrap::HasData(ScrapFlavorType inDataType)
{
	QClipboard* clipboard = Clipboard();
	const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
	if (!data)
		return false;
	return data->hasFormat(QtDrag::MimeTypeForFlavor(inDataType)) ||
	       (inDataType == kDragFlavorTypeText && data->hasText());
}

void UScrap::ClearData()
{
	if (QClipboard* clipboard = Clipboard())
		clipboard->clear();
}
