#include "platform/print/printer_page.h"

#include <QFontMetricsF>
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

// Figures and what pads and separates them. The reports right-align amounts by padding them with blanks and
// size their code columns for figures half an em wide, as on the paper they were laid out for; the
// proportional Gothic has wider figures and narrower blanks, so these are set in the fixed-pitch face.
bool isFigure(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ') || c == QLatin1Char(',') ||
           c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+');
}

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
    if (painter_ && painter_->isActive()) painter_->end();
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
}

void PrinterPage::setFontSize(int points) {
    if (points > 0) font_.setPointSize(points);
}

void PrinterPage::setPenWidth(int width) { penWidth_ = width; }

double PrinterPage::toDevice(int twips) const {
    return static_cast<double>(twips) * printer_->resolution() / TwipsPerInch;
}

void PrinterPage::fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
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
    }
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
    QFont figures = font_;
    figures.setFamilies(fontFamiliesFor("ＭＳ ゴシック"));
    figures.setFixedPitch(true);
    // The position is the text's top-left corner; Qt draws from the baseline.
    const double baseline = toDevice(yTwips) + QFontMetricsF(font_, printer_.get()).ascent();
    double x = toDevice(xTwips);
    const QString whole = QString::fromStdString(text);
    for (qsizetype start = 0; start < whole.size();) {
        const bool figure = isFigure(whole[start]);
        qsizetype end = start + 1;
        while (end < whole.size() && isFigure(whole[end]) == figure)
            ++end;
        const QString run = whole.mid(start, end - start);
        const QFont& face = figure ? figures : font_;
        painter_->setFont(face);
        painter_->drawText(QPointF(x, baseline), run);
        x += QFontMetricsF(face, printer_.get()).horizontalAdvance(run);
        start = end;
    }
}

void PrinterPage::drawLine(int x1, int y1, int x2, int y2) {
    if (!readyToDraw()) return;
    QPen pen(Qt::black);
    pen.setWidth(penWidth_);
    painter_->setPen(pen);
    painter_->drawLine(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
}

void PrinterPage::newPage() { ++pendingBreaks_; }

void PrinterPage::endDoc() {
    pendingBreaks_ = 0;
    if (!started_) return;
    started_ = false;
    if (failure_.empty() && painter_ && !painter_->end()) fail(PrinterStopped);
    painter_.reset();
}

} // namespace platform
