#include "platform/print/pdf_writer.h"
#include "platform/print/print_target.h"
#include "platform/print/printer_page.h"
#include "support/pdf_reading.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainterPath>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const QDateTime RunTime(QDate(2026, 4, 15), QTime(9, 30, 5));

// Three sheets of a landscape report, the last page closed by a new page as the reports do.
void printThreePages(platform::Page& page) {
    page.setPaperSize(9);
    page.setOrientation(2);
    page.setFontName("ＭＳＰ ゴシック");
    for (int n = 1; n <= 3; ++n) {
        page.setFontSize(14);
        page.printText(50 * 144, 2 * 240, "経理日報", platform::AnyWidth);
        page.setFontSize(9);
        page.printText(102 * 144, 3 * 240, "（  " + std::to_string(n) + "頁）", platform::AnyWidth);
        page.setPenWidth(5);
        page.drawLine(648, 1160, 15768, 1160);
        page.newPage();
    }
    page.endDoc();
}

TEST(PdfPage, AMachineWithoutPrinterGetsAPdfBesideTheDataFileWithOneSheetPerPage) {
    TempFolder folder;
    const std::string dataFile = folder.file("Kemlora.mdb");
    auto job = platform::openPrintJob("経理日報", dataFile, false, RunTime);
    const std::string expected = (folder.path() / "PDF" / "経理日報_20260415_093005.pdf").string();
    EXPECT_EQ(job->pdfPath(), expected);
    EXPECT_FALSE(fs::exists(folder.path() / "PDF")) << "nothing is made before the first sheet";

    printThreePages(job->page());
    EXPECT_EQ(job->pagesPrinted(), 3);
    EXPECT_EQ(job->failure(), "");
    job.reset();

    ASSERT_TRUE(fs::exists(expected));
    EXPECT_EQ(pdfInfo(expected, "Pages"), "3") << "no empty sheet after the last new page";
    EXPECT_EQ(pdfInfo(expected, "Title"), "経理日報");
    const QStringList size = pdfInfo(expected, "Page size").split(' ');
    ASSERT_GE(size.size(), 4);
    EXPECT_GT(size[0].toDouble(), size[2].toDouble()) << "landscape";
    EXPECT_EQ(size.last(), "(A4)"); // the text read back is the daily report's PDF test
    EXPECT_TRUE(poppler("pdffonts", {QString::fromStdString(expected)}).contains("IPAPGothic"))
        << "the proportional Gothic stands in for ＭＳＰ ゴシック";

    // A second run in the same second keeps the first file.
    auto again = platform::openPrintJob("経理日報", dataFile, false, RunTime);
    EXPECT_EQ(again->pdfPath(), (folder.path() / "PDF" / "経理日報_20260415_093005_2.pdf").string());
}

TEST(PdfPage, ARunThatPrintsNothingLeavesNoFileAndAnUnwritableOutputIsReported) {
    TempFolder folder;
    auto job = platform::openPrintJob("コード一覧表", folder.file("Kemlora.mdb"), false, RunTime);
    job->page().endDoc();
    EXPECT_EQ(job->pagesPrinted(), 0);
    EXPECT_EQ(job->failure(), "");
    job.reset();
    EXPECT_FALSE(fs::exists(folder.path() / "PDF"));

    std::ofstream(folder.file("PDF")) << "a file where the folder should be";
    job = platform::openPrintJob("経理日報", folder.file("Kemlora.mdb"), false, RunTime);
    printThreePages(job->page()); // goes on harmlessly
    EXPECT_EQ(job->pagesPrinted(), 0);
    EXPECT_NE(job->failure().find("PDFファイルを作成できませんでした。"), std::string::npos) << job->failure();
    EXPECT_NE(job->failure().find(job->pdfPath()), std::string::npos);

    // A printer that cannot take the document says so.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(folder.file("PDF/printer.pdf")));
    auto onPrinter = platform::PrinterPage::toPrinter(std::move(printer));
    printThreePages(*onPrinter);
    EXPECT_EQ(onPrinter->pagesPrinted(), 0);
    EXPECT_EQ(onPrinter->failure(), "プリンターに出力できませんでした。プリンターの状態を確認して下さい。");
}

TEST(PdfPage, FileNamesKeepTheTitleWithoutCharactersAFileNameCannotHold) {
    const std::pair<const char*, const char*> cases[] = {
        {"固定資産等及び償却明細 ", "固定資産等及び償却明細_20260415_093005.pdf"},
        {"元帳/月次:A?", "元帳_月次_A__20260415_093005.pdf"},
        {"   ", "report_20260415_093005.pdf"}};
    for (const auto& [title, name] : cases)
        EXPECT_EQ(platform::pdfPathFor(title, "/data/Kemlora.mdb", RunTime), fs::path("/data/PDF") / name) << title;
}

TEST(PdfPage, PaddedAmountsEndTogetherAndASixFigureCodeFitsItsColumn) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    auto job = platform::openPrintJob("一覧表", folder.file("Kemlora.mdb"), false, RunTime);
    platform::Page& page = job->page();
    page.setFontName("ＭＳＰ ゴシック");
    page.setFontSize(9);
    // Amounts as the reports pad them, one under the other; a code in a column of four and a half grid columns.
    page.printText(20 * 144, 6 * 240, "      1,000", platform::AnyWidth);
    page.printText(20 * 144, 7 * 240, "  1,234,567", platform::AnyWidth);
    page.printText(5 * 144, 9 * 240, "000101", platform::AnyWidth);
    page.newPage();
    page.endDoc();
    const std::string path = job->pdfPath();
    job.reset();

    std::map<QString, ReadWord> boxes;
    for (const auto& word : pdfWords(path))
        boxes.emplace(word.text, word);
    ASSERT_TRUE(boxes.count("1,000") && boxes.count("1,234,567") && boxes.count("000101")) << path;
    EXPECT_NEAR(boxes.at("1,000").right, boxes.at("1,234,567").right, 0.5);
    EXPECT_LT(boxes.at("000101").right - boxes.at("000101").left, 4.5 * 7.2) << "the code runs into the rule after it";
}

TEST(PdfPage, TextsKeepTheirSizeAndPlaceAndOnesTheGothicCannotShowStillPrint) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    const std::string pdf = folder.file("sizes.pdf");
    auto page = platform::PrinterPage::toPdf(pdf, "sizes");
    page->setOrientation(2);
    page->setFontName("ＭＳＰ ゴシック");
    // The same amount at 9, 14 and again 9 points: a layout kept for one size must not serve another.
    const int sizes[] = {9, 14, 9};
    for (int row = 0; row < 3; ++row) {
        page->setFontSize(sizes[row]);
        page->printText(20 * 144, (4 + 3 * row) * 240, "  1,234", platform::AnyWidth);
    }
    page->setFontSize(9);
    page->printText(20 * 144, 16 * 240, "한글と金額", platform::AnyWidth);
    page->drawLine(648, 1160, 15768, 1160);
    page->endDoc();
    EXPECT_EQ(page->failure(), "");
    page.reset();

    EXPECT_EQ(pdfInfo(pdf, "Pages"), "1");
    std::vector<ReadWord> amounts;
    bool restRead = false;
    for (const auto& word : pdfWords(pdf)) {
        if (word.text == "1,234") amounts.push_back(word);
        restRead = restRead || word.text.endsWith("と金額");
    }
    EXPECT_TRUE(restRead) << "the characters the Gothic has read back beside the ones it lacks";
    ASSERT_EQ(amounts.size(), 3u);
    const double small = amounts[0].right - amounts[0].left, large = amounts[1].right - amounts[1].left;
    EXPECT_NEAR(large / small, 14.0 / 9.0, 0.03);
    EXPECT_NEAR(amounts[2].right - amounts[2].left, small, 0.01);
    // Leading blanks move the text right by their own size's width, and the rows stay where they were put.
    EXPECT_GT(amounts[1].left, amounts[0].left);
    EXPECT_NEAR(amounts[2].left, amounts[0].left, 0.01);
    EXPECT_NEAR(amounts[2].top - amounts[0].top, 6 * 240 / 20.0, 0.01);
}

// A PDF's objects as a reader finds them through the file's cross-reference table, each stream's
// data inflated. Every entry must lead to its object.
struct PdfObject {
    QByteArray dictionary;
    QByteArray stream;
};

std::map<int, PdfObject> pdfObjects(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = file.readAll();
    const qsizetype xref = pdf.mid(pdf.lastIndexOf("startxref\n") + 10).split('\n').value(0).toLongLong();
    const QList<QByteArray> lines = pdf.mid(xref).split('\n'); // "xref", "0 count", one entry a line
    const int count = lines.value(1).split(' ').value(1).toInt();
    static const QRegularExpression length(R"(/Length (\d+))"), size(R"(/Size (\d+))");
    EXPECT_EQ(size.match(QString::fromLatin1(pdf.mid(pdf.lastIndexOf("trailer")))).captured(1).toInt(), count);
    std::map<int, PdfObject> objects;
    for (int id = 1; id < count; ++id) {
        const QByteArray entry = lines.value(1 + id + 1);
        const QByteArray head = QByteArray::number(id) + " 0 obj\n";
        bool number = false;
        const qsizetype at = entry.left(10).toLongLong(&number);
        const bool found = number && entry.mid(10) == " 00000 n " && pdf.mid(at, head.size()) == head;
        EXPECT_TRUE(found) << "object " << id << ": " << entry.toStdString();
        if (!found) continue;
        PdfObject& object = objects[id];
        const qsizetype body = at + head.size();
        const qsizetype stream = pdf.indexOf(">>\nstream\n", body), end = pdf.indexOf("\nendobj\n", body);
        object.dictionary = pdf.mid(body, (stream >= 0 && stream < end ? stream + 2 : end) - body);
        if (stream < 0 || stream > end) continue;
        const QString dictionary = QString::fromLatin1(object.dictionary);
        object.stream = pdf.mid(stream + 10, length.match(dictionary).captured(1).toLongLong());
        if (dictionary.contains("/FlateDecode")) {
            // qUncompress wants the size ahead of the zlib stream; it grows the buffer past a short guess.
            QByteArray sized(4, '\0');
            sized[1] = 1;
            object.stream = qUncompress(sized + object.stream);
        }
    }
    return objects;
}

// What a font reader finds wrong in a TrueType file's table directory: the binary-search fields,
// tables in tag order on four-byte bounds inside the file, each table's checksum (the head table's
// taken with its adjustment as 0) and the whole file's. Empty when all hold.
std::vector<std::string> directoryFaults(const QByteArray& font) {
    const auto byte = [&](qsizetype at) { return at < font.size() ? static_cast<quint8>(font[at]) : 0u; };
    const auto u16 = [&](qsizetype at) { return (byte(at) << 8) | byte(at + 1); };
    const auto u32 = [&](qsizetype at) { return (quint32(u16(at)) << 16) | u16(at + 2); };
    const auto sum = [&](qsizetype at, qsizetype length) {
        quint32 total = 0;
        for (qsizetype k = 0; k < length; k += 4)
            for (int b = 0; b < 4; ++b)
                total += (k + b < length ? byte(at + k + b) : 0u) << (24 - 8 * b);
        return total;
    };
    std::vector<std::string> faults;
    const int tables = static_cast<int>(u16(4));
    int power = 1, log2 = 0;
    for (; power * 2 <= tables; power *= 2)
        ++log2;
    if (u32(0) != 0x00010000u) faults.push_back("not TrueType outlines");
    if (u16(6) != 16u * power) faults.push_back("searchRange " + std::to_string(u16(6)));
    if (u16(8) != static_cast<unsigned>(log2)) faults.push_back("entrySelector " + std::to_string(u16(8)));
    if (u16(10) != 16u * (tables - power)) faults.push_back("rangeShift " + std::to_string(u16(10)));
    QByteArray previous;
    for (int t = 0; t < tables; ++t) {
        const qsizetype record = 12 + 16 * t;
        const QByteArray tag = font.mid(record, 4);
        const quint32 checksum = u32(record + 4), offset = u32(record + 8), length = u32(record + 12);
        if (tag <= previous) faults.push_back(tag.toStdString() + " out of order");
        previous = tag;
        if (offset % 4 != 0 || offset + length > font.size()) {
            faults.push_back(tag.toStdString() + " outside the file");
            continue;
        }
        const quint32 adjustment = tag == "head" ? u32(offset + 8) : 0;
        if (sum(offset, length) - adjustment != checksum) faults.push_back(tag.toStdString() + " checksum");
    }
    if (sum(0, font.size()) != 0xB1B0AFBAu) faults.push_back("whole-file checksum");
    return faults;
}

// A PDF name as written: its characters regular, or #xx; empty when it is no valid name.
QString decodedName(const QByteArray& name) {
    static const QByteArray delimiters = "()<>[]{}/%#";
    QByteArray decoded;
    for (qsizetype at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
        bool hex = false;
        if (c == '#') decoded += static_cast<char>(name.mid(at + 1, 2).toInt(&hex, 16));
        if (c == '#' && !hex) return {};
        if (c == '#')
            at += 2;
        else if (c < 0x21 || c > 0x7e || delimiters.contains(static_cast<char>(c)))
            return {};
        else
            decoded += static_cast<char>(c);
    }
    return QString::fromUtf8(decoded);
}

// The pixels of a sheet that print dark, as poppler renders it in grey.
qsizetype inkedPixels(const std::string& pdf) {
    QProcess process;
    process.start("pdftoppm", {"-gray", "-r", "72", "-singlefile", QString::fromStdString(pdf)});
    if (!process.waitForFinished(30000)) return -1;
    const QByteArray pgm = process.readAllStandardOutput(); // "P5\n<width> <height>\n255\n", a byte a pixel
    qsizetype start = 0;
    for (int line = 0; line < 3; ++line)
        start = pgm.indexOf('\n', start) + 1;
    return std::count_if(pgm.begin() + start, pgm.end(), [](char c) { return static_cast<quint8>(c) < 128; });
}

TEST(PdfPage, EveryFontIsEmbeddedUnderAValidNameWithATableDirectoryAReaderAccepts) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    const std::string pdf = folder.file("fonts.pdf");
    auto page = platform::PrinterPage::toPdf(pdf, "fonts");
    page->setFontName("ＭＳＰ ゴシック");
    page->setFontSize(9);
    // The proportional Gothic, the fixed-pitch one for figures, and the shekel sign and Ğ no IPA face holds.
    page->printText(20 * 144, 6 * 240, "家賃 12,000₪Ğ", platform::AnyWidth);
    page->endDoc();
    page.reset();
    EXPECT_TRUE(nfkc(poppler("pdftotext", {QString::fromStdString(pdf), "-"})).contains("家賃 12,000₪Ğ"));
    EXPECT_GT(inkedPixels(pdf), 40) << "the glyphs shown keep their outlines";

    static const QRegularExpression fontName(R"(/(?:BaseFont|FontName) /([^\s/\[\]<>(){}%]*))");
    std::set<QString> names;
    int programs = 0;
    // The fallback face draws Ğ from two parts, a G and a breve.
    const QRawFont dejaVu = QRawFont::fromFont(QFont("DejaVu Sans"));
    const quint32 breved = dejaVu.glyphIndexesForString("Ğ").value(0);
    bool brevedWhole = false;
    for (const auto& [id, object] : pdfObjects(pdf)) {
        for (const auto& m : fontName.globalMatch(QString::fromLatin1(object.dictionary))) {
            const QString name = decodedName(m.captured(1).toLatin1());
            EXPECT_FALSE(name.isEmpty()) << "object " << id << ": " << m.captured(0).toStdString();
            names.insert(name);
        }
        static const QRegularExpression length1(R"(/Length1 (\d+))");
        const auto program = length1.match(QString::fromLatin1(object.dictionary));
        if (!program.hasMatch()) continue;
        ++programs;
        EXPECT_EQ(object.stream.size(), program.captured(1).toLongLong()) << "object " << id;
        EXPECT_EQ(directoryFaults(object.stream), std::vector<std::string>{}) << "object " << id;
        const QRawFont embedded(object.stream, dejaVu.pixelSize());
        EXPECT_TRUE(embedded.isValid()) << "object " << id;
        if (embedded.fontTable("hmtx") == dejaVu.fontTable("hmtx"))
            brevedWhole = embedded.pathForGlyph(breved).boundingRect() == dejaVu.pathForGlyph(breved).boundingRect();
    }
    EXPECT_EQ(programs, 3);
    EXPECT_TRUE(brevedWhole) << "the file keeps both parts of Ğ";
    for (const char* family : {"IPAPGothic", "IPAGothic", "DejaVu Sans"})
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const QString& n) { return n.startsWith(family); }))
            << family;
}

// The installed IPA Gothic under another name, as a face the machine might hold, with its glyph count
// cut to `glyphs` when above 0.
QByteArray ipaGothicNamed(const QString& name, int glyphs) {
    QFile file("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray font = file.readAll();
    const auto utf16 = [](const QString& text) {
        QByteArray out;
        for (const QChar c : text)
            out.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xff));
        return out;
    };
    font.replace(utf16("IPAGothic"), utf16(name)).replace("IPAGothic", name.toLatin1());
    const int tables = (static_cast<quint8>(font[4]) << 8) | static_cast<quint8>(font[5]);
    for (int t = 0; t < tables && glyphs > 0; ++t) {
        if (font.mid(12 + 16 * t, 4) != "maxp") continue;
        const qsizetype at = qFromBigEndian<quint32>(font.constData() + 12 + 16 * t + 8) + 4;
        font[at] = static_cast<char>(glyphs >> 8);
        font[at + 1] = static_cast<char>(glyphs & 0xff);
    }
    return font;
}

TEST(PdfPage, GlyphsTheEmbeddedFaceLacksAreDrawnAsShapesAndEveryFontNameAndObjectReadsBack) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    // Two versions of one face, the one met first with fewer glyphs, under a name a PDF name must escape.
    const QRawFont full(ipaGothicNamed("M+ Gothic", 0), 40), fewer(ipaGothicNamed("M+ Gothic", 1000), 40);
    ASSERT_TRUE(full.isValid() && fewer.isValid());
    const quint32 letter = fewer.glyphIndexesForString("A").value(0), kanji = full.glyphIndexesForString("家").value(0);
    ASSERT_TRUE(letter > 0 && kanji >= 1000);
    TempFolder folder;
    qsizetype ink[2] = {};
    for (const bool shared : {false, true}) {
        const std::string pdf = folder.file(shared ? "shared.pdf" : "one.pdf");
        platform::PdfWriter writer("shapes", "test", QSizeF(595, 842), QTransform(1, 0, 0, -1, 0, 842));
        ASSERT_TRUE(writer.open(QString::fromStdString(pdf)));
        writer.drawGlyphs(shared ? fewer : full, {letter}, {QPointF(100, 100)}, {U'A'}, {1.0});
        writer.drawGlyphs(full, {kanji}, {QPointF(200, 100)}, {U'家'}, {1.0});
        // A face with no TrueType tables stands for a fallback in another format.
        writer.drawGlyphs(QRawFont(), {1}, {QPointF(10, 10)}, {U'x'}, {1.0});
        ASSERT_TRUE(writer.close());
        ink[shared] = inkedPixels(pdf);
        static const QRegularExpression fontName(R"(/(?:BaseFont|FontName) /([^\s/\[\]<>(){}%]*))");
        for (const auto& [id, object] : pdfObjects(pdf)) // every entry of the table leads to its object
            for (const auto& m : fontName.globalMatch(QString::fromLatin1(object.dictionary)))
                EXPECT_EQ(decodedName(m.captured(1).toLatin1()), "M+ Gothic") << pdf << " object " << id;
    }
    EXPECT_GT(ink[false], 100);
    EXPECT_NEAR(ink[true], ink[false], ink[false] / 10) << "the kanji is drawn in the shared name's file too";
}

// The words poppler reads on one row of texts, joined, with the left of the first and the right of the last.
ReadWord rowOf(const std::vector<ReadWord>& words, double top) {
    ReadWord row{{}, 1e9, top, -1e9, top};
    for (const auto& word : words) {
        if (std::abs(word.top - top) > 2) continue;
        row.text += word.text;
        row.left = std::min(row.left, word.left);
        row.right = std::max(row.right, word.right);
    }
    return row;
}

TEST(PdfPage, ATextWiderThanItsRoomIsSetNarrowerWhileOnesThatFitAndTheRulesComeOutAsDrawn) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    const std::string onFile = folder.file("file.pdf"), onPrinter = folder.file("printer.pdf");
    // The PDF this program writes itself, and the pages a printer gets, here through Qt's own PDF output.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(onPrinter));
    const std::pair<std::string, std::unique_ptr<platform::PrinterPage>> paths[] = {
        {onFile, platform::PrinterPage::toPdf(onFile, "fit")},
        {onPrinter, platform::PrinterPage::toPrinter(std::move(printer))}};
    // Thirty characters, then one no IPA face holds and figures, in a room of fifteen grid columns; in a
    // title's size, so that a fallback drawn in the printer's own font would show.
    const std::string remark = "四月分事務所家賃及び共益費並びに駐車場使用料の振込手数料₪2,000";
    const int room = 15 * 144 - 72;
    for (const auto& [pdf, page] : paths) {
        page->setOrientation(2);
        page->setFontName("ＭＳＰ ゴシック");
        page->setFontSize(14);
        page->printText(20 * 144, 4 * 240, remark, platform::AnyWidth);
        page->printText(20 * 144, 6 * 240, remark, room);
        // The next sheet must show nothing of how the narrowed text was drawn.
        page->newPage();
        page->printText(20 * 144, 8 * 240, "四月分 12,000", platform::AnyWidth);
        page->printText(20 * 144, 10 * 240, "四月分 12,000", room);
        page->setPenWidth(5);
        page->drawLine(20 * 144 - 72, 12 * 240 - 40, 35 * 144 - 72, 12 * 240 - 40);
        page->setPenWidth(1);
        page->drawLine(20 * 144 - 72, 13 * 240 - 40, 35 * 144 - 72, 13 * 240 - 40);
        page->endDoc();
        EXPECT_EQ(page->failure(), "") << pdf;
    }
    for (const auto& [pdf, page] : paths) {
        const std::vector<ReadWord> words = pdfWords(pdf);
        const ReadWord wide = rowOf(words, words.empty() ? 0 : words.front().top);
        const ReadWord fitted = rowOf(words, wide.top + 2 * 12), fits = rowOf(words, wide.top + 4 * 12),
                       fitsRoom = rowOf(words, wide.top + 6 * 12);
        EXPECT_EQ(wide.text, nfkc(QString::fromStdString(remark))) << pdf;
        EXPECT_GT(wide.right - wide.left, room / 20.0) << pdf;
        EXPECT_EQ(fitted.text, wide.text) << pdf;
        EXPECT_NEAR(fitted.left, wide.left, 0.05) << pdf;
        EXPECT_LE(fitted.right, fitted.left + room / 20.0 + 0.05) << pdf;
        EXPECT_GT(fitted.right, fitted.left + room / 20.0 - 1) << pdf << ": the text fills its room";
        EXPECT_EQ(fitsRoom.text, fits.text) << pdf;
        EXPECT_NEAR(fits.left, wide.left, 0.05) << pdf << ": a text set narrower leaves the next ones as they were";
        EXPECT_NEAR(fitsRoom.right - fitsRoom.left, fits.right - fits.left, 0.01) << pdf;
        static const QRegularExpression stroke("stroke-width:([\\d.]+);");
        QStringList widths;
        for (const auto& m : stroke.globalMatch(poppler("pdftocairo", {"-svg", QString::fromStdString(pdf), "-"})))
            widths += m.captured(1);
        EXPECT_EQ(widths, QStringList({"5", "1"})) << pdf << ": the rules in their pen widths in printer pixels";
    }
}

} // namespace
