#pragma once

#include <QString>
#include <QStringView>

// Numbers kept in text records are written as plain decimal digits ("5",
// "-12"; no spaces, no leading zeros) and read back leniently.

QString numberToText(qint64 value);

// Leading spaces are skipped; an optional sign and the longest run of digits,
// with at most one decimal point, form the value; whatever follows is
// ignored. Empty or non-numeric text gives 0.
double textToNumber(QStringView text);

// textToNumber() as a whole number: rounded to nearest (ties to even) and
// kept within the range of int.
int textToInteger(QStringView text);
