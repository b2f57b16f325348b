#include "readers/richtextcopy.h"

#include "platform/services/services.h"

void copyDocumentToClipboard(QWidget *parent, const PlatformServices &services, const QByteArray &rtf)
{
    if (!services.clipboard || !services.clipboard->setRichText(rtf, QString())) {
        // Saying it was copied when it was not would mislead the user.
        services.prompt->ask(parent, Prompt::Icon::Exclamation, QStringLiteral("Copy Option"),
                             QStringLiteral("The text could not be placed on the clipboard."), Prompt::Buttons::Ok);
        return;
    }
    services.prompt->ask(parent, Prompt::Icon::Information, QStringLiteral("Copy Option"),
                         QStringLiteral("A copy has been copied to the Windows Clipboard."), Prompt::Buttons::Ok);
}
