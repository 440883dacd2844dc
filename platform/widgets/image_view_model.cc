#include "platform/widgets/image_view_model.h"

#include <map>
#include <vector>

#include <QCache>
#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include "platform/base/log.h"
#include "platform/framework/module_service.h"

namespace velmo_widgets {

namespace {
constexpr int kCacheBytes = 16 * 1024 * 1024;
constexpr int kTransferTimeoutMs = 15000;
}  // namespace

// One request per URL however many views wait for it; every waiter hears the result.
class ImageFetcher {
 public:
  static ImageFetcher& Get() {
    static ImageFetcher* fetcher = new ImageFetcher();
    return *fetcher;
  }

  QCache<QString, QByteArray>& cache() { return cache_; }

  void Fetch(const QString& url, std::weak_ptr<ImageViewModel> waiter) {
    auto it = waiting_.find(url);
    if (it != waiting_.end()) {
      it->second.push_back(std::move(waiter));
      return;
    }
    waiting_[url].push_back(std::move(waiter));
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply* reply = Network()->get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, url, reply] {
      reply->deleteLater();
      const bool ok = reply->error() == QNetworkReply::NoError;
      const QByteArray bytes = ok ? reply->readAll() : QByteArray();
      if (ok) {
        cache_.insert(url, new QByteArray(bytes), qMax(1, bytes.size()));
      } else {
        VLOG(3) << "[image] fetch failed: " << url.toStdString() << " "
                << reply->errorString().toStdString();
      }
      std::vector<std::weak_ptr<ImageViewModel>> waiters = std::move(waiting_[url]);
      waiting_.erase(url);
      for (const auto& weak : waiters) {
        // The view (and its view model) may have gone while the image was on its way.
        if (auto vm = weak.lock()) vm->OnFetched(url, bytes, ok);
      }
    });
  }

 private:
  ImageFetcher() : cache_(kCacheBytes) {}

  QNetworkAccessManager* Network() {
    // Owned by the application object, so it goes before Qt does.
    if (!network_) network_ = new QNetworkAccessManager(QCoreApplication::instance());
    return network_;
  }

  QPointer<QNetworkAccessManager> network_;
  QCache<QString, QByteArray> cache_;
  std::map<QString, std::vector<std::weak_ptr<ImageViewModel>>> waiting_;
};

void RegisterHostViewModels() {
  framework::module::GetModuleService()->host_view_models().RegisterCreator(
      kTypeImageViewModel, [] { return std::make_shared<ImageViewModel>(); });
}

ImageViewModel::ImageViewModel() { SetType(kTypeImageViewModel); }

ImageViewModel::~ImageViewModel() = default;

bool ImageViewModel::IsCached(const QString& url) {
  return ImageFetcher::Get().cache().contains(url);
}

void ImageViewModel::ClearCache() { ImageFetcher::Get().cache().clear(); }

void ImageViewModel::HandleAction(int action, const base::variant::Variant* param) {
  if (!param || !param->IsMap()) {
    VLOG(3) << "[image] action without a parameter map: " << action;
    return;
  }
  switch (action) {
    case kActionShowPath:
      ShowPath(QString::fromStdString(param->GetString("path")));
      break;
    case kActionShowUrl:
      ShowUrl(QString::fromStdString(param->GetString("url")), param->GetBool("refresh"));
      break;
    default:
      VLOG(3) << "[image] unknown action: " << action;
      break;
  }
}

void ImageViewModel::ShowPath(const QString& path) {
  pending_url_.clear();
  if (path.isEmpty()) {
    Deliver(QString(), QByteArray());
    return;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    VLOG(3) << "[image] cannot read " << path.toStdString();
    Deliver(path, QByteArray());
    return;
  }
  Deliver(path, file.readAll());
}

void ImageViewModel::ShowUrl(const QString& url, bool refresh) {
  if (url.isEmpty()) return;
  if (!refresh) {
    if (const QByteArray* cached = ImageFetcher::Get().cache().object(url)) {
      pending_url_.clear();
      Deliver(url, *cached);
      return;
    }
  }
  auto self = weak_from_this().lock();
  if (!self) {
    VLOG(1) << "[image] a view model not held by a shared pointer cannot fetch "
            << url.toStdString();
    return;
  }
  pending_url_ = url;
  ImageFetcher::Get().Fetch(url, std::static_pointer_cast<ImageViewModel>(self));
}

void ImageViewModel::OnFetched(const QString& url, const QByteArray& bytes, bool ok) {
  // A later request (or a local path) replaced this one meanwhile.
  if (url != pending_url_) return;
  pending_url_.clear();
  // A failed fetch keeps whatever the view shows now.
  if (ok) Deliver(url, bytes);
}

void ImageViewModel::Deliver(const QString& source, const QByteArray& bytes) {
  if (!listener_) return;
  ImageListener listener = listener_;  // the listener may replace itself
  listener(source, bytes);
}

}  // namespace velmo_widgets
