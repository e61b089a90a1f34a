#include "platform/aside.h"

#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace ramulo {

void runAside(QWidget* window, const QString& what, const std::function<void()>& work) {
    std::exception_ptr thrown;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            thrown = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    worker->start();
    // Work of a tenth of a second is not worth a turn of the event loop.
    if (!worker->wait(QDeadlineTimer(100))) {
        QDialog box(window);
        box.setObjectName(QStringLiteral("aside"));
        box.setWindowTitle(QStringLiteral("Ramulo"));
        box.setWindowModality(Qt::WindowModal);
        auto* column = new QVBoxLayout(&box);
        column->addWidget(new QLabel(what, &box));
        auto* bar = new QProgressBar(&box);
        bar->setRange(0, 0); // busy: no end is known
        column->addWidget(bar);
        QTimer::singleShot(400, &box, [&box] { box.show(); });
        if (!worker->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        worker->wait();
    }
    if (thrown)
        std::rethrow_exception(thrown);
}

} // namespace ramulo
