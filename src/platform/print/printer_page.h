// The page on a real printer, or on a PDF file where the machine has none. The sheet and the file
// begin only when something is drawn, so a report with nothing to print leaves no trace.
#pragma once

#include "platform/print/page.h"

#include <QFont>
#include <QLineF>
#include <QRawFont>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPrinter;

namespace platform {

class PrinterPage : public Page, public PrintJob {
public:
    // The machine's default printer.
    static std::unique_ptr<PrinterPage> toDefaultPrinter(const std::string& documentName);
    // A PDF file; its folder is made when the first sheet begins.
    static std::unique_ptr<PrinterPage> toPdf(const std::string& path, const std::string& documentName);
    ~PrinterPage() override;

    void setPaperSize(int paper) override;
    void setOrientation(int orientation) override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void printText(int xTwips, int yTwips, const std::string& text) override;
    void setPenWidth(int width) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    void endDoc() override;

    Page& page() override { return *this; }
    int pagesPrinted() const override { return pages_; }
    std::string failure() const override { return failure_; }
    std::string pdfPath() const override { return pdfPath_; }

private:
    PrinterPage(std::unique_ptr<QPrinter> printer, std::string pdfPath);
    // Begins the document or the sheet a drawing goes on; false once the output has failed.
    bool readyToDraw();
    // Draws the rules held back so far, with the pen they were given.
    void flushLines();
    // Draws `text` with its baseline's start at `origin` from the font's own glyphs and advances; false
    // when the font lacks one of its characters, for drawText to find another font.
    bool drawGlyphs(const QPointF& origin, const QString& text);
    void fail(const std::string& why);
    double toDevice(int twips) const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::string pdfPath_;
    QFont font_;
    int penWidth_ = 1;
    // The painter keeps the font, its ascent and the pen until they change: setting them and measuring
    // the font for every text and rule would cost more than drawing them.
    bool fontChanged_ = true;
    bool penChanged_ = true;
    double ascent_ = 0;
    double devicePerTwip_ = 1;
    QRawFont rawFont_;
    // Rules of one pen go out together: one path costs the PDF far less than a path per rule.
    std::vector<QLineF> lines_;
    bool started_ = false;
    int pendingBreaks_ = 0;
    int pages_ = 0;
    std::string failure_;
};

// The installed face that stands in for a font name the reports use: "ＭＳＰ ゴシック" a proportional
// Gothic, "ＭＳ ゴシック" a fixed-pitch one; any other name is taken as it is.
QStringList fontFamiliesFor(const std::string& name);

} // namespace platform
