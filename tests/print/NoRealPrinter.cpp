// Linked into every test program that can print. Tests never reach the machine's printers:
// unless scripts/test-cups.sh names the queue of its private server, CUPS is pointed at a
// server that does not exist (no queue, no default) before anything asks it, whatever queues
// the machine has. The default-queue variables go as well.
#include <QByteArray>
#include <QtGlobal>

namespace {

const bool NoRealPrinter = [] {
    if (qEnvironmentVariableIsEmpty("ZOL_CUPS_QUEUE"))
        qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/zol-tests/cups.sock"));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    return true;
}();

} // namespace
