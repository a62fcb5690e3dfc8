#include "platform/framework/UDispatch.h"

#include "platform/framework/LPane.h"
#include "platform/framework/LView.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int UDispatch::sDepth = 0;

namespace
{
std::vector<LPane*> sPending;
UDispatch::Reporter sReporter;
long sExceptionCount = 0;
ExceptionCode sLastCode = 0;
} // namespace

StDispatch::~StDispatch()
{
	if (--UDispatch::sDepth == 0)
		UDispatch::DeletePending();
}

Boolean UDispatch::IsDispatching()
{
	return sDepth > 0;
}

void UDispatch::DeleteWhenSafe(LPane* inPane)
{
	if (!inPane || IsDeletionPending(inPane))
		return;
	sPending.push_back(inPane);
	if (sDepth == 0)
		DeletePending();
}

Boolean UDispatch::IsDeletionPending(const LPane* inPane)
{
	return std::find(sPending.begin(), sPending.end(), inPane) != sPending.end();
}

void UDispatch::ForgetPane(const LPane* inPane)
{
	std::erase(sPending, inPane);
}

void UDispatch::DeletePending()
{
	// A destructor may ask for more deletions; they are taken in the same loop.
	while (!sPending.empty()) {
		LPane* pane = sPending.front();
		sPending.erase(sPending.begin());
		if (pane->GetSuperView())
			pane->PutInside(nullptr);
		Run([pane] { delete pane; });
	}
}

void UDispatch::ReportException(ExceptionCode inCode, const char* inWhat)
{
	++sExceptionCount;
	sLastCode = inCode;
	// Four-character codes are shown as such too.
	char code[7] = {' ',
	                '\'',
	                char(UInt32(inCode) >> 24),
	                char(UInt32(inCode) >> 16),
	                char(UInt32(inCode) >> 8),
	                char(inCode),
	                0};
	bool printable = true;
	for (int i = 2; i < 6; ++i)
		printable = printable && code[i] >= 0x20 && code[i] <= 0x7E;
	std::fprintf(stderr, "Exception caught during dispatch: %ld%s%s%s%s\n", long(inCode),
	             printable ? code : "", printable ? "'" : "", inWhat ? " " : "", inWhat ? inWhat : "");
	if (sReporter)
		sReporter(inCode, inWhat);
}

UDispatch::Reporter UDispatch::SetReporter(Reporter inReporter)
{
	Reporter previous = std::move(sReporter);
	sReporter = std::move(inReporter);
	return previous;
}

long UDispatch::ExceptionCount()
{
	return sExceptionCount;
}

ExceptionCode UDispatch::LastExceptionCode()
{
	return sLastCode;
}
