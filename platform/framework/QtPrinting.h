#pragma once
// Print specifications as Qt printers (for the stand-in's .cpp files).

class LPrintSpec;
class QPrinter;

namespace QtPrinting
{
void ApplySpec(const LPrintSpec& inSpec, QPrinter& ioPrinter);
void TakeSpec(LPrintSpec& ioSpec, const QPrinter& inPrinter);
} // namespace QtPrinting
