#include "platform/widgets/qt_image_view.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/base/log.h"
#include "platform/widgets/image_view_model.h"

namespace {

bool LooksLikeSvg(const QString& source, const QByteArray& bytes) {
  if (source.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return true;
  const QByteArray head = bytes.left(4096);  // past an XML prolog and comments
  return head.contains("<svg");
}

}  // namespace

QtImageFrame::QtImageFrame(int width, int height, QWidget* parent) : QWidget(parent) {
  setFixedSize(width, height);
}

QtImageFrame::~QtImageFrame() = default;

void QtImageFrame::SetPlaceholder(const QColor& color) {
  if (placeholder_ == color) return;
  placeholder_ = color;
  update();
}

void QtImageFrame::SetMode(int mode) {
  if (mode_ == mode) return;
  mode_ = mode;
  cache_ = QPixmap();
  update();
}

void QtImageFrame::SetImageBytes(const QString& source, const QByteArray& bytes) {
  source_ = source;
  raster_ = QImage();
  svg_.reset();
  cache_ = QPixmap();
  if (!bytes.isEmpty()) {
    if (LooksLikeSvg(source, bytes)) {
      auto renderer = std::make_unique<QSvgRenderer>(bytes);
      if (renderer->isValid()) svg_ = std::move(renderer);
    } else {
      QBuffer buffer;
      buffer.setData(bytes);
      QImageReader reader(&buffer);
      reader.setAutoTransform(true);
      raster_ = reader.read();
    }
    if (!HasImage()) VLOG(3) << "[image] cannot decode " << source.toStdString();
  }
  update();
}

QRectF QtImageFrame::TargetRect(const QSizeF& image_size) const {
  const QRectF frame(rect());
  if (image_size.isEmpty() || mode_ == 1) return frame;
  const QSizeF scaled = image_size.scaled(
      frame.size(), mode_ == 2 ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
  return QRectF(frame.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
}

void QtImageFrame::RenderCache() {
  const qreal dpr = devicePixelRatioF();
  cache_ = QPixmap(size() * dpr);
  cache_.setDevicePixelRatio(dpr);
  cache_.fill(Qt::transparent);
  QPainter painter(&cache_);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setClipRect(rect());
  if (svg_) {
    svg_->render(&painter, TargetRect(svg_->defaultSize()));
  } else {
    const QRectF target = TargetRect(raster_.size());
    const QSize device_size = (target.size() * dpr).toSize();
    // Scale once to device pixels rather than letting the painter sample on every paint.
    painter.drawImage(target,
                      raster_.scaled(device_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
}

void QtImageFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!HasImage()) {
    if (placeholder_.isValid() && placeholder_.alpha() > 0) painter.fillRect(rect(), placeholder_);
    return;
  }
  if (cache_.isNull() || cache_.devicePixelRatio() != devicePixelRatioF() ||
      cache_.size() != size() * devicePixelRatioF())
    RenderCache();
  painter.drawPixmap(0, 0, cache_);
}

QtImageView::QtImageView(int width, int height) : width_(width), height_(height) {
  Bind(std::make_shared<velmo_widgets::ImageViewModel>());
}

QtImageView::~QtImageView() {
  view_model_->SetImageListener(nullptr);
  // The frame shows this view's image; it goes with the view.
  delete frame_.data();
}

void QtImageView::SetViewModel(std::shared_ptr<framework::StatefulViewModel> view_model) {
  auto image_vm = std::dynamic_pointer_cast<velmo_widgets::ImageViewModel>(view_model);
  if (!image_vm) {
    VLOG(3) << "[image] not an image view model (type " << (view_model ? view_model->type() : 0)
            << "); keeping the view's own";
    return;
  }
  Bind(std::move(image_vm));
}

void QtImageView::Bind(std::shared_ptr<velmo_widgets::ImageViewModel> view_model) {
  if (view_model_) view_model_->SetImageListener(nullptr);
  view_model_ = std::move(view_model);
  // The listener dies with this view (destructor), so a raw this is safe here.
  view_model_->SetImageListener(
      [this](const QString& source, const QByteArray& bytes) { OnImage(source, bytes); });
}

void QtImageView::Build(std::shared_ptr<void>, QWidget* frame_parent, const base::variant::Variant*,
                        bool transparent_for_mouse) {
  if (frame_) return;
  frame_ = new QtImageFrame(width_, height_, frame_parent);
  frame_->setAttribute(Qt::WA_TransparentForMouseEvents, transparent_for_mouse);
  frame_->SetMode(mode_);
  frame_->SetPlaceholder(placeholder_);
  frame_->SetImageBytes(source_, bytes_);
}

void QtImageView::Apply(int mode, const QColor& placeholder) {
  mode_ = mode;
  placeholder_ = placeholder;
  if (!frame_) return;
  frame_->SetMode(mode);
  frame_->SetPlaceholder(placeholder);
}

void QtImageView::SetImagePath(const QString& path, int mode, const QColor& placeholder) {
  Apply(mode, placeholder);
  base::variant::Variant param;
  param["path"] = path.toStdString();
  view_model_->Handle(velmo_widgets::ImageViewModel::kActionShowPath, &param);
}

void QtImageView::SetImageUrl(const QString& url, int mode, bool refresh,
                              const QColor& placeholder) {
  Apply(mode, placeholder);
  base::variant::Variant param;
  param["url"] = url.toStdString();
  param["refresh"] = refresh;
  view_model_->Handle(velmo_widgets::ImageViewModel::kActionShowUrl, &param);
}

void QtImageView::OnImage(const QString& source, const QByteArray& bytes) {
  source_ = source;
  bytes_ = bytes;
  if (frame_) frame_->SetImageBytes(source, bytes);
}
