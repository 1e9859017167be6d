#include "ArtworkDownload.h"

#include "MusicLog.h"
#include "model/Scheduler.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace zelvik::artworkDownload {

namespace {

// One transfer: owned by the caller's context, so it ends with it.
class Transfer final : public QObject {
public:
    Transfer(QObject* context, QNetworkReply* reply, Scheduler& scheduler,
             std::function<void(std::optional<QByteArray>)> done)
        : QObject(context)
        , m_reply(reply)
        , m_done(std::move(done)) {
        // Deleting a running reply aborts it.
        reply->setParent(this);
        connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
            const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > kMaxBytes)
                fail("announces more than the limit");
        });
        connect(reply, &QNetworkReply::readyRead, this, [this] {
            m_body += m_reply->readAll();
            if (m_body.size() > kMaxBytes)
                fail("passed the size limit");
        });
        connect(reply, &QNetworkReply::finished, this, &Transfer::onFinished);
        m_deadline = scheduler.after(kTimeLimit, [self = QPointer(this)] {
            if (self)
                self->fail("took too long");
        });
    }
    ~Transfer() override { m_deadline.cancel(); }

private:
    void onFinished() {
        if (!m_done)
            return;
        m_body += m_reply->readAll();
        // A server that answered gives its body whatever the status; only a
        // transfer that got no answer, or was led to a scheme we do not
        // fetch, has none.
        const bool answered =
            m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        if (!answered || !isAllowed(m_reply->url()) || m_body.size() > kMaxBytes) {
            fail("failed");
            return;
        }
        finish(std::move(m_body));
    }

    void fail(const char* why) {
        if (m_done)
            qCDebug(lcMusic) << "artwork download" << m_reply->url().toDisplayString() << why;
        finish(std::nullopt);
    }

    void finish(std::optional<QByteArray> body) {
        if (!m_done)
            return;
        auto done = std::move(m_done);
        m_done = nullptr;
        m_deadline.cancel();
        disconnect(m_reply, nullptr, this, nullptr);
        if (m_reply->isRunning())
            m_reply->abort();
        deleteLater();
        done(std::move(body));
    }

    QNetworkReply* m_reply;
    std::function<void(std::optional<QByteArray>)> m_done;
    QByteArray m_body;
    TaskHandle m_deadline;
};

} // namespace

bool isAllowed(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == u"http" || scheme == u"https";
}

void fetch(QNetworkAccessManager& network, Scheduler& scheduler, const QUrl& url, QObject* context,
           std::function<void(std::optional<QByteArray>)> done) {
    if (!isAllowed(url)) {
        qCDebug(lcMusic) << "artwork URL refused:" << url.toDisplayString();
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(std::nullopt); }, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    // Redirects stay on http and https; a redirect to https from http is
    // fine, the reverse is not.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    new Transfer(context, network.get(request), scheduler, std::move(done));
}

} // namespace zelvik::artworkDownload
