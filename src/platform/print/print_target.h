// Where a print run goes: the default printer when the machine has one, otherwise a PDF file in the
// folder "PDF" beside the data file, named after the report's title and the time of the run.
#pragma once

#include "platform/print/page.h"

#include <QDateTime>

#include <memory>
#include <string>

namespace platform {

// True when the machine has at least one printer.
bool printerAvailable();

// The PDF file a run at `when` would write: <data folder>/PDF/<title>_<yyyyMMdd_HHmmss>.pdf, with a
// number added when that name is taken. Characters a file name cannot hold become "_".
std::string pdfPathFor(const std::string& title, const std::string& dataFilePath, const QDateTime& when);

// The print job of one run of report `title`.
std::unique_ptr<PrintJob> openPrintJob(const std::string& title, const std::string& dataFilePath);
// The same with the choice made by the caller, for tests.
std::unique_ptr<PrintJob> openPrintJob(const std::string& title, const std::string& dataFilePath, bool toPrinter,
                                       const QDateTime& when);

} // namespace platform
