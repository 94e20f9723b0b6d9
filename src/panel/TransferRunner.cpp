#include "panel/TransferRunner.h"

#include "panel/TransferSequencer.h"

#include <QEventLoop>
#include <QTimer>

#include <optional>

TTransferResult TTransferRunner::Run(TTransferSequencer& sequencer,
                                     const std::function<bool()>& start, int limitMs)
{
    std::optional<TTransferResult> result;
    QEventLoop loop;
    const auto connection = QObject::connect(&sequencer, &TTransferSequencer::Ended, &loop,
                                             [&](const TTransferResult& ended) {
                                                 result = ended;
                                                 loop.quit();
                                             });
    const bool started = start();
    if (started && !result) {
        QTimer limit;
        if (limitMs > 0) {
            limit.setSingleShot(true);
            QObject::connect(&limit, &QTimer::timeout, &loop, [&] { sequencer.Disconnect(); });
            limit.start(limitMs);
        }
        loop.exec();
    }
    QObject::disconnect(connection);
    if (result)
        return *result;
    // Refused before anything was sent (busy, a check, the user said No).
    return {};
}
