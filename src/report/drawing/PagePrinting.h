#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

#include "text/FileSave.h"

class QPainter;
class QPrinter;

namespace kinetra {

// Draws one page with a painter that has begun on the page's device.
using PagePainter = std::function<void(QPainter& painter)>;

// Writes one page as a PDF file through the program's checked save path.
Status SavePdf(const QString& path, const QPageLayout& layout, const QString& title,
               const PagePainter& paint);

// Prints one page. A printer that prints to a PDF file writes it through SavePdf, so a full disk
// is reported as for every other file.
Status PrintPage(QPrinter& printer, const QString& title, const PagePainter& paint);

} // namespace kinetra
