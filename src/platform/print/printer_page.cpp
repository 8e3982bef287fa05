#include "platform/print/printer_page.h"

#include "platform/print/pdf_writer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <filesystem>

namespace platform {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int Landscape = 2;
// A PDF sheet keeps the unprintable border of a common printer, so the grid lands where it would on paper.
constexpr double PdfMarginMillimetres = 5.0;
constexpr int PdfResolution = 600;

// The reports right-align amounts by padding them with blanks and size code columns for figures half
// an em wide, as a fixed-pitch face draws them; the proportional Gothic's figures are wider and its
// blanks narrower. So figures, and the blanks and marks that pad and separate them, go to the fixed-pitch
// face, and each run of them or of the rest calls `visit(run, figures)` in turn.
bool isFigure(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ') || c == QLatin1Char(',') ||
           c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+');
}

template <typename Visit> void forEachRun(QStringView text, Visit visit) {
    for (qsizetype start = 0; start < text.size();) {
        const bool figures = isFigure(text[start]);
        qsizetype end = start + 1;
        while (end < text.size() && isFigure(text[end]) == figures)
            ++end;
        visit(text.sliced(start, end - start), figures);
        start = end;
    }
}

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
    return toPrinter(std::move(printer));
}

std::unique_ptr<PrinterPage> PrinterPage::toPrinter(std::unique_ptr<QPrinter> printer) {
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
    if (pdf_) {
        flushSheet();
        pdf_->close();
    }
    if (painter_ && painter_->isActive()) {
        flushSheet();
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
    face_ = nullptr;
}

void PrinterPage::setFontSize(int points) {
    if (points <= 0 || points == font_.pointSize()) return;
    font_.setPointSize(points);
    face_ = nullptr;
}

void PrinterPage::setPenWidth(int width) { penWidth_ = width; }

double PrinterPage::toDevice(int twips) const { return static_cast<double>(twips) * devicePerTwip_; }

void PrinterPage::fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
    rules_.clear();
    for (auto& face : faces_) {
        face->pendingGlyphs.clear();
        face->pendingPositions.clear();
        face->pendingCharacters.clear();
        face->pendingScales.clear();
    }
    if (pdf_) pdf_->close();
    pdf_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
}

bool PrinterPage::readyToDraw() {
    if (!failure_.empty()) return false;
    if (!started_) {
        if (!pdfPath_.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(pdfPath_).parent_path(), ignored);
        }
        // Asking the printer for its resolution goes through its engine; it stays the same for the document.
        const int resolution = printer_->resolution();
        if (pdfPath_.empty()) {
            painter_ = std::make_unique<QPainter>();
            if (!painter_->begin(printer_.get())) {
                fail(PrinterOpenFailed);
                return false;
            }
        } else {
            // The sheet as Qt's own PDF output lays it: pixels from the printable area's corner, y down.
            const QPageLayout layout = printer_->pageLayout();
            const QRectF sheet = layout.fullRectPoints();
            const QRect printable = layout.paintRectPixels(resolution);
            const double scale = 72.0 / resolution;
            QTransform pageMatrix(scale, 0, 0, -scale, 0, sheet.height());
            pageMatrix.translate(printable.left(), printable.top());
            pdf_ = std::make_unique<PdfWriter>(printer_->docName(), printer_->creator(), sheet.size(), pageMatrix);
            if (!pdf_->open(QString::fromStdString(pdfPath_))) {
                pdf_.reset();
                fail(PdfOpenFailed + pdfPath_);
                return false;
            }
        }
        started_ = true;
        pages_ = 1;
        devicePerTwip_ = static_cast<double>(resolution) / TwipsPerInch;
        painterFace_ = nullptr;
        painterPenWidth_ = 0;
    }
    if (pendingBreaks_ > 0) flushSheet();
    for (; pendingBreaks_ > 0; --pendingBreaks_) {
        if (pdf_) {
            pdf_->endPage();
        } else if (!printer_->newPage()) {
            fail(PrinterStopped);
            return false;
        }
        ++pages_;
    }
    if (pdf_) pdf_->beginPage();
    return true;
}

PrinterPage::Face& PrinterPage::currentFace() {
    if (face_) return *face_;
    face_ = &faceOf(font_);
    if (!face_->figures) {
        QFont figures = font_;
        figures.setFamilies(fontFamiliesFor("ＭＳ ゴシック"));
        figures.setFixedPitch(true);
        face_->figures = &faceOf(figures);
    }
    return *face_;
}

PrinterPage::Face& PrinterPage::faceOf(const QFont& font) {
    const QFont resolved(font, printer_.get());
    const QString key = resolved.key();
    for (const auto& face : faces_)
        if (face->key == key) return *face;
    auto face = std::make_unique<Face>();
    face->key = key;
    face->font = resolved;
    face->ascent = QFontMetricsF(resolved, printer_.get()).ascent();
    face->rawFont = QRawFont::fromFont(resolved, QFontDatabase::Japanese);
    if (font.fixedPitch()) face->figures = face.get();
    faces_.push_back(std::move(face));
    return *faces_.back();
}

void PrinterPage::printText(int xTwips, int yTwips, const std::string& text, int roomTwips) {
    if (!readyToDraw()) return;
    Face& face = currentFace();
    // The position is the text's top-left corner; Qt draws from the baseline, the same for both faces.
    const QPointF origin(toDevice(xTwips), toDevice(yTwips) + face.ascent);
    const QString string = QString::fromStdString(text);
    // A text wider than its room is drawn narrower as a whole, rather than run over the next column.
    double scale = 1;
    if (roomTwips > AnyWidth) {
        const double width = widthOf(face, string);
        const double room = toDevice(roomTwips);
        if (width > room) scale = room / width;
    }
    double x = 0;
    forEachRun(string, [&](QStringView run, bool figures) {
        Face& runFace = figures ? *face.figures : face;
        if (place(runFace, run, origin, scale, x)) return;
        drawWithFallback(runFace, origin + QPointF(x * scale, 0), run.toString(), scale);
        x += advanceOf(runFace, run);
    });
}

double PrinterPage::widthOf(Face& face, QStringView text) {
    double width = 0;
    forEachRun(text, [&](QStringView run, bool figures) { width += advanceOf(figures ? *face.figures : face, run); });
    return width;
}

double PrinterPage::advanceOf(Face& face, QStringView run) {
    double advance = 0;
    for (const QChar c : run) {
        const Face::Glyph* glyph = face.rawFont.isValid() ? &face.glyphOf(c.unicode()) : nullptr;
        if (!glyph || glyph->index == 0)
            return QFontMetricsF(face.font, printer_.get()).horizontalAdvance(run.toString());
        advance += glyph->advance;
    }
    return advance;
}

// The reports' texts are Japanese and plain Latin in fonts that hold them all: placing them from the
// character map alone gives what drawText gives, without the shaping that would cost most of a page.
bool PrinterPage::place(Face& face, QStringView run, const QPointF& origin, double scale, double& x) {
    if (!face.rawFont.isValid()) return false;
    const qsizetype glyphsBefore = face.pendingGlyphs.size();
    const qsizetype charactersBefore = face.pendingCharacters.size();
    double at = x;
    for (const QChar c : run) {
        const Face::Glyph& glyph = face.glyphOf(c.unicode());
        if (glyph.index == 0) {
            face.pendingGlyphs.resize(glyphsBefore);
            face.pendingPositions.resize(glyphsBefore);
            face.pendingCharacters.resize(charactersBefore);
            face.pendingScales.resize(glyphsBefore);
            return false;
        }
        // Blanks only move the pen: the columns right-align amounts and codes with them, and the PDF
        // would otherwise write every one of them out.
        if (c != QLatin1Char(' ')) {
            face.pendingGlyphs.push_back(glyph.index);
            face.pendingPositions.push_back(QPointF(origin.x() + at * scale, origin.y()));
            face.pendingScales.push_back(scale);
            if (pdf_) face.pendingCharacters.push_back(c.unicode());
        }
        at += glyph.advance;
    }
    x = at;
    return true;
}

const PrinterPage::Face::Glyph& PrinterPage::Face::glyphOf(char16_t c) {
    auto& block = glyphBlocks[c >> 8];
    if (!block) block = std::make_unique<GlyphBlock>();
    Glyph& glyph = (*block)[c & 0xff];
    if (glyph.looked) return glyph;
    glyph.looked = true;
    // Halves of a pair stand for no character alone: such a text goes to the fallback fonts.
    const QChar character(c);
    int count = 1;
    if (character.isSurrogate() || !rawFont.glyphIndexesForChars(&character, 1, &glyph.index, &count) || count != 1)
        glyph.index = 0;
    QPointF advance;
    if (glyph.index != 0 && rawFont.advancesForGlyphIndexes(&glyph.index, &advance, 1, QRawFont::SeparateAdvances))
        glyph.advance = advance.x();
    return glyph;
}

void PrinterPage::drawWithFallback(Face& face, const QPointF& origin, const QString& string, double scale) {
    if (painter_) {
        if (painterFace_ != &face) {
            painter_->setFont(face.font);
            painterFace_ = &face;
        }
        if (scale == 1) {
            painter_->drawText(origin, string);
            return;
        }
        painter_->save();
        painter_->scale(scale, 1);
        painter_->drawText(QPointF(origin.x() / scale, origin.y()), string);
        painter_->restore();
        return;
    }
    // The runs Qt lays the text out in, each in the font it found for its characters.
    QTextLayout layout(string, face.font, printer_.get());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    const QPointF baseline = origin - QPointF(0, line.ascent());
    for (const QGlyphRun& run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position = QPointF(baseline.x() + position.x() * scale, baseline.y() + position.y());
        // Each character the run's font shows is what its glyph reads back as.
        const QList<quint32> glyphs = run.glyphIndexes();
        QList<char32_t> characters(glyphs.size(), 0);
        for (const char32_t c : string.toUcs4()) {
            const QString one = QString::fromUcs4(&c, 1);
            const QList<quint32> shown = run.rawFont().glyphIndexesForString(one);
            if (shown.size() != 1 || shown[0] == 0) continue;
            for (qsizetype i = 0; i < glyphs.size(); ++i)
                if (glyphs[i] == shown[0]) characters[i] = c;
        }
        pdf_->drawGlyphs(run.rawFont(), glyphs, positions, characters, QList<double>(glyphs.size(), scale));
    }
}

void PrinterPage::drawLine(int x1, int y1, int x2, int y2) {
    if (!readyToDraw()) return;
    auto rules = std::find_if(rules_.begin(), rules_.end(), [&](const Rules& r) { return r.width == penWidth_; });
    if (rules == rules_.end()) rules = rules_.insert(rules_.end(), Rules{penWidth_, {}});
    rules->lines.emplace_back(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
}

void PrinterPage::flushSheet() {
    if (pdf_) {
        for (auto& face : faces_) {
            pdf_->drawGlyphs(face->rawFont, face->pendingGlyphs, face->pendingPositions, face->pendingCharacters,
                             face->pendingScales);
            face->pendingGlyphs.clear();
            face->pendingPositions.clear();
            face->pendingCharacters.clear();
            face->pendingScales.clear();
        }
        for (auto& rules : rules_) {
            pdf_->drawLines(rules.width, rules.lines);
            rules.lines.clear();
        }
        return;
    }
    if (!painter_ || !painter_->isActive()) return;
    for (auto& face : faces_) {
        // Glyphs of one width go out as one run; a text set narrower is drawn under its own scale.
        const QList<double>& scales = face->pendingScales;
        for (qsizetype start = 0, end = 0; start < scales.size(); start = end) {
            const double scale = scales[start];
            while (end < scales.size() && scales[end] == scale)
                ++end;
            QGlyphRun run;
            run.setRawFont(face->rawFont);
            run.setGlyphIndexes(face->pendingGlyphs.mid(start, end - start));
            QList<QPointF> positions = face->pendingPositions.mid(start, end - start);
            if (scale == 1) {
                run.setPositions(positions);
                painter_->drawGlyphRun(QPointF(), run);
                continue;
            }
            for (QPointF& position : positions)
                position.setX(position.x() / scale);
            run.setPositions(positions);
            painter_->save();
            painter_->scale(scale, 1);
            painter_->drawGlyphRun(QPointF(), run);
            painter_->restore();
        }
        face->pendingGlyphs.clear();
        face->pendingPositions.clear();
        face->pendingScales.clear();
    }
    for (auto& rules : rules_) {
        if (rules.lines.empty()) continue;
        if (rules.width != painterPenWidth_) {
            QPen pen(Qt::black);
            pen.setWidth(rules.width);
            painter_->setPen(pen);
            painterPenWidth_ = rules.width;
        }
        painter_->drawLines(rules.lines.data(), static_cast<int>(rules.lines.size()));
        rules.lines.clear();
    }
}

void PrinterPage::newPage() { ++pendingBreaks_; }

void PrinterPage::endDoc() {
    pendingBreaks_ = 0;
    if (!started_) return;
    flushSheet();
    started_ = false;
    if (pdf_) {
        const bool written = pdf_->close();
        pdf_.reset();
        if (!written) fail(PrinterStopped);
        return;
    }
    if (failure_.empty() && painter_ && !painter_->end()) fail(PrinterStopped);
    painter_.reset();
}

} // namespace platform
