#pragma once

#include "platform/services/services.h"

#include <functional>

class MainScreen;
class PrintServices;
class QWidget;
struct ProgramContext;

// The main screens by the index of their screen button.
namespace ScreenIndex {
constexpr int ActionArea = 0;
constexpr int InformationAdvisor = 1;
constexpr int SecurityRule = 2;
constexpr int Miscellaneous = 3;
constexpr int ExitProgram = 4;
constexpr int Count = 5;
} // namespace ScreenIndex

// What every main screen of one run shares: the program-wide values, the
// platform services, the pending switch and the ways to end the program.
struct ScreenEnvironment
{
    ProgramContext *context = nullptr;
    PlatformServices services;
    // The page-setup and print dialogs and the page clipboard of the print
    // panels.
    std::shared_ptr<PrintServices> printServices;
    // Shows the modal About box over the given window.
    std::function<void(QWidget *)> showAbout;
    // Ends the run (the application's event loop by default).
    std::function<void()> endProgram;
    // Set by the Action Area while it is open: settles its unsaved text
    // before the desktop or a signal ends the program (mayAsk: whether the
    // user may be asked). False when the user chose to stay.
    std::function<bool(bool mayAsk)> settleBeforeEnd;
    // Opens the backup utility modally over a window, in restore mode when
    // `restore` is true; returns true when a restore replaced the workbook's
    // files. The entries of "Utilities" stay disabled while it is unset.
    std::function<bool(QWidget *parent, bool restore)> openBackupUtility;
    // Opens the search over the given screen ("Searc&h Everything...",
    // Ctrl+Shift+F); the entry is disabled while it is unset.
    std::function<void(MainScreen *from)> openSearch;
    // The screen to open next: 0 none (or the Action Area), 1-3 a screen,
    // 4 exit. It equals the index of the screen button last pressed.
    int pendingSwitch = 0;
    // Opens main screen `index` (1-3) over the hub, which it covers and hands
    // back to when it is left. Whoever starts the run fills it in, so the
    // screens never need to know each other.
    std::function<MainScreen *(ScreenEnvironment &, int index, MainScreen *hub)> openScreen;

    // Opens screen `index` through openScreen; nullptr when none is set.
    MainScreen *open(int index, MainScreen *hub)
    {
        return openScreen ? openScreen(*this, index, hub) : nullptr;
    }
};
