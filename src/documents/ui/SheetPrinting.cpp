#include "documents/ui/SheetPrinting.h"

#include "documents/SheetLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace vexa {

namespace {

constexpr double PointsPerInch = 72.0;

QString ShownText(const std::string& winAnsi) {
    QString text;
    text.reserve(static_cast<qsizetype>(winAnsi.size()));
    for (const char code : winAnsi)
        text += QChar(static_cast<char16_t>(UnicodeOfWinAnsi(code)));
    return text;
}

// Draws one page; `scale` turns points into the printer's pixels.
void PaintPage(QPainter& painter, const SheetPage& page, double scale) {
    for (const PlacedShade& shade : page.shades)
        painter.fillRect(QRectF(shade.x * scale, shade.y * scale, shade.width * scale, shade.height * scale),
                         QColor(224, 224, 224));
    painter.setPen(QPen(QColor(153, 153, 153), 0.5 * scale));
    for (const PlacedLine& line : page.lines)
        painter.drawLine(QPointF(line.x1 * scale, line.y1 * scale), QPointF(line.x2 * scale, line.y2 * scale));
    painter.setPen(Qt::black);
    for (const PlacedText& placed : page.texts) {
        QFont font(QStringLiteral("Helvetica"));
        font.setPointSizeF(placed.size);
        font.setBold(placed.font == SheetFont::Bold);
        painter.setFont(font);
        const QString text = ShownText(placed.text);
        // The system's face for Helvetica may run wider than Helvetica itself: such a line is
        // narrowed to the width the layout gave it, so that it keeps within its column.
        const double planned = TextWidth(placed.text, placed.font, placed.size) * scale;
        const double drawn = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
        painter.save();
        painter.translate(placed.x * scale, placed.baseline * scale);
        if (drawn > planned && drawn > 0)
            painter.scale(planned / drawn, 1.0);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
}

} // namespace

int PrintSheet(QPrinter& printer, const SheetDocument& sheet) {
    printer.setFullPage(true); // the layout measures from the paper's corner
    const QSizeF paper = printer.pageLayout().fullRectPoints().size();
    const PageGeometry geometry = PageWithMargins(paper.width(), paper.height());
    const std::vector<SheetPage> pages = LayOutSheet(sheet, geometry);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const double scale = printer.resolution() / PointsPerInch;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        PaintPage(painter, pages[i], scale);
    }
    painter.end();
    return static_cast<int>(pages.size());
}

bool PrintSheetWithDialog(const SheetDocument& sheet, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(sheet.title));
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrintSheet"));
    dialog.setWindowTitle(QStringLiteral("Print Sheet"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrintSheet(printer, sheet);
    return true;
}

} // namespace vexa
