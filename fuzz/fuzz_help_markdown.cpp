// A help page's Markdown read from arbitrary bytes, as the help window reads
// it (QTextDocument's Markdown reader, then laid out for the window).
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts need a GUI application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    document.setMarkdown(page);
    document.setTextWidth(600);
    (void)document.size();
    (void)document.toPlainText();
    return 0;
}
