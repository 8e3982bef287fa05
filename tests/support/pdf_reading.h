// Reading back a PDF the program wrote, through poppler's command-line tools.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace testing_support {

inline bool popplerInstalled() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
           !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

// The output of a poppler tool, or empty when it could not run.
inline QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString pdfInfo(const std::string& path, const QString& field) {
    for (const QString& line : poppler("pdfinfo", {QString::fromStdString(path)}).split('\n'))
        if (line.startsWith(field + ":")) return line.mid(field.size() + 1).trimmed();
    return {};
}

// Extracted text maps some kanji to compatibility code points; NFKC brings both sides together.
inline QString nfkc(const QString& text) { return text.normalized(QString::NormalizationForm_KC); }
inline QString pdfText(const std::string& path) {
    return nfkc(poppler("pdftotext", {"-layout", QString::fromStdString(path), "-"}));
}

// The words of a PDF with their boxes in points from the sheet's top-left corner, as poppler reads
// them back.
struct ReadWord {
    QString text;
    double left, top, right, bottom;
};

inline std::vector<ReadWord> pdfWords(const std::string& pdf) {
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<ReadWord> words;
    for (const auto& m : word.globalMatch(poppler("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"})))
        words.push_back({nfkc(m.captured(5)), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    return words;
}

} // namespace testing_support
