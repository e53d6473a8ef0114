#pragma once
// Reports written to files the user names: checked before and while writing, so a report never
// lands on a database or a file the books use, and a write that failed never reads as done.
#include "reportkit/Page.h"

#include <QString>
#include <functional>

namespace rk {

// Why a report may not be written to `path` (a database, or a file the registry or a firm
// uses), or an empty text.
QString OutputFileProblem(const QString &path);

// Pages 0..count-1 as a PDF file, and a report's text as UTF-8. Each throws MyException with the
// reason when the file is refused or was not written whole; an existing file is then left as it
// was. A device such as /dev/stdout is written in place.
void SavePdf(const QString &path, int count, const std::function<Page(int)> &pageAt);
void SaveText(const QString &path, const QString &text);
// Bytes as they are (a file for the tax authority in its own code page), with the same checks.
void SaveBytes(const QString &path, const QByteArray &bytes);

}  // namespace rk
