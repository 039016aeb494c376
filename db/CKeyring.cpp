#include "db/CKeyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("Tarvex");
// A keyring asking the user to unlock it waits for them; one that never answers does not
// hold the program for ever.
constexpr int kAnswerWaitMs = 120000;

/// Starts `job` and waits for its end; what it ended with.
CKeyring::Result Finish(QKeychain::Job& job, const std::string& key)
{
    job.setAutoDelete(false);
    job.setKey(QString::fromStdString(key));
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&loop, &finished] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kAnswerWaitMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished)
        loop.exec();
    if (!finished)
        return CKeyring::Result::Unavailable;
    switch (job.error()) {
    case QKeychain::NoError:
        return CKeyring::Result::Done;
    case QKeychain::EntryNotFound:
        return CKeyring::Result::NotFound;
    default:
        return CKeyring::Result::Unavailable;
    }
}

} // namespace

bool CKeyring::Reachable()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QStringList activatable = bus.interface()->activatableServiceNames();
    for (const QString& service :
         {QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd5"),
          QStringLiteral("org.kde.kwalletd6")}) {
        if (bus.interface()->isServiceRegistered(service) || activatable.contains(service))
            return true;
    }
    return false;
}

CKeyring::Result CKeyring::Read(const std::string& key, std::string& password)
{
    QKeychain::ReadPasswordJob job(kService);
    const Result result = Finish(job, key);
    if (result == Result::Done)
        password = job.textData().toStdString();
    return result;
}

CKeyring::Result CKeyring::Write(const std::string& key, const std::string& password)
{
    QKeychain::WritePasswordJob job(kService);
    job.setTextData(QString::fromStdString(password));
    return Finish(job, key);
}
