#include "platform/spreadsheet/spreadsheet.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace Spreadsheet {

namespace {

QString csvField(const QVariant &value)
{
    QString text;
    if (value.metaType().id() == QMetaType::QDate)
        text = value.toDate().toString(Qt::ISODate);
    else
        text = value.toString();
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QByteArray csvLine(const QVariantList &cells)
{
    QStringList fields;
    fields.reserve(cells.size());
    for (const QVariant &cell : cells)
        fields << csvField(cell);
    return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

bool isNumber(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

QString sheetName(const QString &name)
{
    QString cleaned;
    for (const QChar c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            cleaned += QLatin1Char(' ');
        else
            cleaned += c;
    }
    cleaned = cleaned.trimmed().left(31);
    return cleaned.isEmpty() ? QStringLiteral("Sheet") : cleaned;
}

QByteArray csvBytes(const SpreadsheetTable &table)
{
    QByteArray bytes("\xEF\xBB\xBF");
    QVariantList header;
    for (const QString &title : table.header)
        header << title;
    bytes += csvLine(header);
    for (const QVariantList &row : table.rows)
        bytes += csvLine(row);
    return bytes;
}

QByteArray xlsxBytes(const QList<SpreadsheetTable> &tables, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QByteArray();
    };
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("no temporary folder could be made"));
    const QByteArray path = QFile::encodeName(scratch.filePath(QStringLiteral("out.xlsx")));

    lxw_workbook_options options = {};
    options.constant_memory = LXW_FALSE;
    const QByteArray tmpdir = QFile::encodeName(scratch.path());
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *book = workbook_new_opt(path.constData(), &options);
    if (!book)
        return fail(QStringLiteral("the spreadsheet could not be started"));

    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "yyyy-mm-dd");

    QStringList usedNames;
    for (const SpreadsheetTable &table : tables) {
        QString name = sheetName(table.name);
        for (int n = 2; usedNames.contains(name, Qt::CaseInsensitive); ++n)
            name = sheetName(table.name).left(28) + QStringLiteral(" %1").arg(n);
        usedNames << name;
        const QByteArray sheetUtf8 = name.toUtf8();
        lxw_worksheet *sheet = workbook_add_worksheet(book, sheetUtf8.constData());
        if (!sheet) {
            workbook_close(book);
            return fail(QStringLiteral("the sheet \"%1\" could not be added").arg(name));
        }
        for (int c = 0; c < table.header.size(); ++c)
            worksheet_write_string(sheet, 0, lxw_col_t(c), table.header.at(c).toUtf8().constData(), bold);
        for (int r = 0; r < table.rows.size(); ++r) {
            const QVariantList &row = table.rows.at(r);
            const lxw_row_t xr = lxw_row_t(r + 1);
            for (int c = 0; c < row.size(); ++c) {
                const QVariant &cell = row.at(c);
                const lxw_col_t xc = lxw_col_t(c);
                if (!cell.isValid() || cell.isNull()) {
                    continue;
                } else if (cell.metaType().id() == QMetaType::QDate) {
                    const QDate d = cell.toDate();
                    if (!d.isValid())
                        continue;
                    lxw_datetime when = {d.year(), d.month(), d.day(), 0, 0, 0.0};
                    worksheet_write_datetime(sheet, xr, xc, &when, dateFormat);
                } else if (cell.metaType().id() == QMetaType::Bool) {
                    worksheet_write_boolean(sheet, xr, xc, cell.toBool(), nullptr);
                } else if (isNumber(cell)) {
                    worksheet_write_number(sheet, xr, xc, cell.toDouble(), nullptr);
                } else {
                    worksheet_write_string(sheet, xr, xc, cell.toString().toUtf8().constData(), nullptr);
                }
            }
        }
        if (!table.header.isEmpty())
            worksheet_freeze_panes(sheet, 1, 0);
    }
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        return fail(QStringLiteral("the spreadsheet could not be written (%1)")
                        .arg(QString::fromUtf8(lxw_strerror(result))));
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    return file.readAll();
}

} // namespace Spreadsheet
