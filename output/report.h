#pragma once
// What a preview run finds in a list of raw lines: the folder names, their
// count, the lines that repeat earlier lines, the names whose folder exists,
// and the names that creation could not make as they are shown.

#include "editor/transform.h"
#include "platform/fs_types.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

namespace ramulo {

// A box lists this many lines at most and counts the others: a line repeated
// n times reports n(n-1)/2 lines, and nobody reads a million.
inline constexpr qint64 kReportLimit = 1000;

// The lines of one warning box.
struct ReportLines {
    QStringList lines;
    qint64 leftOut = 0; // lines past the limit, counted only

    bool isEmpty() const { return lines.isEmpty() && leftOut == 0; }
    // Adds `times` copies of the line that `line()` writes; it is written
    // only when there is room for it.
    template <typename Write> void add(Write&& line, qint64 times = 1) {
        const qint64 listed = std::min(times, kReportLimit - lines.size());
        if (listed > 0) {
            const QString text = line();
            for (qint64 k = 0; k < listed; ++k)
                lines.append(text);
        }
        leftOut += times - std::max<qint64>(listed, 0);
    }
};

struct PreviewReport {
    QStringList names;      // the non-empty folder names or paths, in editor order
    qint64 count = 0;       // how many there are
    ReportLines duplicates; // "- " + raw line, once per earlier equal line
    ReportLines existing;   // "- " + raw line + " > " + folder name
    ReportLines impossible; // "- " + raw line + " > " + folder name + " (reason)"
};

struct PreviewInputs {
    NameChain chain; // raw line -> folder name, or path in a tree
    QString destination;
    // What each name holds in the folder, as the file system answers for the joined paths.
    std::function<std::vector<Entry>(const QString&, const QStringList&)> entriesIn;
    NameRules rules; // of the destination
};

// A name that exists as a folder, or whose raw line repeats an earlier one, is
// left to the first two reports; the third lists the other names that cannot
// be made: a character or a name the file system refuses, a name or path too
// long, a file or link of that name, or a folder that an earlier line makes.
// In a tree, a line repeats another when it gives the same path too; each
// level is checked as a name, a file or link may not hold any of them, "."
// and ".." are refused, and so are leading TABs with no line above to follow.
// A folder that an earlier line makes on its way is no fault.
PreviewReport buildPreview(const QStringList& lines, const PreviewInputs& inputs);
// The same, with earlierCopies(lines) kept by the caller.
PreviewReport buildPreview(const QStringList& lines, const std::vector<qint32>& earlier,
                           const PreviewInputs& inputs);

// The text of a warning box: the heading, CR LF, the report lines joined by
// CR LF, then how many were left out.
QString reportText(const QString& heading, const ReportLines& report);

} // namespace ramulo
