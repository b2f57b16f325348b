// Feeds arbitrary bytes to the RTF reader, then writes the result and reads
// it back: neither step may crash, hang or trip the sanitizers.

#include "platform/rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts need a GUI application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    Rtf::read(input, &document);
    const QByteArray written = Rtf::write(document);

    // What the writer produced must read back to the same text, and writing
    // that again must give the same bytes.
    QTextDocument again;
    Rtf::read(written, &again);
    if (again.toPlainText() != document.toPlainText())
        std::abort();
    if (Rtf::write(again) != written)
        std::abort();
    return 0;
}
