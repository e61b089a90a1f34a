#include "platform/aside.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
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

// What is under way, over the window. The box stays until the work ends:
// Escape and the close box press its cancel button, when it has one, and do
// nothing else.
class AsideBox : public QDialog {
public:
    AsideBox(QWidget* window, const QString& what) : QDialog(window) {
        setObjectName(QStringLiteral("aside"));
        setWindowTitle(QStringLiteral("Ramulo"));
        setWindowModality(Qt::WindowModal);
        column = new QVBoxLayout(this);
        column->addWidget(new QLabel(what, this));
        bar = new QProgressBar(this);
        bar->setRange(0, 0); // busy: no end is known
        column->addWidget(bar);
    }
    QVBoxLayout* column;
    QProgressBar* bar;
    QPushButton* cancel = nullptr;
    void reject() override {
        if (cancel)
            cancel->click();
    }
};
} // namespace

void runInTurns(QWidget* window, const QString& what, const std::function<bool()>& step) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<AsideBox> box;
    while (step()) {
        if (clock.elapsed() < asideDelays().wait)
            continue;
        if (!box && clock.elapsed() >= asideDelays().box) {
            box = std::make_unique<AsideBox>(window, what);
            box->show();
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

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
        AsideBox box(window, what);
        QProgressBar* const bar = box.bar;
        QTimer ticks;
        if (progress) {
            bar->setRange(0, 1000); // in thousandths, whatever the total
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
            box.column->addWidget(cancel, 0, Qt::AlignRight);
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
