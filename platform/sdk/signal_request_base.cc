#include "platform/sdk/signal_request_base.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QUrl>

#include "platform/base/log.h"
#include "platform/sdk/environment.h"
#include "platform/util/time.h"

namespace VELMO_CGI {

namespace {

std::atomic<int> g_in_flight{0};
std::atomic<uint64_t> g_network_sends{0};

// Lives on the main thread, so replies complete there; parented to the application so it goes
// with it, and a later application gets a fresh one.
QNetworkAccessManager* Manager() {
  static QPointer<QNetworkAccessManager> manager;
  if (!manager) manager = new QNetworkAccessManager(QCoreApplication::instance());
  return manager;
}

bool OnMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

bool IsKnownMethod(int method) {
  return method == VelmoSignalRequestBase::kGet || method == VelmoSignalRequestBase::kPut ||
         method == VelmoSignalRequestBase::kPost || method == VelmoSignalRequestBase::kDelete;
}

// Messages are fixed texts (no host or port) so that logs that carry them stay reproducible.
CgiResult ResultFromReply(QNetworkReply* reply, bool timed_out) {
  CgiResult result;
  if (timed_out) {
    result.status_code = kStatusTimedOut;
    result.msg = "request timed out";
    return result;
  }
  // Errors below the content range mean the answer did not arrive whole, whatever status line
  // came before the connection broke.
  const QNetworkReply::NetworkError error = reply->error();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if ((error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied) ||
      !status.isValid()) {
    result.status_code = kStatusConnectionFailed;
    result.msg = "connection failed";
    return result;
  }
  result.status_code = status.toInt();
  const QByteArray body = reply->readAll();
  const bool envelope = VelmoSignalRequestBase::ParseEnvelope(
      std::string_view(body.constData(), static_cast<size_t>(body.size())), &result);
  result.success = result.status_code == 200 && envelope;
  if (!envelope) {
    result.msg = result.status_code == 200 ? "response is not a JSON envelope"
                                           : "http status " + std::to_string(result.status_code);
  }
  return result;
}

}  // namespace

// Holds the request while it is in flight and completes it at most once. Dropped unrun (the
// reply or the posted completion died with the application) it tells the request so.
class VelmoSignalRequestBase::InFlight {
 public:
  explicit InFlight(std::shared_ptr<VelmoSignalRequestBase> request)
      : request_(std::move(request)) {
    g_in_flight.fetch_add(1);
  }
  ~InFlight() {
    if (!request_) return;
    request_->OnAbandoned();
    g_in_flight.fetch_sub(1);
  }
  InFlight(const InFlight&) = delete;
  InFlight& operator=(const InFlight&) = delete;

  void Complete(const CgiResult& result) {
    std::shared_ptr<VelmoSignalRequestBase> request = std::move(request_);
    if (!request) return;
    if (!result.success) {
      const QUrl url(QString::fromStdString(request->url_));
      VLOG(3) << "[signal request] " << url.path().toStdString() << " failed: status "
              << result.status_code << ", " << result.msg;
    }
    request->HandleBizResponse(result);
    g_in_flight.fetch_sub(1);
  }

  bool timed_out = false;

 private:
  std::shared_ptr<VelmoSignalRequestBase> request_;
};

VelmoSignalRequestBase::~VelmoSignalRequestBase() = default;

int VelmoSignalRequestBase::InFlightCount() { return g_in_flight.load(); }

uint64_t VelmoSignalRequestBase::NetworkSendCount() { return g_network_sends.load(); }

bool VelmoSignalRequestBase::ParseEnvelope(std::string_view body, CgiResult* out) {
  if (!out) return false;
  base::json::JsonValue envelope;
  if (!base::json::JsonValue::Parse(body, &envelope) || !envelope.IsObject()) return false;
  const base::json::JsonValue biz_code = envelope["biz_code"];
  out->biz_code = biz_code.IsInteger() ? biz_code.AsInt64() : -1;
  out->msg = envelope["msg"].AsString();
  out->request_id = envelope["request_id"].AsString();
  out->data = envelope["data"];
  return true;
}

void VelmoSignalRequestBase::Send() {
  std::shared_ptr<VelmoSignalRequestBase> self = weak_from_this().lock();
  if (!self) {
    VLOG(1) << "[signal request] a request must be shared-owned to be sent";
    return;
  }
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) {
    VLOG(1) << "[signal request] no application to complete the request on";
    return;
  }
  if (sent_.exchange(true)) {
    VLOG(1) << "[signal request] a request is sent only once";
    return;
  }
  auto flight = std::make_shared<InFlight>(std::move(self));
  if (OnMainThread()) {
    SendOnMainThread(std::move(flight));
  } else {
    QMetaObject::invokeMethod(
        app, [this, flight] { SendOnMainThread(flight); }, Qt::QueuedConnection);
  }
}

void VelmoSignalRequestBase::SendOnMainThread(std::shared_ptr<InFlight> flight) {
  const QUrl url(QString::fromStdString(url_), QUrl::StrictMode);
  const bool http = url.scheme() == "http" || url.scheme() == "https";
  if (!url.isValid() || !http || url.host().isEmpty() || !IsKnownMethod(method_)) {
    CgiResult result;
    result.status_code = kStatusInvalidRequest;
    result.msg = "invalid request";
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [flight, result] { flight->Complete(result); },
        Qt::QueuedConnection);
    return;
  }

  QNetworkRequest request(url);
  if (with_token_) {
    request.setRawHeader("Authorization",
                         "Bearer " + QByteArray::fromStdString(
                                         velmosdk::utils::environment::GetAccountToken()));
  }
  if (subscribe_token_ != 0) {
    request.setRawHeader("X-Velmo-Subscribe-Token",
                         QByteArray::number(static_cast<qulonglong>(subscribe_token_)));
  }
  const QByteArray body = QByteArray::fromStdString(body_);
  QNetworkAccessManager* manager = Manager();
  g_network_sends.fetch_add(1);
  QNetworkReply* reply = nullptr;
  switch (method_) {
    case kPost:
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
      reply = manager->post(request, body);
      break;
    case kPut:
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
      reply = manager->put(request, body);
      break;
    case kDelete:
      reply = manager->deleteResource(request);
      break;
    default:
      reply = manager->get(request);
      break;
  }

  // The time-out runs on the platform clock, so a host that drives time itself (the headless
  // simulator) decides when a slow answer times out. The reply may be gone when it fires.
  QPointer<QNetworkReply> guarded(reply);
  std::shared_ptr<util::time::ClockTimer> timer =
      util::time::GetClock().CreateTimer([guarded, flight] {
        if (!guarded) return;
        flight->timed_out = true;
        guarded->abort();  // finishes the reply at once
      });
  // The connection ends with the reply, and the timer with the connection.
  QObject::connect(reply, &QNetworkReply::finished, reply, [reply, timer, flight] {
    timer->Stop();
    const CgiResult result = ResultFromReply(reply, flight->timed_out);
    reply->deleteLater();
    flight->Complete(result);
  });
  timer->Start(static_cast<uint32_t>(velmosdk::utils::environment::GetRequestTimeoutMs()), false);
}

}  // namespace VELMO_CGI
