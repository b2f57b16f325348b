#include "platform/database/schema.h"

namespace WorkbookSchema {

const QList<Step> &steps()
{
    static const QList<Step> all = {
        {1, settingsStep()},
    };
    return all;
}

QStringList settingsStep()
{
    return {
        QStringLiteral("CREATE TABLE workbook_settings ("
                       " key TEXT PRIMARY KEY NOT NULL CHECK (length(key) > 0),"
                       " value TEXT NOT NULL)"),
    };
}

} // namespace WorkbookSchema
