#pragma once

#include <QObject>
#include <QString>

// Installed on the application in a read-only run: the caption of every
// main window ends in " (read-only)", whatever the window sets it to.
class ReadOnlyCaptions : public QObject
{
    Q_OBJECT
public:
    static inline const QString kSuffix = QStringLiteral(" (read-only)");
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
