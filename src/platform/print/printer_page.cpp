#include "platform/print/printer_page.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <filesystem>

namespace platform {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int Landscape = 2;
// A PDF sheet keeps the unprintable border of a common printer, so the grid lands where it would on paper.
constexpr double PdfMarginMillimetres = 5.0;
constexpr int PdfResolution = 600;

const char* const PrinterOpenFailed = "プリンターに出力できませんでした。プリンターの状態を確認して下さい。";
const char* const PdfOpenFailed = "PDFファイルを作成できませんでした。\n";
const char* const PrinterStopped = "印刷中にプリンターのエラーが発生しました。印刷を中止します。";

} // namespace

QStringList fontFamiliesFor(const std::string& name) {
    if (name == "ＭＳＰ ゴシック") return {"IPAPGothic", "IPAexGothic"};
    if (name == "ＭＳ ゴシック") return {"IPAGothic", "IPAexGothic"};
    return {QString::fromStdString(name)};
}

std::unique_ptr<PrinterPage> PrinterPage::toDefaultPrinter(const std::string& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QString::fromStdString(documentName));
    return std::unique_ptr<PrinterPage>(new PrinterPage(std::move(printer), {}));
}

std::unique_ptr<PrinterPage> PrinterPage::toPdf(const std::string& path, const std::string& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setResolution(PdfResolution);
    printer->setPageMargins(
        QMarginsF(PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres),
        QPageLayout::Millimeter);
    printer->setDocName(QString::fromStdString(documentName));
    printer->setCreator(QStringLiteral("Kemlora"));
    return std::unique_ptr<PrinterPage>(new PrinterPage(std::move(printer), path));
}

PrinterPage::PrinterPage(std::unique_ptr<QPrinter> printer, std::string pdfPath)
    : printer_(std::move(printer)), pdfPath_(std::move(pdfPath)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    font_.setFamilies(fontFamiliesFor("ＭＳＰ ゴシック"));
    font_.setPointSize(9);
}

PrinterPage::~PrinterPage() {
    // A run cut short still closes its document, so the spooler or the file is left whole.
    if (painter_ && painter_->isActive()) {
        flushLines();
        painter_->end();
    }
}

void PrinterPage::setPaperSize(int paper) {
    // Every report asks for A4 (9), the paper each sheet is set to from the start.
    (void)paper;
}

void PrinterPage::setOrientation(int orientation) {
    printer_->setPageOrientation(orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PrinterPage::setFontName(const std::string& name) {
    font_.setFamilies(fontFamiliesFor(name));
    font_.setFixedPitch(name == "ＭＳ ゴシック");
    fontChanged_ = true;
}

void PrinterPage::setFontSize(int points) {
    if (points <= 0 || points == font_.pointSize()) return;
    font_.setPointSize(points);
    fontChanged_ = true;
}

void PrinterPage::setPenWidth(int width) {
    if (width == penWidth_) return;
    flushLines();
    penWidth_ = width;
    penChanged_ = true;
}

double PrinterPage::toDevice(int twips) const { return static_cast<double>(twips) * devicePerTwip_; }

void PrinterPage::fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
    lines_.clear();
    if (painter_ && painter_->isActive()) painter_->end();
}

bool PrinterPage::readyToDraw() {
    if (!failure_.empty()) return false;
    if (!started_) {
        if (!pdfPath_.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(pdfPath_).parent_path(), ignored);
        }
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get())) {
            fail(pdfPath_.empty() ? PrinterOpenFailed : PdfOpenFailed + pdfPath_);
            return false;
        }
        started_ = true;
        pages_ = 1;
        // Asking the printer for its resolution goes through its engine; it stays the same for the document.
        devicePerTwip_ = static_cast<double>(printer_->resolution()) / TwipsPerInch;
        fontChanged_ = penChanged_ = true;
    }
    if (pendingBreaks_ > 0) flushLines();
    for (; pendingBreaks_ > 0; --pendingBreaks_) {
        if (!printer_->newPage()) {
            fail(PrinterStopped);
            return false;
        }
        ++pages_;
    }
    return true;
}

void PrinterPage::printText(int xTwips, int yTwips, const std::string& text) {
    if (!readyToDraw()) return;
    if (fontChanged_) {
        painter_->setFont(font_);
        ascent_ = QFontMetricsF(painter_->font(), printer_.get()).ascent();
        rawFont_ = QRawFont::fromFont(painter_->font(), QFontDatabase::Japanese);
        fontChanged_ = false;
    }
    // The position is the text's top-left corner; Qt draws from the baseline.
    const QPointF origin(toDevice(xTwips), toDevice(yTwips) + ascent_);
    const QString string = QString::fromStdString(text);
    if (!drawGlyphs(origin, string)) painter_->drawText(origin, string);
}

// The reports' texts are Japanese and plain Latin in one font that holds them all: laying them out from
// the character map alone gives what drawText gives, without the shaping that would cost most of a page.
bool PrinterPage::drawGlyphs(const QPointF& origin, const QString& text) {
    if (!rawFont_.isValid()) return false;
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(text);
    if (glyphs.contains(0)) return false;
    const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    // Blanks only move the pen: the columns right-align amounts and codes with them, and the PDF would
    // otherwise write every one of them out.
    const bool oneGlyphACharacter = glyphs.size() == text.size();
    QList<quint32> shown;
    QList<QPointF> positions;
    shown.reserve(glyphs.size());
    positions.reserve(glyphs.size());
    QPointF at;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (!oneGlyphACharacter || text[i] != QLatin1Char(' ')) {
            shown.push_back(glyphs[i]);
            positions.push_back(at);
        }
        at += advances[i];
    }
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(shown);
    run.setPositions(positions);
    painter_->drawGlyphRun(origin, run);
    return true;
}

void PrinterPage::drawLine(int x1, int y1, int x2, int y2) {
    if (!readyToDraw()) return;
    lines_.emplace_back(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
}

void PrinterPage::flushLines() {
    if (lines_.empty() || !painter_ || !painter_->isActive()) return;
    if (penChanged_) {
        QPen pen(Qt::black);
        pen.setWidth(penWidth_);
        painter_->setPen(pen);
        penChanged_ = false;
    }
    painter_->drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
}

void PrinterPage::newPage() { ++pendingBreaks_; }

void PrinterPage::endDoc() {
    pendingBreaks_ = 0;
    if (!started_) return;
    flushLines();
    started_ = false;
    if (failure_.empty() && painter_ && !painter_->end()) fail(PrinterStopped);
    painter_.reset();
}

} // namespace platform
