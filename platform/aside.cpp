#include "platform/aside.h"

#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace ramulo {

AsideDelays& asideDelays() {
    static AsideDelays delays;
    return delays;
}

namespace {
constexpr int kRunning = 1; // the loop's answer when the box has shown

// The box stays until the work ends: Escape and the close box press its
// cancel button, when it has one, and do nothing else.
class AsideBox : public QDialog {
public:
    using QDialog::QDialog;
    QPushButton* cancel = nullptr;
    void reject() override {
        if (cancel)
            cancel->click();
    }
};
} // namespace

void runAside(QWidget* window, const QString& what, const std::function<void()>& work,
              AsideProgress* progress) {
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
    if (!worker->wait(QDeadlineTimer(asideDelays().wait))) {
        AsideBox box(window);
        box.setObjectName(QStringLiteral("aside"));
        box.setWindowTitle(QStringLiteral("Ramulo"));
        box.setWindowModality(Qt::WindowModal);
        auto* column = new QVBoxLayout(&box);
        column->addWidget(new QLabel(what, &box));
        auto* bar = new QProgressBar(&box);
        // Without a progress the bar is busy: no end is known. With one it
        // counts in thousandths, whatever the total.
        bar->setRange(0, progress ? 1000 : 0);
        column->addWidget(bar);
        QTimer ticks;
        if (progress) {
            QObject::connect(&ticks, &QTimer::timeout, bar, [bar, progress] {
                const qint64 total = std::max<qint64>(progress->total, 1);
                bar->setValue(
                    static_cast<int>(std::min<qint64>(progress->done, total) * 1000 / total));
            });
            ticks.start(100);
            auto* cancel = box.cancel = new QPushButton(QStringLiteral("Annuler"), &box);
            cancel->setObjectName(QStringLiteral("cancel"));
            QObject::connect(cancel, &QPushButton::clicked, &box, [cancel, progress] {
                progress->cancelled = true;
                cancel->setEnabled(false);
            });
            column->addWidget(cancel, 0, Qt::AlignRight);
        }
        QTimer::singleShot(asideDelays().box, &box, [&] {
            box.show();
            if (progress)
                loop.exit(kRunning);
        });
        if (!worker->isFinished() && loop.exec(QEventLoop::ExcludeUserInputEvents) == kRunning &&
            !worker->isFinished())
            loop.exec(); // the box, modal over the window, takes the cancel click
        worker->wait();
    }
    if (thrown)
        std::rethrow_exception(thrown);
}

} // namespace ramulo
