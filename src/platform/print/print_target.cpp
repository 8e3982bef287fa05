#include "platform/print/print_target.h"

#include "platform/print/printer_page.h"

#include <QPrinterInfo>

#include <filesystem>
#include <string_view>

namespace platform {

namespace {

// A title as part of a file name: no path separators or characters file systems refuse, no outer blanks.
std::string fileNamePart(const std::string& title) {
    std::string name;
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        const bool refused = byte < 0x20 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        name += refused ? '_' : c;
    }
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "report";
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

} // namespace

bool printerAvailable() { return !QPrinterInfo::availablePrinters().isEmpty(); }

std::string pdfPathFor(const std::string& title, const std::string& dataFilePath, const QDateTime& when) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(dataFilePath).parent_path() / "PDF";
    const std::string stem = fileNamePart(title) + "_" + when.toString("yyyyMMdd_HHmmss").toStdString();
    fs::path path = folder / (stem + ".pdf");
    for (int n = 2; fs::exists(path); ++n)
        path = folder / (stem + "_" + std::to_string(n) + ".pdf");
    return path.string();
}

std::unique_ptr<PrintJob> openPrintJob(const std::string& title, const std::string& dataFilePath) {
    return openPrintJob(title, dataFilePath, printerAvailable(), QDateTime::currentDateTime());
}

std::unique_ptr<PrintJob> openPrintJob(const std::string& title, const std::string& dataFilePath, bool toPrinter,
                                       const QDateTime& when) {
    if (toPrinter) return PrinterPage::toDefaultPrinter(title);
    return PrinterPage::toPdf(pdfPathFor(title, dataFilePath, when), title);
}

} // namespace platform
