// QtImageView: shows one image, from a local path or a URL, in a fixed-size frame widget, with a
// placeholder colour until (or unless) an image is there. Held by a shared pointer by its page.
//
//   auto icon = std::make_shared<QtImageView>(16, 16);
//   icon->SetViewModel(GetModuleService()->GetViewModelProvider()->BuildViewModel(52));
//   icon->Build(nullptr, content, nullptr, true);  layout->addWidget(icon->frame());
//   icon->SetImageUrl(url, 0, false, QColor(Qt::transparent));
//
// Modes: 0 fit inside the frame keeping the aspect ratio, centred; 1 stretch to the frame;
// 2 fill the frame keeping the aspect ratio, cropped. SVG images are rendered at the frame's size
// times its device pixel ratio, so they stay sharp; other formats are scaled smoothly.
// A local path replaces the image at once (an unreadable file or an empty path shows the
// placeholder). A URL is fetched in the background (ImageViewModel); the current image stays
// until the new one arrives, and a failed fetch keeps it. UI thread only.
#pragma once

#include <memory>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "platform/base/variant.h"

namespace framework {
class StatefulViewModel;
}
namespace velmo_widgets {
class ImageViewModel;
}
class QSvgRenderer;

// The frame widget a QtImageView paints into.
class QtImageFrame : public QWidget {
  Q_OBJECT

 public:
  QtImageFrame(int width, int height, QWidget* parent);
  ~QtImageFrame() override;

  void SetPlaceholder(const QColor& color);
  void SetMode(int mode);
  // Empty or undecodable bytes show the placeholder.
  void SetImageBytes(const QString& source, const QByteArray& bytes);
  bool HasImage() const { return svg_ != nullptr || !raster_.isNull(); }
  const QString& source() const { return source_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRectF TargetRect(const QSizeF& image_size) const;
  void RenderCache();

  QColor placeholder_;
  int mode_ = 0;
  QString source_;
  QImage raster_;
  std::unique_ptr<QSvgRenderer> svg_;
  QPixmap cache_;  // the image at the current size and device pixel ratio
};

class QtImageView {
 public:
  QtImageView(int width, int height);
  ~QtImageView();
  QtImageView(const QtImageView&) = delete;
  QtImageView& operator=(const QtImageView&) = delete;

  // Binds the host image view model (type 52). Anything else (null included) is refused with a
  // log line and the view keeps a view model of its own, so it works unbound too.
  void SetViewModel(std::shared_ptr<framework::StatefulViewModel> view_model);

  // Creates frame() as a child of frame_parent (it is not added to any layout). parent_view and
  // params are not used. transparent_for_mouse lets clicks through to the widget under the
  // image, so a clickable row stays clickable over its icon. Building twice is a no-op.
  void Build(std::shared_ptr<void> parent_view, QWidget* frame_parent,
             const base::variant::Variant* params, bool transparent_for_mouse);
  QWidget* frame() const { return frame_; }

  void SetImagePath(const QString& path, int mode, const QColor& placeholder);
  // refresh: fetch again even when the URL is cached.
  void SetImageUrl(const QString& url, int mode, bool refresh, const QColor& placeholder);

  bool HasImage() const { return frame_ && frame_->HasImage(); }

 private:
  void Bind(std::shared_ptr<velmo_widgets::ImageViewModel> view_model);
  void Apply(int mode, const QColor& placeholder);
  void OnImage(const QString& source, const QByteArray& bytes);

  int width_;
  int height_;
  std::shared_ptr<velmo_widgets::ImageViewModel> view_model_;
  QPointer<QtImageFrame> frame_;
  // What arrived before the frame was built, handed to it by Build.
  int mode_ = 0;
  QColor placeholder_ = Qt::transparent;
  QString source_;
  QByteArray bytes_;
};
