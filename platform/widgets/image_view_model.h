// velmo_widgets::ImageViewModel: the host image view model (type 52) behind QtImageView. It knows
// which image a view shows and fetches it: local files at once, remote URLs over QtNetwork
// without blocking the UI thread, with one in-memory cache (by URL) for the whole process.
//
//   velmo_widgets::RegisterHostViewModels();  // once, when the host starts
//   auto vm = framework::module::GetModuleService()->GetViewModelProvider()->BuildViewModel(52);
//   image_view->SetViewModel(vm);
//
// The view drives it with actions (kActionShowPath, kActionShowUrl) and hears the result through
// the image listener; a remote image that arrives after its view model died only fills the
// cache. Image results are kept off the property and state channels, which trace the module's
// own pages. UI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>

#include "platform/framework/view_model.h"

namespace velmo_widgets {

constexpr int kTypeImageViewModel = 52;

// Registers the host's view models (the image view model of type 52) with the module service's
// host view-model provider. The host calls it at start; calling it again is harmless.
void RegisterHostViewModels();

class ImageViewModel : public framework::StatefulViewModel {
 public:
  // Parameter {"path": string}; an empty path shows no image.
  static constexpr int kActionShowPath = 0x52000001;
  // Parameter {"url": string, "refresh": bool}; refresh skips the cache.
  static constexpr int kActionShowUrl = 0x52000002;

  // source: the path or URL the bytes came from; empty bytes mean "no image" (cleared, or a
  // local file that could not be read).
  using ImageListener = std::function<void(const QString& source, const QByteArray& bytes)>;

  ImageViewModel();
  ~ImageViewModel() override;

  void SetImageListener(ImageListener listener) { listener_ = std::move(listener); }
  // The URL being fetched, empty when none.
  const QString& pending_url() const { return pending_url_; }

  // The process-wide cache of remote images, by URL.
  static bool IsCached(const QString& url);
  static void ClearCache();

 protected:
  void HandleAction(int action, const base::variant::Variant* param) override;

 private:
  void ShowPath(const QString& path);
  void ShowUrl(const QString& url, bool refresh);
  void Deliver(const QString& source, const QByteArray& bytes);
  friend class ImageFetcher;
  void OnFetched(const QString& url, const QByteArray& bytes, bool ok);

  ImageListener listener_;
  QString pending_url_;
};

}  // namespace velmo_widgets
