#include "shell/endrequests.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] written by the handler, [1] read by the notifier.
int g_signalSockets[2] = {-1, -1};

extern "C" void onTerminationSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // Only async-signal-safe calls here.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
    errno = saved;
}

} // namespace

EndRequests::EndRequests(Settle settle, std::function<void()> end, QObject *parent)
    : QObject(parent)
    , m_settle(std::move(settle))
    , m_end(std::move(end))
{
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &EndRequests::onCommitDataRequest,
                Qt::DirectConnection);
    }
}

EndRequests::~EndRequests()
{
    if (m_notifier) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGHUP, &action, nullptr);
    }
}

bool EndRequests::watchTerminationSignals()
{
    if (m_notifier)
        return true;
    if (g_signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0)
        return false;
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(g_signalSockets[1], bytes, sizeof bytes);
        handleTerminationSignal();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

void EndRequests::handleTerminationSignal()
{
    // A second signal while the question is open waits for its answer.
    if (m_handling)
        return;
    const QScopedValueRollback handling(m_handling, true);
    if (!m_settle || m_settle(true)) {
        if (m_end)
            m_end();
    }
}

bool EndRequests::handleCommitData(bool mayAsk)
{
    if (m_handling)
        return true;
    const QScopedValueRollback handling(m_handling, true);
    return !m_settle || m_settle(mayAsk);
}

void EndRequests::onCommitDataRequest(QSessionManager &manager)
{
    // Asking for interaction is what allowsInteraction() does; without it
    // the copy of the unsaved text is all that can be done.
    const bool mayAsk = manager.allowsInteraction();
    const bool goOn = handleCommitData(mayAsk);
    if (mayAsk)
        manager.release();
    if (!goOn)
        manager.cancel();
}
