#include "risk/assetimport.h"

#include "risk/riskstore.h"

#include <QDir>
#include <QFile>

namespace AssetImport {

Result importFile(RiskStore &store, const QString &path)
{
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errors << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    result = parse(bytes, store.associates());
    if (!result.ok())
        return result;
    QString error;
    if (!store.addAssets(result.assets, &error)) {
        result.assets.clear();
        result.errors << error;
    }
    return result;
}

} // namespace AssetImport
