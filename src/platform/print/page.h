// A printed page as the reports see it: paper, orientation, font, texts and lines placed in twips
// (1/1440 inch) from the page origin. The printer, the PDF file and the recording page of the tests
// all stand behind it.
#pragma once

#include <string>

namespace platform {

// The room of a text that may take as much width as it needs.
constexpr int AnyWidth = 0;

class Page {
public:
    virtual ~Page();
    virtual void setPaperSize(int paper /* 9 = A4 */) = 0;
    virtual void setOrientation(int orientation /* 1 portrait, 2 landscape */) = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(int points) = 0;
    // Prints `text` with its top-left corner at the position. A text wider than `roomTwips` is set
    // narrower, so that it ends within that room; one that fits, or any text given AnyWidth, prints as
    // wide as its font makes it.
    virtual void printText(int xTwips, int yTwips, const std::string& text, int roomTwips) = 0;
    // In printer pixels.
    virtual void setPenWidth(int width) = 0;
    // A straight line between two points in twips.
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    // Ends the current page; the next page begins only when something is drawn on it, so an end of
    // document right after a new page leaves no empty sheet.
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
};

// One print run: the page the report draws on and what became of it, for the dialog to tell the user.
class PrintJob {
public:
    virtual ~PrintJob();
    virtual Page& page() = 0;
    // Sheets begun so far: a sheet counts once something was drawn on it.
    virtual int pagesPrinted() const = 0;
    // Why the output failed, for a message; empty while all went well.
    virtual std::string failure() const = 0;
    // The PDF file written in place of a printer; empty when the pages went to a printer.
    virtual std::string pdfPath() const = 0;
};

} // namespace platform
