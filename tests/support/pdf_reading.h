// Reading back a PDF the program wrote, through poppler's command-line tools.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <string>

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

} // namespace testing_support
