#pragma once

#include "documents/SheetDocument.h"

class QPrinter;
class QWidget;

namespace vexa {

// Prints the configuration sheet on the printer's paper, laid out as the PDF file is: the same
// lines, wrapped for the paper's width. Returns the number of pages printed.
int PrintSheet(QPrinter& printer, const SheetDocument& sheet);

// "Print...": the system's print dialog (which offers a PDF file as well), then the sheet on
// the printer and paper chosen. False when the dialog was cancelled.
bool PrintSheetWithDialog(const SheetDocument& sheet, QWidget* parent);

} // namespace vexa
