#pragma once

#include <QDialog>

class Clock;

// Waits until the clock's seconds have advanced by two from when it started,
// counting across the minute (58 -> 0 is an advance of two). Lasts between one
// and two seconds on a real clock. It polls without serving other windows,
// but sleeps between readings rather than spinning the processor.
void waitTwoSeconds(Clock &clock);

// The splash shown once per run while the program starts: product name and
// version over the program's artwork.
class SplashWindow : public QDialog
{
    Q_OBJECT
public:
    SplashWindow(Clock &clock, const QString &contentDir, QWidget *parent = nullptr);

    // Shows the splash, lets it paint, waits twice two seconds and closes it.
    // Start-up goes on only afterwards; no other window is served meanwhile.
    void showDuringStartUp();

private:
    Clock &clock_;
};
