#include "platform/print/pdf_writer.h"

#include <QDateTime>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

// The positions of one line of text differ from their glyphs' advances only by rounding below this.
constexpr double SamePlacePixels = 1e-3;
constexpr int FastestCompression = 1;

// Numbers as PDF wants them: six decimals at most, no exponent.
void appendNumber(QByteArray& out, double value) {
    long long micro = std::llround(value * 1e6);
    char text[40];
    char* end = text + sizeof text;
    char* at = end;
    int fraction = static_cast<int>(std::llabs(micro) % 1000000);
    if (fraction != 0) {
        int places = 6;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        for (; places > 0; --places, fraction /= 10)
            *--at = static_cast<char>('0' + fraction % 10);
        *--at = '.';
    }
    long long whole = std::llabs(micro) / 1000000;
    do {
        *--at = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (micro < 0) *--at = '-';
    out.append(at, end - at);
}

void appendHex4(QByteArray& out, unsigned value) {
    static const char hex[] = "0123456789ABCDEF";
    const char four[4] = {hex[(value >> 12) & 15], hex[(value >> 8) & 15], hex[(value >> 4) & 15], hex[value & 15]};
    out.append(four, 4);
}

// A font's name as a PDF name: what is not a plain letter or digit is written as #xx.
QByteArray pdfName(const QString& name) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out = "/";
    for (const char c : name.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            byte == '-') {
            out += c;
        } else {
            out += '#';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out;
}

QByteArray hexUtf16(const QString& text) {
    QByteArray out = "<FEFF";
    for (const QChar c : text)
        appendHex4(out, c.unicode());
    out += '>';
    return out;
}

quint16 u16(const QByteArray& data, qsizetype at) {
    if (at + 2 > data.size()) return 0;
    return static_cast<quint16>((static_cast<quint8>(data[at]) << 8) | static_cast<quint8>(data[at + 1]));
}

quint32 u32(const QByteArray& data, qsizetype at) { return (quint32(u16(data, at)) << 16) | u16(data, at + 2); }

void put16(QByteArray& out, quint16 value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xff);
}

void put32(QByteArray& out, quint32 value) {
    put16(out, static_cast<quint16>(value >> 16));
    put16(out, static_cast<quint16>(value & 0xffff));
}

quint32 tableChecksum(const QByteArray& data) {
    quint32 sum = 0;
    for (qsizetype at = 0; at < data.size(); at += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (at + k < data.size() ? static_cast<quint8>(data[at + k]) : 0u);
        sum += word;
    }
    return sum;
}

// The font's TrueType tables with only the glyphs shown kept (and the parts of composite glyphs): glyph
// numbers stay as they are, so the file's glyph numbers are the font's own. Empty when the font has
// no TrueType outlines.
QByteArray trueTypeSubset(const QRawFont& font, const std::vector<bool>& shown) {
    const QByteArray head = font.fontTable("head");
    const QByteArray maxp = font.fontTable("maxp");
    const QByteArray loca = font.fontTable("loca");
    const QByteArray glyf = font.fontTable("glyf");
    const QByteArray hhea = font.fontTable("hhea");
    const QByteArray hmtx = font.fontTable("hmtx");
    if (head.size() < 54 || maxp.size() < 6 || loca.isEmpty() || glyf.isEmpty() || hhea.isEmpty() || hmtx.isEmpty())
        return {};
    const int glyphCount = u16(maxp, 4);
    const bool longOffsets = u16(head, 50) != 0;
    const auto offsetOf = [&](int glyph) -> qsizetype {
        return longOffsets ? qsizetype(u32(loca, 4 * glyph)) : qsizetype(u16(loca, 2 * glyph)) * 2;
    };
    std::vector<bool> kept(glyphCount, false);
    std::vector<int> pending{0}; // the missing-glyph box is always kept
    for (std::size_t g = 0; g < shown.size() && g < kept.size(); ++g)
        if (shown[g]) pending.push_back(static_cast<int>(g));
    while (!pending.empty()) {
        const int glyph = pending.back();
        pending.pop_back();
        if (glyph >= glyphCount || kept[glyph]) continue;
        kept[glyph] = true;
        const qsizetype start = offsetOf(glyph), end = offsetOf(glyph + 1);
        if (end - start < 10 || end > glyf.size() || static_cast<qint16>(u16(glyf, start)) >= 0) continue;
        // A composite glyph: its parts must come along.
        for (qsizetype at = start + 10; at + 4 <= end;) {
            const quint16 flags = u16(glyf, at);
            pending.push_back(u16(glyf, at + 2));
            at += 4 + ((flags & 0x0001) ? 4 : 2) +
                  ((flags & 0x0008)   ? 2
                   : (flags & 0x0040) ? 4
                   : (flags & 0x0080) ? 8
                                      : 0);
            if (!(flags & 0x0020)) break;
        }
    }
    QByteArray newGlyf, newLoca;
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        put32(newLoca, static_cast<quint32>(newGlyf.size()));
        if (!kept[glyph]) continue;
        const qsizetype start = offsetOf(glyph), end = std::min(offsetOf(glyph + 1), glyf.size());
        if (end > start) newGlyf += glyf.mid(start, end - start);
        while (newGlyf.size() % 4)
            newGlyf += '\0';
    }
    put32(newLoca, static_cast<quint32>(newGlyf.size()));
    QByteArray newHead = head;
    newHead[8] = newHead[9] = newHead[10] = newHead[11] = '\0';
    newHead[50] = '\0';
    newHead[51] = '\1';

    const std::pair<const char*, QByteArray> tables[] = {{"cvt ", font.fontTable("cvt ")},
                                                         {"fpgm", font.fontTable("fpgm")},
                                                         {"glyf", newGlyf},
                                                         {"head", newHead},
                                                         {"hhea", hhea},
                                                         {"hmtx", hmtx},
                                                         {"loca", newLoca},
                                                         {"maxp", maxp},
                                                         {"prep", font.fontTable("prep")}};
    int count = 0;
    for (const auto& table : tables)
        count += table.second.isEmpty() ? 0 : 1;
    int power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    put32(out, 0x00010000);
    put16(out, static_cast<quint16>(count));
    put16(out, static_cast<quint16>(power * 16));
    put16(out, static_cast<quint16>(log2));
    put16(out, static_cast<quint16>(count * 16 - power * 16));
    quint32 offset = 12 + 16 * count;
    QByteArray body;
    qsizetype headAt = 0;
    for (const auto& [tag, data] : tables) {
        if (data.isEmpty()) continue;
        out.append(tag, 4);
        put32(out, tableChecksum(data));
        put32(out, offset);
        put32(out, static_cast<quint32>(data.size()));
        if (std::string(tag) == "head") headAt = offset;
        body += data;
        while (body.size() % 4)
            body += '\0';
        offset = static_cast<quint32>(12 + 16 * count + body.size());
    }
    out += body;
    const quint32 adjustment = 0xB1B0AFBAu - tableChecksum(out);
    for (int k = 0; k < 4; ++k)
        out[headAt + 8 + k] = static_cast<char>((adjustment >> (24 - 8 * k)) & 0xff);
    return out;
}

} // namespace

// One font file of the document, embedded once for all its sizes.
struct PdfWriter::FontFile {
    QRawFont font;
    QByteArray name; // as a PDF name
    int glyphCount = 0;
    std::vector<bool> shown;
    std::vector<char32_t> characters;
    int object = 0;
    bool trueType = true;
};

// One font at one pixel size: the file's widths follow its advances at that size.
struct PdfWriter::Font {
    QRawFont font;
    FontFile* file = nullptr;
    int object = 0;
    QByteArray resourceName;
    double pixelSize = 0;
    std::vector<double> advances; // by glyph; negative until asked for
};

PdfWriter::PdfWriter(const QString& title, const QString& creator, const QSizeF& sheetPoints,
                     const QTransform& pageMatrix)
    : title_(title), creator_(creator), sheetPoints_(sheetPoints), pageMatrix_(pageMatrix) {}

PdfWriter::~PdfWriter() = default;

bool PdfWriter::open(const QString& path) {
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    written_ = file_.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
    pagesObject_ = newObject();
    resourcesObject_ = newObject();
    return true;
}

int PdfWriter::newObject() {
    offsets_.push_back(-1);
    return static_cast<int>(offsets_.size());
}

void PdfWriter::writeObject(int id, const QByteArray& body) {
    offsets_[id - 1] = written_;
    QByteArray out = QByteArray::number(id) + " 0 obj\n" + body + "\nendobj\n";
    const qint64 n = file_.write(out);
    if (n != out.size()) writeFailed_ = true;
    written_ += out.size();
}

void PdfWriter::writeStream(int id, const QByteArray& dictionary, const QByteArray& data, bool compress) {
    QByteArray packed;
    // The pages repeat a few operators and numbers; the fastest level packs them nearly as tight as the best.
    if (compress) packed = qCompress(data, FastestCompression).mid(4); // the length goes before the zlib stream
    const QByteArray& payload = compress ? packed : data;
    QByteArray body = "<<" + dictionary + " /Length " + QByteArray::number(payload.size()) +
                      (compress ? " /Filter /FlateDecode" : "") + " >>\nstream\n";
    body += payload;
    body += "\nendstream";
    writeObject(id, body);
}

PdfWriter::Font& PdfWriter::fontFor(const QRawFont& font) {
    for (auto& known : fonts_)
        if (known->font == font) return *known;
    const QString style = font.styleName();
    const QByteArray fileName =
        pdfName(font.familyName() +
                (style.isEmpty() || style == QLatin1String("Regular") ? QString() : QLatin1Char('-') + style));
    FontFile* file = nullptr;
    for (auto& known : fontFiles_)
        if (known->name == fileName) file = known.get();
    if (!file) {
        auto made = std::make_unique<FontFile>();
        made->font = font;
        made->name = fileName;
        made->glyphCount = u16(font.fontTable("maxp"), 4);
        made->shown.assign(made->glyphCount, false);
        made->characters.assign(made->glyphCount, 0);
        made->trueType = made->glyphCount > 0 && !font.fontTable("loca").isEmpty();
        fontFiles_.push_back(std::move(made));
        file = fontFiles_.back().get();
    }
    auto made = std::make_unique<Font>();
    made->font = font;
    made->file = file;
    // A face drawn as shapes is never written, so it takes no object the cross-reference table would list.
    made->object = file->trueType ? newObject() : 0;
    made->resourceName = "F" + QByteArray::number(static_cast<int>(fonts_.size()) + 1);
    made->pixelSize = font.pixelSize();
    made->advances.assign(file->glyphCount, -1);
    fonts_.push_back(std::move(made));
    return *fonts_.back();
}

void PdfWriter::beginPage() {
    if (pageOpen_) return;
    pageOpen_ = true;
    content_.clear();
    content_ += "q\n";
    for (const double value : {pageMatrix_.m11(), pageMatrix_.m12(), pageMatrix_.m21(), pageMatrix_.m22(),
                               pageMatrix_.dx(), pageMatrix_.dy()}) {
        appendNumber(content_, value);
        content_ += ' ';
    }
    content_ += "cm\n0 g 0 G\n";
}

void PdfWriter::drawGlyphs(const QRawFont& rawFont, const QList<quint32>& glyphs, const QList<QPointF>& positions,
                           const QList<char32_t>& characters, const QList<double>& scales) {
    if (glyphs.isEmpty()) return;
    beginPage();
    Font& font = fontFor(rawFont);
    FontFile& file = *font.file;
    const bool inFile = std::all_of(glyphs.begin(), glyphs.end(), [&](quint32 g) { return g < font.advances.size(); });
    if (!file.trueType || !inFile) {
        drawOutlines(rawFont, glyphs, positions, scales);
        return;
    }
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const quint32 glyph = glyphs[i];
        if (font.advances[glyph] < 0) {
            font.advances[glyph] = rawFont.advancesForGlyphIndexes(QList<quint32>{glyph}).value(0).x();
            file.shown[glyph] = true;
        }
        if (i < characters.size() && characters[i] != 0 && file.characters[glyph] == 0)
            file.characters[glyph] = characters[i];
    }
    const double size = font.pixelSize;
    content_ += "BT\n/" + font.resourceName + ' ';
    appendNumber(content_, size);
    content_ += " Tf\n";
    for (qsizetype i = 0; i < glyphs.size();) {
        // A text set narrower than its font draws it gets a text matrix that narrows it.
        const double scale = scales[i];
        appendNumber(content_, scale);
        content_ += " 0 0 -1 ";
        appendNumber(content_, positions[i].x());
        content_ += ' ';
        appendNumber(content_, positions[i].y());
        content_ += " Tm [<";
        appendHex4(content_, glyphs[i]);
        double pen = positions[i].x() + font.advances[glyphs[i]] * scale;
        qsizetype j = i + 1;
        // The following glyphs of the same baseline and scale join the string; a blank left out becomes
        // a shift.
        for (; j < glyphs.size() && positions[j].y() == positions[i].y() && scales[j] == scale &&
               positions[j].x() > pen - SamePlacePixels;
             ++j) {
            const double gap = positions[j].x() - pen;
            if (gap > SamePlacePixels) {
                content_ += "> ";
                appendNumber(content_, -gap / scale * 1000 / size);
                content_ += " <";
            }
            appendHex4(content_, glyphs[j]);
            pen = positions[j].x() + font.advances[glyphs[j]] * scale;
        }
        content_ += ">] TJ\n";
        i = j;
    }
    content_ += "ET\n";
}

// A font without TrueType outlines (a fallback face in another format) is drawn as filled shapes.
void PdfWriter::drawOutlines(const QRawFont& font, const QList<quint32>& glyphs, const QList<QPointF>& positions,
                             const QList<double>& scales) {
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        QPainterPath path = font.pathForGlyph(glyphs[i]);
        if (scales[i] != 1) path = QTransform::fromScale(scales[i], 1).map(path);
        path.translate(positions[i]);
        if (path.isEmpty()) continue;
        for (int k = 0; k < path.elementCount(); ++k) {
            const QPainterPath::Element e = path.elementAt(k);
            const int points = e.type == QPainterPath::CurveToElement ? 3 : 1;
            for (int m = 0; m < points; ++m) {
                const QPainterPath::Element p = path.elementAt(k + m);
                appendNumber(content_, p.x);
                content_ += ' ';
                appendNumber(content_, p.y);
                content_ += ' ';
            }
            content_ += e.type == QPainterPath::MoveToElement   ? "m\n"
                        : e.type == QPainterPath::LineToElement ? "l\n"
                                                                : "c\n";
            k += points - 1;
        }
        content_ += path.fillRule() == Qt::WindingFill ? "f\n" : "f*\n";
    }
}

void PdfWriter::drawLines(int width, const std::vector<QLineF>& lines) {
    if (lines.empty()) return;
    beginPage();
    appendNumber(content_, std::max(width, 0));
    content_ += " w 2 J 2 j [] 0 d\n";
    for (const QLineF& line : lines) {
        appendNumber(content_, line.x1());
        content_ += ' ';
        appendNumber(content_, line.y1());
        content_ += " m ";
        appendNumber(content_, line.x2());
        content_ += ' ';
        appendNumber(content_, line.y2());
        content_ += " l\n";
    }
    content_ += "S\n";
}

void PdfWriter::endPage() {
    if (!pageOpen_) return;
    pageOpen_ = false;
    content_ += "Q\n";
    const int page = newObject();
    const int contents = newObject();
    QByteArray dictionary = "<< /Type /Page /Parent " + QByteArray::number(pagesObject_) + " 0 R /MediaBox [0 0 ";
    appendNumber(dictionary, sheetPoints_.width());
    dictionary += ' ';
    appendNumber(dictionary, sheetPoints_.height());
    dictionary += "] /Resources " + QByteArray::number(resourcesObject_) + " 0 R /Contents " +
                  QByteArray::number(contents) + " 0 R >>";
    writeObject(page, dictionary);
    writeStream(contents, {}, content_, true);
    pageObjects_.push_back(page);
}

void PdfWriter::writeFont(Font& font) {
    FontFile& file = *font.file;
    const double toThousandths = 1000 / font.pixelSize;
    QByteArray widths = "[";
    for (std::size_t glyph = 0; glyph < font.advances.size(); ++glyph) {
        if (font.advances[glyph] < 0) continue;
        widths += QByteArray::number(static_cast<qulonglong>(glyph)) + " [";
        appendNumber(widths, font.advances[glyph] * toThousandths);
        widths += "] ";
    }
    widths += ']';
    const QByteArray& name = file.name;
    const int descendant = newObject();
    writeObject(font.object, "<< /Type /Font /Subtype /Type0 /BaseFont " + name +
                                 " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(descendant) +
                                 " 0 R] /ToUnicode " + QByteArray::number(file.object + 1) + " 0 R >>");
    writeObject(descendant, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name +
                                " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                                " /FontDescriptor " +
                                QByteArray::number(file.object + 2) + " 0 R /CIDToGIDMap /Identity /W " + widths +
                                " >>");
}

bool PdfWriter::close() {
    endPage();
    // A font file takes three objects: the font program, the character map and the descriptor.
    std::erase_if(fonts_, [](const auto& font) { return !font->file->trueType; });
    std::erase_if(fontFiles_, [](const auto& file) { return !file->trueType; });
    for (auto& file : fontFiles_) {
        file->object = newObject();
        newObject();
        newObject();
    }
    for (auto& font : fonts_)
        writeFont(*font);
    for (auto& file : fontFiles_) {
        const QByteArray program = trueTypeSubset(file->font, file->shown);
        writeStream(file->object, " /Length1 " + QByteArray::number(program.size()), program, true);
        QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                         "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                         "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                         "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
        std::vector<int> mapped;
        for (int glyph = 0; glyph < file->glyphCount; ++glyph)
            if (file->characters[glyph] != 0) mapped.push_back(glyph);
        for (std::size_t at = 0; at < mapped.size(); at += 100) {
            const std::size_t end = std::min(mapped.size(), at + 100);
            map += QByteArray::number(static_cast<qulonglong>(end - at)) + " beginbfchar\n";
            for (std::size_t k = at; k < end; ++k) {
                map += '<';
                appendHex4(map, static_cast<unsigned>(mapped[k]));
                map += "> <";
                const char32_t c = file->characters[mapped[k]];
                for (const QChar unit : QString::fromUcs4(&c, 1))
                    appendHex4(map, unit.unicode());
                map += ">\n";
            }
            map += "endbfchar\n";
        }
        map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
        writeStream(file->object + 1, {}, map, true);
        const double unitsToThousandths = 1000 / file->font.unitsPerEm();
        const QByteArray head = file->font.fontTable("head");
        QByteArray descriptor = "<< /Type /FontDescriptor /FontName " + file->name + " /Flags 4 /FontBBox [";
        for (int k = 0; k < 4; ++k) {
            appendNumber(descriptor, static_cast<qint16>(u16(head, 36 + 2 * k)) * unitsToThousandths);
            descriptor += k < 3 ? " " : "]";
        }
        const QByteArray hhea = file->font.fontTable("hhea");
        const double ascent = static_cast<qint16>(u16(hhea, 4)) * unitsToThousandths;
        descriptor += " /ItalicAngle 0 /Ascent ";
        appendNumber(descriptor, ascent);
        descriptor += " /Descent ";
        appendNumber(descriptor, static_cast<qint16>(u16(hhea, 6)) * unitsToThousandths);
        descriptor += " /CapHeight ";
        appendNumber(descriptor, ascent);
        descriptor += " /StemV 80 /FontFile2 " + QByteArray::number(file->object) + " 0 R >>";
        writeObject(file->object + 2, descriptor);
    }
    QByteArray resources = "<< /ProcSet [/PDF /Text] /Font <<";
    for (const auto& font : fonts_)
        resources += " /" + font->resourceName + ' ' + QByteArray::number(font->object) + " 0 R";
    resources += " >> >>";
    writeObject(resourcesObject_, resources);
    QByteArray pages = "<< /Type /Pages /Count " + QByteArray::number(pageCount()) + " /Kids [";
    for (const int page : pageObjects_)
        pages += QByteArray::number(page) + " 0 R ";
    pages += "] >>";
    writeObject(pagesObject_, pages);
    const int catalog = newObject();
    writeObject(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(pagesObject_) + " 0 R >>");
    const int info = newObject();
    writeObject(info, "<< /Title " + hexUtf16(title_) + " /Creator " + hexUtf16(creator_) + " /CreationDate (D:" +
                          QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
                          "Z) >>");
    const qint64 xref = written_;
    QByteArray tail =
        "xref\n0 " + QByteArray::number(static_cast<qulonglong>(offsets_.size() + 1)) + "\n0000000000 65535 f \n";
    for (const qint64 offset : offsets_)
        tail += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    tail += "trailer\n<< /Size " + QByteArray::number(static_cast<qulonglong>(offsets_.size() + 1)) + " /Root " +
            QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n" +
            QByteArray::number(xref) + "\n%%EOF\n";
    if (file_.write(tail) != tail.size()) writeFailed_ = true;
    file_.close();
    return !writeFailed_ && file_.error() == QFileDevice::NoError;
}

} // namespace platform
