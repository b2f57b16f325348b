#include "shell/splashwindow.h"
#include "shell/version.h"

#include "platform/services/services.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

void waitTwoSeconds(Clock &clock)
{
    const int start = clock.currentTime().second();
    for (;;) {
        const int now = clock.currentTime().second();
        if ((now - start + 60) % 60 >= 2)
            return;
        QThread::msleep(20);
    }
}

SplashWindow::SplashWindow(Clock &clock, const QString &contentDir, QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , clock_(clock)
{
    setObjectName(QStringLiteral("Splash1"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);

    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap(contentDir + QStringLiteral("/splash.png")));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto *name = new QLabel(QStringLiteral("Sentrivo"), this);
    QFont nameFont(QStringLiteral("Times New Roman"), 20, QFont::Bold);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    auto *version = new QLabel(QStringLiteral("Version " SENTRIVO_VERSION), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);

    setStyleSheet(QStringLiteral("SplashWindow { background: white; border: 1px solid #123a6b; }"));
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center().x() - width() / 2, area.center().y() - height() / 2);
    }
}

void SplashWindow::showDuringStartUp()
{
    show();
    raise();
    QApplication::processEvents();
    waitTwoSeconds(clock_);
    waitTwoSeconds(clock_);
    QApplication::processEvents();
    close();
}
