#include "xlsxreportwriter.h"

#include "reportcontent.h"
#include "reportfile.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace
{

// Where an item goes: its caption in (row, column), its value one column to
// the right; rows and columns counted from 0.
struct Placement {
    const ReportItem ReportContent::*item;
    lxw_row_t row;
    lxw_col_t column;
};

const Placement commonCells[] = {
    {&ReportContent::model, 1, 0},      {&ReportContent::sensor, 1, 2},
    {&ReportContent::poleHeight, 1, 6}, {&ReportContent::focalLength, 2, 0},
    {&ReportContent::pitch, 2, 2},      {&ReportContent::resolution, 3, 0},
};

const Placement personCells[] = {
    {&ReportContent::targetHeight, 1, 4},   {&ReportContent::minPixels, 2, 4},
    {&ReportContent::maxPixels, 2, 6},      {&ReportContent::detectionWidth, 4, 0},
    {&ReportContent::detectionRange, 4, 2}, {&ReportContent::nearEdge, 4, 4},
};

const Placement laneCells[] = {
    {&ReportContent::installMode, 1, 4},     {&ReportContent::plateType, 4, 6},
    {&ReportContent::horizontalAngle, 2, 4}, {&ReportContent::minPixels, 2, 6},
    {&ReportContent::maxPixels, 3, 6},       {&ReportContent::lanesNum, 3, 2},
    {&ReportContent::lanesWidth, 3, 4},      {&ReportContent::detectionWidth, 4, 0},
    {&ReportContent::detectionRange, 4, 2},  {&ReportContent::nearEdge, 4, 4},
};

const Placement captureCells[] = {
    {&ReportContent::targetHeight, 1, 4},    {&ReportContent::pictureWidth, 2, 4},
    {&ReportContent::captureDistance, 2, 6}, {&ReportContent::platePixels, 3, 2},
    {&ReportContent::farEdge, 3, 4},         {&ReportContent::vehiclePixels, 3, 6},
    {&ReportContent::plateType, 4, 0},       {&ReportContent::facePixels, 4, 2},
    {&ReportContent::nearEdge, 4, 4},        {&ReportContent::personPixels, 4, 6},
};

// Excel's column widths in characters, column by column (0 is A). The library
// adds Excel's cell padding, so the sheet shows exactly these numbers.
const struct {
    lxw_col_t column;
    double width;
} columnWidths[] = {{0, 35}, {2, 35}, {4, 70}, {6, 35}, {1, 30}, {3, 20}, {5, 20}, {7, 25}};

constexpr lxw_row_t WarningRow = 5;
constexpr lxw_row_t SummaryHeaderRow = 4;
constexpr double SummaryWidth = 32;
// What a sheet's name may hold: at most 31 characters, none of these.
constexpr int SheetNameLength = 31;
const char *const SheetNameForbidden = "[]:*?/\\";
constexpr lxw_row_t PictureRow = 6;
// The rightmost column any table writes to (H).
constexpr lxw_col_t LastTableColumn = 7;
// How Excel turns widths into screen pixels: a character is the widest digit
// of the default font, a column adds padding, and a row is 20 pixels high.
constexpr double DigitPixels = 7.0;
constexpr int ColumnPadding = 5;
constexpr int DefaultColumnPixels = 64;
constexpr int RowPixels = 20;
constexpr uint8_t PaperA4 = 9;
// The library reads a PNG's resolution as its pixels per metre times this.
constexpr double InchesPerMetre = 0.0254;
constexpr double LibraryDpi = 96.0;
constexpr int PictureDotsPerMetre = 3780;
constexpr int PngQuality = 80;

// Keeps the first failure of a chain of library calls.
class Sheet final
{
public:
    // A null name takes the library's next "SheetN".
    Sheet(lxw_workbook *book, const char *name)
        : m_sheet(workbook_add_worksheet(book, name)), m_title(workbook_add_format(book)),
          m_caption(workbook_add_format(book)), m_value(workbook_add_format(book)),
          m_warning(workbook_add_format(book)), m_cell(workbook_add_format(book))
    {
        if (!m_sheet || !m_title || !m_caption || !m_value || !m_warning || !m_cell) {
            m_error = LXW_ERROR_MEMORY_MALLOC_FAILED;
            return;
        }
        format_set_align(m_title, LXW_ALIGN_CENTER);
        format_set_align(m_caption, LXW_ALIGN_LEFT);
        format_set_pattern(m_caption, LXW_PATTERN_SOLID);
        format_set_bg_color(m_caption, 0x6495ED);
        format_set_border(m_caption, LXW_BORDER_THIN);
        format_set_align(m_value, LXW_ALIGN_LEFT);
        format_set_border(m_value, LXW_BORDER_THIN);
        format_set_align(m_warning, LXW_ALIGN_LEFT);
        format_set_bold(m_warning);
        format_set_align(m_cell, LXW_ALIGN_LEFT);
        format_set_align(m_cell, LXW_ALIGN_VERTICAL_TOP);
        format_set_text_wrap(m_cell);
        format_set_border(m_cell, LXW_BORDER_THIN);
    }

    lxw_error error() const { return m_error; }

    void setColumnWidths()
    {
        for (const auto &c : columnWidths)
            check(worksheet_set_column(m_sheet, c.column, c.column, c.width, nullptr));
    }

    void writeTitle(const QString &title, lxw_col_t lastColumn)
    {
        if (m_error != LXW_NO_ERROR)
            return;
        const QByteArray text = title.toUtf8();
        if (lastColumn > 0)
            check(worksheet_merge_range(m_sheet, 0, 0, 0, lastColumn, text.constData(), m_title));
        else
            writeText(0, 0, title, m_title);
    }

    template <std::size_t N> void place(const ReportContent &content, const Placement (&cells)[N])
    {
        for (const Placement &p : cells) {
            const ReportItem &item = content.*p.item;
            writeText(p.row, p.column, item.caption, m_caption);
            const double number = item.value.toDouble();
            // A number Excel cannot store is kept as the text the user saw.
            if (item.isNumber() && std::isfinite(number)) {
                if (m_error == LXW_NO_ERROR)
                    check(worksheet_write_number(m_sheet, p.row, p.column + 1, number, m_value));
            } else {
                writeText(p.row, p.column + 1, item.text(), m_value);
            }
        }
    }

    // Left empty between the table and the picture otherwise.
    void writeWarning(const QString &warning)
    {
        if (!warning.isEmpty())
            writeText(WarningRow, 0, warning, m_warning);
    }

    // The whole sheet, title to the picture's far corner, prints on one A4
    // page, turned the way the sheet is wider.
    void setPrintPage(lxw_col_t titleColumns, const QSize &picture)
    {
        if (m_error != LXW_NO_ERROR)
            return;
        const lxw_col_t tableColumns = std::max(titleColumns, LastTableColumn);
        lxw_col_t lastColumn = 0;
        double width = 0;
        for (lxw_col_t column = 0; column < LXW_COL_MAX; ++column) {
            width += columnPixels(column);
            lastColumn = column;
            if (column >= tableColumns && width >= picture.width())
                break;
        }
        lxw_row_t lastRow = PictureRow - 1;
        if (picture.height() > 0) {
            const lxw_row_t rows = (picture.height() + RowPixels - 1) / RowPixels;
            lastRow = std::min<lxw_row_t>(PictureRow + rows, LXW_ROW_MAX) - 1;
        }
        const double height = (lastRow + 1.0) * RowPixels;

        if (width > height)
            worksheet_set_landscape(m_sheet);
        else
            worksheet_set_portrait(m_sheet);
        worksheet_set_paper(m_sheet, PaperA4);
        worksheet_fit_to_pages(m_sheet, 1, 1);
        check(worksheet_print_area(m_sheet, 0, 0, lastRow, lastColumn));
    }

    // The site's summary: title, name and note above a table with a shaded
    // header row and one wrapped row per pole.
    void writeSummary(const SiteReportContent &site)
    {
        const auto columns = static_cast<lxw_col_t>(std::max<int>(site.columns.size(), 1));
        for (lxw_col_t column = 0; column < columns; ++column)
            check(worksheet_set_column(m_sheet, column, column, SummaryWidth, nullptr));
        writeTitle(site.title, columns - 1);
        writeText(1, 0, site.siteName, m_warning);
        writeText(2, 0, site.siteNote, nullptr);
        for (int c = 0; c < site.columns.size(); ++c)
            writeText(SummaryHeaderRow, lxw_col_t(c), site.columns.at(c), m_caption);
        for (int r = 0; r < site.rows.size(); ++r) {
            const QStringList &row = site.rows.at(r);
            for (int c = 0; c < row.size(); ++c)
                writeText(SummaryHeaderRow + 1 + lxw_row_t(r), lxw_col_t(c), row.at(c), m_cell);
        }
        if (m_error == LXW_NO_ERROR) {
            worksheet_set_landscape(m_sheet);
            worksheet_set_paper(m_sheet, PaperA4);
            worksheet_fit_to_pages(m_sheet, 1, 0);
        }
    }

    void insertPicture(const QImage &picture)
    {
        if (m_error != LXW_NO_ERROR || picture.isNull())
            return;
        QImage image = picture;
        image.setDotsPerMeterX(PictureDotsPerMetre);
        image.setDotsPerMeterY(PictureDotsPerMetre);
        QBuffer buffer(&m_png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter png(&buffer, "png");
        // Qt turns this quality into zlib's fastest level: a third of the
        // time of its default for a tenth more bytes.
        png.setQuality(PngQuality);
        if (!png.write(image)) {
            m_error = LXW_ERROR_IMAGE_DIMENSIONS;
            return;
        }
        // The library shrinks a picture by 96 over its resolution; undoing
        // that keeps one picture pixel on one screen pixel.
        lxw_image_options options{};
        options.x_scale = PictureDotsPerMetre * InchesPerMetre / LibraryDpi;
        options.y_scale = options.x_scale;
        check(worksheet_insert_image_buffer_opt(
            m_sheet, PictureRow, 0, reinterpret_cast<const unsigned char *>(m_png.constData()),
            static_cast<size_t>(m_png.size()), &options));
    }

private:
    static int columnPixels(lxw_col_t column)
    {
        for (const auto &c : columnWidths) {
            if (c.column == column)
                return static_cast<int>(c.width * DigitPixels + 0.5) + ColumnPadding;
        }
        return DefaultColumnPixels;
    }

    void writeText(lxw_row_t row, lxw_col_t column, const QString &text, lxw_format *format)
    {
        if (m_error != LXW_NO_ERROR)
            return;
        if (text.isEmpty()) {
            check(worksheet_write_blank(m_sheet, row, column, format));
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        check(worksheet_write_string(m_sheet, row, column, utf8.constData(), format));
    }

    void check(lxw_error error)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }

    lxw_worksheet *m_sheet;
    lxw_format *m_title;
    lxw_format *m_caption;
    lxw_format *m_value;
    lxw_format *m_warning;
    lxw_format *m_cell;
    // The library reads the picture only when the workbook is closed.
    QByteArray m_png;
    lxw_error m_error = LXW_NO_ERROR;
};

QString libraryError(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

bool isFileError(lxw_error error)
{
    return error == LXW_ERROR_CREATING_TMPFILE || error == LXW_ERROR_ZIP_FILE_OPERATION ||
           error == LXW_ERROR_ZIP_FILE_ADD || error == LXW_ERROR_ZIP_CLOSE;
}

// The name a sheet may carry in a workbook: without the characters Excel
// forbids, at most 31 characters, not blank and not one taken already, in
// any letter case.
QByteArray sheetName(const QString &wanted, QStringList *taken)
{
    QString base;
    for (const QChar c : wanted) {
        if (!QLatin1String(SheetNameForbidden).contains(c) && c.isPrint())
            base += c;
    }
    base = base.trimmed();
    while (base.startsWith(QLatin1Char('\'')))
        base.remove(0, 1);
    while (base.endsWith(QLatin1Char('\'')))
        base.chop(1);
    if (base.isEmpty() || base.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        base = QStringLiteral("Sheet%1").arg(taken->size() + 1);
    base.truncate(SheetNameLength);
    QString name = base;
    for (int n = 2; taken->contains(name, Qt::CaseInsensitive); ++n) {
        const QString number = QStringLiteral(" (%1)").arg(n);
        name = base.left(SheetNameLength - number.size()) + number;
    }
    taken->append(name);
    return name.toUtf8();
}

// One report on its sheet, laid out for its scenario.
void fillReport(Sheet &sheet, const ReportContent &content)
{
    sheet.setColumnWidths();
    // The title spans the columns the scenario's table fills.
    const lxw_col_t titleColumns =
        content.scenario == 2 ? 9 : (content.scenario == 1 || content.scenario == 3 ? 7 : 0);
    sheet.writeTitle(content.title, titleColumns);
    sheet.place(content, commonCells);
    if (content.scenario == 1)
        sheet.place(content, personCells);
    else if (content.scenario == 2)
        sheet.place(content, laneCells);
    else if (content.scenario == 3)
        sheet.place(content, captureCells);
    sheet.writeWarning(content.warning);
    const QImage picture = content.flatPicture();
    sheet.setPrintPage(titleColumns, picture.size());
    sheet.insertPicture(picture);
}

// Adds the sheets of a workbook; they live until the workbook is closed,
// which reads their pictures.
using Sheets = std::vector<std::unique_ptr<Sheet>>;
using Fill = std::function<void(lxw_workbook *book, Sheets *sheets)>;

bool writeBook(const QString &fileName, const QString &bookTitle, const Fill &fill,
               QString *errorString)
{
    errorString->clear();
    // The library writes only to a named file; it gets a private one, whose
    // bytes then go to the report.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/fenwarde-report-XXXXXX.xlsx"));
    if (!scratch.open()) {
        *errorString = QStringLiteral("cannot create a temporary file for %1: %2")
                           .arg(fileName, scratch.errorString());
        return false;
    }
    const QByteArray scratchName = QFile::encodeName(scratch.fileName());

    lxw_workbook *book = workbook_new(scratchName.constData());
    if (!book) {
        *errorString = QStringLiteral("cannot start the workbook for %1").arg(fileName);
        return false;
    }
    // The library copies the texts of the properties.
    const QByteArray title = bookTitle.toUtf8();
    const QByteArray creator = reportCreator().toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char *>(title.constData());
    properties.author = const_cast<char *>(creator.constData());
    // A creation time of 0 stands for the time the workbook is written.
    lxw_error error = workbook_set_properties(book, &properties);
    int systemError = 0;
    {
        Sheets sheets;
        fill(book, &sheets);
        for (const auto &sheet : sheets) {
            if (error == LXW_NO_ERROR)
                error = sheet->error();
        }
        // Closing also frees the workbook, so it runs even after a failure.
        errno = 0;
        const lxw_error closed = workbook_close(book);
        systemError = errno;
        if (error == LXW_NO_ERROR)
            error = closed;
    }
    if (error != LXW_NO_ERROR) {
        QString reason = libraryError(error);
        // The library names only its own error; a full disk under the
        // scratch file is known by the system's.
        if (isFileError(error) && systemError != 0)
            reason += QStringLiteral(" (%1)").arg(qt_error_string(systemError));
        *errorString = QStringLiteral("cannot write the workbook %1: %2").arg(fileName, reason);
        return false;
    }

    const QByteArray bytes = scratch.readAll();
    if (scratch.error() != QFileDevice::NoError || bytes.isEmpty()) {
        *errorString = QStringLiteral("cannot read back the workbook for %1: %2")
                           .arg(fileName, scratch.errorString());
        return false;
    }
    return writeReportFile(fileName, bytes, errorString);
}

} // namespace

bool XlsxReportWriter::write(const ReportContent &content, const QString &fileName)
{
    const Fill fill = [&content](lxw_workbook *book, Sheets *sheets) {
        sheets->push_back(std::make_unique<Sheet>(book, nullptr));
        fillReport(*sheets->back(), content);
    };
    return writeBook(fileName, content.title, fill, &m_errorString);
}

bool XlsxReportWriter::write(const SiteReportContent &site, const QString &fileName)
{
    const Fill fill = [&site](lxw_workbook *book, Sheets *sheets) {
        QStringList taken;
        sheets->push_back(
            std::make_unique<Sheet>(book, sheetName(site.summaryName, &taken).constData()));
        sheets->back()->writeSummary(site);
        for (int i = 0; i < site.poles.size(); ++i) {
            const QByteArray name = sheetName(site.poleNames.value(i), &taken);
            sheets->push_back(std::make_unique<Sheet>(book, name.constData()));
            fillReport(*sheets->back(), site.poles.at(i));
        }
    };
    return writeBook(fileName, site.title, fill, &m_errorString);
}
