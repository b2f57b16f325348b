#pragma once

#include <QObject>

#include <functional>

class QSessionManager;
class QSocketNotifier;

// The requests to end the program that do not come through a window's
// close box: the desktop's session manager asking to save before a logout
// (QGuiApplication::commitDataRequest), and SIGTERM or SIGHUP (kill, a
// shutdown, a closed terminal). Each is handled as closing the window is:
// the unsaved text is settled first, and the user may choose to stay.
//
// The signal handler only writes one byte to a socket pair; the work is done
// in the event loop when the socket notifier sees it.
class EndRequests : public QObject
{
    Q_OBJECT
public:
    // Settles unsaved text; mayAsk says whether the user may be asked.
    // False: the user chose to stay (the end is refused).
    using Settle = std::function<bool(bool mayAsk)>;

    EndRequests(Settle settle, std::function<void()> end, QObject *parent = nullptr);
    ~EndRequests() override;

    // Installs the handler of SIGTERM and SIGHUP (once per process); false
    // when the socket pair or the handler could not be set up.
    bool watchTerminationSignals();

    // What each request does, callable on its own.
    void handleTerminationSignal();
    // Whether the logout may go on.
    bool handleCommitData(bool mayAsk);

private:
    void onCommitDataRequest(QSessionManager &manager);

    Settle m_settle;
    std::function<void()> m_end;
    QSocketNotifier *m_notifier = nullptr;
    bool m_handling = false;
};
