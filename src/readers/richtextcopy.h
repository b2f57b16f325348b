#pragma once

#include <QByteArray>

class QWidget;
struct PlatformServices;

// Places a whole document on the clipboard as rich text only (RTF, 8-bit
// Windows-1252 with escapes) and tells the user so under "Copy Option". A
// clipboard that refuses the copy is reported instead of the success.
void copyDocumentToClipboard(QWidget *parent, const PlatformServices &services, const QByteArray &rtf);
