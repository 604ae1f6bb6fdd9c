#include "acquire/AcquisitionRun.h"

#include "core/LumoraError.h"

namespace lumora {

AcquisitionRun::AcquisitionRun(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<lumora::ScannedPage>();
    // The flag clears on the owner's thread once the end has arrived there, after every page.
    connect(this, &AcquisitionRun::finished, this, [this] {
        join();
        running_ = false;
    });
}

AcquisitionRun::~AcquisitionRun()
{
    scanner_.cancel();
    join();
}

bool AcquisitionRun::start(const ScanRequest& request)
{
    if (running_)
        return false;
    join();
    running_ = true;
    thread_ = std::thread([this, request] {
        QString error;
        int number = 0;
        try {
            scanner_.run(
                request,
                [this](const ScannedPage& page, int index) {
                    Q_EMIT pageAcquired(page, index);
                    return true;
                },
                [this](int percent) { Q_EMIT progress(percent); });
        } catch (const LumoraError& e) {
            error = e.description();
            number = e.number();
        } catch (const std::exception& e) {
            error = QString::fromLocal8Bit(e.what());
            number = errnum::InternalError;
        }
        Q_EMIT finished(error, number);
    });
    return true;
}

void AcquisitionRun::cancel() { scanner_.cancel(); }

bool AcquisitionRun::running() const { return running_; }

void AcquisitionRun::join()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace lumora
