// The page on a real printer, or on a PDF file where the machine has none. The sheet and the file
// begin only when something is drawn, so a report with nothing to print leaves no trace.
#pragma once

#include "platform/print/page.h"

#include <QFont>
#include <QLineF>
#include <QRawFont>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPrinter;

namespace platform {

class PdfWriter;

class PrinterPage : public Page, public PrintJob {
public:
    // The machine's default printer.
    static std::unique_ptr<PrinterPage> toDefaultPrinter(const std::string& documentName);
    // A printer of the caller's choosing, drawn on through Qt's painter.
    static std::unique_ptr<PrinterPage> toPrinter(std::unique_ptr<QPrinter> printer);
    // A PDF file; its folder is made when the first sheet begins.
    static std::unique_ptr<PrinterPage> toPdf(const std::string& path, const std::string& documentName);
    ~PrinterPage() override;

    void setPaperSize(int paper) override;
    void setOrientation(int orientation) override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void printText(int xTwips, int yTwips, const std::string& text, int roomTwips) override;
    void setPenWidth(int width) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    void endDoc() override;

    Page& page() override { return *this; }
    int pagesPrinted() const override { return pages_; }
    std::string failure() const override { return failure_; }
    std::string pdfPath() const override { return pdfPath_; }

private:
    // One font as the document draws it, kept for the document: choosing and measuring a font, and
    // shaping the same amounts and captions again on every row, would cost more than drawing them.
    struct Face {
        // A character's glyph in this font and how far it moves the pen; glyph 0 where the font lacks it.
        struct Glyph {
            quint32 index = 0;
            double advance = 0;
            bool looked = false;
        };
        using GlyphBlock = std::array<Glyph, 256>;
        QString key;
        QFont font; // resolved for the printer's resolution
        QRawFont rawFont;
        double ascent = 0;
        // The fixed-pitch face of the same size the figures go to; this face itself when it is one.
        Face* figures = nullptr;
        // By the character's upper and lower byte, each looked up when first met.
        std::array<std::unique_ptr<GlyphBlock>, 256> glyphBlocks;
        // The sheet's texts in this font so far, drawn as one run when the sheet ends: one text item
        // costs the output about as much as the glyphs it holds.
        QList<quint32> pendingGlyphs;
        QList<QPointF> pendingPositions;
        QList<char32_t> pendingCharacters;
        // How narrow each glyph is set: below 1 for a text squeezed into its room.
        QList<double> pendingScales;
        const Glyph& glyphOf(char16_t c);
    };
    // Rules of one pen width held back until the sheet ends.
    struct Rules {
        int width = 1;
        std::vector<QLineF> lines;
    };

    PrinterPage(std::unique_ptr<QPrinter> printer, std::string pdfPath);
    // Begins the document or the sheet a drawing goes on; false once the output has failed.
    bool readyToDraw();
    // The face of the font set last, made when first drawn with, and its figures' face.
    Face& currentFace();
    Face& faceOf(const QFont& font);
    // Places a run's glyphs on the sheet from `x` along the baseline at `origin`, set `scale` times
    // their width, moving `x` past them as if unscaled; false, with nothing placed, when the face lacks
    // one of its characters.
    bool place(Face& face, QStringView run, const QPointF& origin, double scale, double& x);
    // How far a text moves the pen, measured as printText draws it.
    double widthOf(Face& face, QStringView text);
    // How far a run in `face` moves the pen: by its glyphs, or as the fallback fonts lay it out.
    double advanceOf(Face& face, QStringView run);
    // Draws what the sheet holds back: its texts, one run a font, and its rules, one path a pen.
    void flushSheet();
    // Draws a text the font lacks a character of, from the fonts Qt finds for it, `scale` times its width.
    void drawWithFallback(Face& face, const QPointF& origin, const QString& text, double scale);
    void fail(const std::string& why);
    double toDevice(int twips) const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_; // on a printer
    std::unique_ptr<PdfWriter> pdf_;    // on a PDF file
    std::string pdfPath_;
    QFont font_;
    Face* face_ = nullptr; // null when the font changed since it was last looked up
    std::vector<std::unique_ptr<Face>> faces_;
    Face* painterFace_ = nullptr; // the face the painter holds for drawText
    int penWidth_ = 1;
    int painterPenWidth_ = 0; // 0: the painter's pen is not set yet
    double devicePerTwip_ = 1;
    std::vector<Rules> rules_;
    bool started_ = false;
    int pendingBreaks_ = 0;
    int pages_ = 0;
    std::string failure_;
};

// The installed face that stands in for a font name the reports use: "ＭＳＰ ゴシック" a proportional
// Gothic, "ＭＳ ゴシック" a fixed-pitch one; any other name is taken as it is.
QStringList fontFamiliesFor(const std::string& name);

} // namespace platform
