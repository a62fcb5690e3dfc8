#pragma once
// Print settings as Qt printers (for the stand-in's .cpp files).

class LPrintSettings;
class QPrinter;

namespace QtPrinting
{
void ApplySpec(const LPrintSettings& inSpec, QPrinter& ioPrinter);
void TakeSpec(LPrintSettings& ioSpec, const QPrinter& inPrinter);
} // namespace QtPrinting
