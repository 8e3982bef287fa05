// A PDF file written directly: sheets of glyph runs and rules in the printer's pixel grid, with the
// glyphs' fonts embedded. Qt's own PDF output places every glyph with operators of its own, which made
// a page of amounts cost several milliseconds; here a line of text goes out as one string.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QTransform>

#include <memory>
#include <string>
#include <vector>

namespace platform {

class PdfWriter {
public:
    // `pageMatrix` takes the pixel grid, top-left origin, to the sheet's points; the media box is the
    // sheet in points.
    PdfWriter(const QString& title, const QString& creator, const QSizeF& sheetPoints, const QTransform& pageMatrix);
    ~PdfWriter();

    // False when the file cannot be made.
    bool open(const QString& path);
    // Glyphs of one font at their baseline positions in pixels, with the character each one shows
    // (0 where not known) so that the file's text can be read back, and the horizontal scale each one
    // is drawn at (1 for its font's own width).
    void drawGlyphs(const QRawFont& font, const QList<quint32>& glyphs, const QList<QPointF>& positions,
                    const QList<char32_t>& characters, const QList<double>& scales);
    // Rules of one pen width in pixels.
    void drawLines(int width, const std::vector<QLineF>& lines);
    // Begins a sheet unless one is open; drawing begins one too.
    void beginPage();
    // Ends the sheet open, if any.
    void endPage();
    // Writes the fonts and the file's tail; false when the file could not be written whole.
    bool close();
    int pageCount() const { return static_cast<int>(pageObjects_.size()); }

private:
    struct FontFile;
    struct Font;
    Font& fontFor(const QRawFont& font);
    void drawOutlines(const QRawFont& font, const QList<quint32>& glyphs, const QList<QPointF>& positions,
                      const QList<double>& scales);
    int newObject();
    void writeObject(int id, const QByteArray& body);
    void writeStream(int id, const QByteArray& dictionary, const QByteArray& data, bool compress);
    void writeFont(Font& font);

    QString title_;
    QString creator_;
    QSizeF sheetPoints_;
    QTransform pageMatrix_;
    QFile file_;
    qint64 written_ = 0;
    bool writeFailed_ = false;
    std::vector<qint64> offsets_; // by object number - 1
    std::vector<int> pageObjects_;
    int pagesObject_ = 0;
    int resourcesObject_ = 0;
    bool pageOpen_ = false;
    QByteArray content_;
    std::vector<std::unique_ptr<FontFile>> fontFiles_;
    std::vector<std::unique_ptr<Font>> fonts_;
};

} // namespace platform
